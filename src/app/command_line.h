#pragma once

#include <optional>
#include <string>
#include <vector>

namespace somnara::app {

// What the help text says that depends on the system the program runs on.
struct HelpNotes {
  const char* version;
  const char* desktop;          // a sentence on where the windows open; may be empty
  const char* settings_folder;  // where option.ini goes when the program's folder is closed
};

// Answers --help and --version, and refuses any other argument, before the desktop is
// opened, so that they work without one. Empty when there was no argument and the program
// is to run; otherwise the exit status.
std::optional<int> AnswerCommandLine(const std::vector<std::string>& args, const HelpNotes& notes);

}  // namespace somnara::app
