#pragma once

#include <string>
#include <vector>

namespace somnara::datagen {

// Runs a program found on PATH with the given arguments (no shell, so no quoting) and
// waits for it. Its output goes to ours.
struct ProcessResult {
  // False when the program could not be started at all; then `error` says why.
  bool started = false;
  int exit_code = -1;
  std::string error;
};
ProcessResult RunProgram(const std::vector<std::string>& argv);

}  // namespace somnara::datagen
