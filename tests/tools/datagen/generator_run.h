#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace somnara::testing {

// One run of the data file generator.
struct GeneratorRun {
  int exit_code = -1;
  std::string errors;  // what it wrote to its error output
};

// Runs the generator with the given arguments. When path_env is not null, the generator's
// PATH is that text instead of ours.
GeneratorRun RunGenerator(const std::vector<std::string>& args,
                          const std::string* path_env = nullptr);

// A fresh empty folder under the temporary folder, removed with the object. Its path holds
// no blanks, since the media service's commands split at blanks.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);

}  // namespace somnara::testing
