#include <cstdio>
#include <cstring>
#include <string>

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

namespace {

constexpr char kUsage[] = "Usage: somnara [--help | --version]";

void PrintHelp() {
  std::printf(
      "%s\n\n"
      "Somnara leads you through a short routine before bed, plays a nature sound for the\n"
      "night's first minutes and can then put the computer to stand-by, hibernate it or\n"
      "power it off. It opens its windows on the X display named by DISPLAY.\n\n"
      "  --help     show this text and exit\n"
      "  --version  show the version and exit\n\n"
      "Settings are kept in option.ini beside the program when its folder may be written,\n"
      "otherwise in $XDG_CONFIG_HOME/somnara/ (by default ~/.config/somnara/).\n",
      kUsage);
}

}  // namespace

int main(int argc, char** argv) {
  // The options are answered before the display is opened, so they work without one.
  if (argc > 1) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
      PrintHelp();
      return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
      std::printf("somnara %s\n", SOMNARA_VERSION);
      return 0;
    }
    // The first argument that is not an option of ours, else the one too many.
    const char* offending = argv[argc == 2 ? 1 : 2];
    for (int i = argc - 1; i >= 1; --i)
      if (std::strcmp(argv[i], "--help") != 0 && std::strcmp(argv[i], "--version") != 0)
        offending = argv[i];
    std::fprintf(stderr, "somnara: unexpected argument '%s'. %s\n", offending, kUsage);
    return 2;
  }
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
