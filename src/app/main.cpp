#include <cstdio>
#include <cstring>
#include <string>

#include "app/command_line.h"
#include "app/program_entry.h"
#include "framework/application.h"
#include "platform/linux/linux_services.h"
#include "platform/linux/system/termination.h"

#if defined(__SANITIZE_ADDRESS__)
// GLib's library constructor keeps one buffer for the life of the process; it is not ours
// to free, and the leak checker would fail every sanitized run of the program on it. GLib
// has no frame pointers, so its stacks end in GLib itself and only its name can match.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:_dl_init\nleak:libglib-2.0.so\n";
}
#endif

int main(int argc, char** argv) {
  const somnara::app::HelpNotes notes{SOMNARA_VERSION,
                                      " It opens its windows on the X display named by DISPLAY.",
                                      "$XDG_CONFIG_HOME/somnara/ (by default ~/.config/somnara/)"};
  if (auto status = somnara::app::AnswerCommandLine({argv + 1, argv + argc}, notes)) return *status;
  // Taken before any thread starts, so that every thread shares the handlers.
  somnara::platform::EndingSignals ending_signals;
  ending_signals.Install();
  std::string error;
  auto services = somnara::platform::LinuxServices::Open(&error);
  if (!services) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  somnara::platform::Install(services->Get());
  // A signal ends the run as the sleep window's Exit does, from the interface thread.
  services->WatchDescriptor(ending_signals.fd(), [&ending_signals] {
    ending_signals.Drain();
    somnara::fw::App().Terminate();
  });
  int code = somnara::app::RunProgram();
  // Windows go before the desktop connection they live on.
  somnara::fw::ResetApplication();
  somnara::platform::Install({});
  // The services put back what they changed (the display power among them) as they go.
  services.reset();
  if (const int signal_number = ending_signals.Received()) {
    std::fprintf(stderr, "somnara: ended by signal %d (%s)\n", signal_number,
                 strsignal(signal_number));
    return somnara::platform::SignalExitStatus(signal_number);
  }
  return code;
}
