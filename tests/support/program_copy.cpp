#include "support/program_copy.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace somnara::testing {

namespace fs = std::filesystem;

ProgramCopy::~ProgramCopy() {
  if (root_.empty()) return;
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

bool ProgramCopy::Make(const std::string& program_dir, std::string* error) {
  std::error_code ec;
  if (!fs::is_regular_file(fs::path(program_dir) / "somnara", ec)) {
    *error = "no program in " + program_dir + " (build the targets somnara and program_files)";
    return false;
  }
  const fs::path base = fs::temp_directory_path(ec);
  std::string pattern = (ec ? fs::path("/tmp") : base) / "somnara-e2e-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (!mkdtemp(buffer.data())) {
    *error = "cannot make a temporary folder from " + pattern;
    return false;
  }
  root_ = buffer.data();
  const fs::path target = fs::path(root_) / "program";
  fs::copy(program_dir, target, fs::copy_options::recursive, ec);
  if (ec) {
    *error = "cannot copy " + program_dir + ": " + ec.message();
    return false;
  }
  dir_ = fs::canonical(target, ec).string();
  if (ec) {
    *error = "cannot resolve " + target.string();
    return false;
  }
  return true;
}

std::string ProgramCopy::ReadStderr() const {
  std::ifstream in(stderr_path());
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool ProgramCopy::Remove(const std::string& name) const {
  std::error_code ec;
  return fs::remove(fs::path(dir_) / name, ec);
}

std::map<std::string, std::string> ProgramCopy::OptionSection() const {
  std::map<std::string, std::string> values;
  std::ifstream in(dir_ + "/option.ini");
  std::string line;
  bool inside = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      inside = line == "[Option]";
      continue;
    }
    const size_t eq = line.find('=');
    if (inside && eq != std::string::npos) values[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return values;
}

}  // namespace somnara::testing
