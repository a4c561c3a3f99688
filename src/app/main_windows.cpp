#include <cstdio>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/program_entry.h"
#include "framework/application.h"
#include "platform/windows/windows_services.h"

int main() {
  // Read from the desktop in UTF-16, so that no argument is mangled by the code page.
  const std::vector<std::string> args = somnara::platform::CommandLineArguments();
  const somnara::app::HelpNotes notes{SOMNARA_VERSION, "", "%APPDATA%\\Somnara\\"};
  if (auto status = somnara::app::AnswerCommandLine(args, notes)) return *status;
  std::string error;
  auto services = somnara::platform::WindowsServices::Open(&error);
  if (!services) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  somnara::platform::Install(services->Get());
  // The session's end or the console's Ctrl+C ends the run as the sleep window's Exit does.
  services->OnEnding([] { somnara::fw::App().Terminate(); });
  int code = somnara::app::RunProgram();
  // Windows go before the window system they live on.
  somnara::fw::ResetApplication();
  somnara::platform::Install({});
  const std::string ending = services->EndingReason();
  // The services put back what they changed (the display power among them) as they go.
  services.reset();
  if (!ending.empty()) std::fprintf(stderr, "somnara: %s\n", ending.c_str());
  return code;
}
