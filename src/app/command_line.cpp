#include "app/command_line.h"

#include <cstdio>

namespace somnara::app {

namespace {

constexpr char kUsage[] = "Usage: somnara [--help | --version]";

void PrintHelp(const HelpNotes& notes) {
  std::printf(
      "%s\n\n"
      "Somnara leads you through a short routine before bed, plays a nature sound for the\n"
      "night's first minutes and can then put the computer to stand-by, hibernate it or\n"
      "power it off.%s\n\n"
      "  --help     show this text and exit\n"
      "  --version  show the version and exit\n\n"
      "Settings are kept in option.ini beside the program when its folder may be written,\n"
      "otherwise in %s.\n",
      kUsage, notes.desktop, notes.settings_folder);
}

}  // namespace

std::optional<int> AnswerCommandLine(const std::vector<std::string>& args, const HelpNotes& notes) {
  if (args.empty()) return std::nullopt;
  if (args.size() == 1 && args[0] == "--help") {
    PrintHelp(notes);
    return 0;
  }
  if (args.size() == 1 && args[0] == "--version") {
    std::printf("somnara %s\n", notes.version);
    return 0;
  }
  // The first argument that is not an option of ours, else the one too many.
  std::string offending = args[args.size() == 1 ? 0 : 1];
  for (size_t i = args.size(); i-- > 0;)
    if (args[i] != "--help" && args[i] != "--version") offending = args[i];
  std::fprintf(stderr, "somnara: unexpected argument '%s'. %s\n", offending.c_str(), kUsage);
  return 2;
}

}  // namespace somnara::app
