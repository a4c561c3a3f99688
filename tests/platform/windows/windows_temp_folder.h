#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace somnara::testing {

// A fresh folder in the system's temporary folder, removed with everything in it at the end.
class WindowsTempFolder {
 public:
  WindowsTempFolder() {
    static int serial = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("somnara-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial));
    std::filesystem::create_directories(path_);
  }
  WindowsTempFolder(const WindowsTempFolder&) = delete;
  WindowsTempFolder& operator=(const WindowsTempFolder&) = delete;
  ~WindowsTempFolder() {
    std::error_code ec;
    for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ec)) {
      SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    std::filesystem::remove_all(path_, ec);
  }

  std::string path() const { return path_.string(); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  // The names in the folder, sorted, separated by blanks.
  std::string Names() const {
    std::set<std::string> sorted;
    for (auto& entry : std::filesystem::directory_iterator(path_)) {
      sorted.insert(entry.path().filename().string());
    }
    std::string names;
    for (const std::string& name : sorted) names += (names.empty() ? "" : " ") + name;
    return names;
  }

 private:
  std::filesystem::path path_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), std::streamsize(bytes.size()));
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace somnara::testing
