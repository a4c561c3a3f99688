#include <cstdio>
#include <string>
#include <vector>

#include "app/program_entry.h"
#include "framework/application.h"
#include "platform/windows/windows_services.h"

namespace {

constexpr char kUsage[] = "Usage: somnara [--help | --version]";

void PrintHelp() {
  std::printf(
      "%s\n\n"
      "Somnara leads you through a short routine before bed, plays a nature sound for the\n"
      "night's first minutes and can then put the computer to stand-by, hibernate it or\n"
      "shut it down.\n\n"
      "  --help     show this text and exit\n"
      "  --version  show the version and exit\n\n"
      "Settings are kept in option.ini beside the program when its folder may be written,\n"
      "otherwise in %%APPDATA%%\\Somnara\\.\n",
      kUsage);
}

}  // namespace

int main() {
  // Read from the desktop in UTF-16, so that no argument is mangled by the code page.
  const std::vector<std::string> args = somnara::platform::CommandLineArguments();
  if (!args.empty()) {
    if (args.size() == 1 && args[0] == "--help") {
      PrintHelp();
      return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
      std::printf("somnara %s\n", SOMNARA_VERSION);
      return 0;
    }
    // The first argument that is not an option of ours, else the one too many.
    std::string offending = args[args.size() == 1 ? 0 : 1];
    for (size_t i = args.size(); i-- > 0;)
      if (args[i] != "--help" && args[i] != "--version") offending = args[i];
    std::fprintf(stderr, "somnara: unexpected argument '%s'. %s\n", offending.c_str(), kUsage);
    return 2;
  }
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
