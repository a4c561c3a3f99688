#pragma once

#include <map>
#include <string>

namespace somnara::testing {

// A copy of the program folder in a fresh temporary folder, so a test can take files
// away and the program finds its data where it would on a user's machine. The copy goes
// with the object.
class ProgramCopy {
 public:
  ProgramCopy() = default;
  ~ProgramCopy();
  ProgramCopy(const ProgramCopy&) = delete;
  ProgramCopy& operator=(const ProgramCopy&) = delete;

  bool Make(const std::string& program_dir, std::string* error);
  // The copied folder, as the running program names it (symbolic links resolved).
  const std::string& dir() const { return dir_; }
  std::string executable() const { return dir_ + "/somnara"; }
  // A file beside the folder, not in it, for the program's standard error.
  std::string stderr_path() const { return root_ + "/stderr.txt"; }
  std::string ReadStderr() const;
  bool Remove(const std::string& name) const;
  // The keys of the section "Option" of option.ini in the copy (empty without the file).
  std::map<std::string, std::string> OptionSection() const;

 private:
  std::string root_;
  std::string dir_;
};

}  // namespace somnara::testing
