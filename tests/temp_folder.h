#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

namespace somnara::testing {

// A new folder named `prefix` and a random number under $TMPDIR (or the system's temporary
// folder); empty when none could be made. create_directory says whether this call made it.
inline std::string MakeTempFolder(const std::string& prefix) {
  const char* base = std::getenv("TMPDIR");
  std::error_code ec;
  std::string folder = base && *base ? base : std::filesystem::temp_directory_path(ec).string();
  if (folder.empty()) folder = "/tmp";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = folder + "/" + prefix + std::to_string(random() % 1000000000u);
    if (std::filesystem::create_directory(name, ec)) return name;
  }
  return {};
}

// A fresh temporary folder, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder() : path_(MakeTempFolder("somnara-ini-")) {
    if (path_.empty()) throw std::runtime_error("cannot make a temporary folder");
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(path_, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
      if (it->is_directory(ec)) fs::permissions(it->path(), fs::perms::owner_all, ec);
    }
    fs::permissions(path_, fs::perms::owner_all, ec);
    fs::remove_all(path_, ec);
  }

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace somnara::testing
