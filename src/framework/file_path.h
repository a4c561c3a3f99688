#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace somnara::fw {

// The program keeps paths as UTF-8 text. A path made straight from a narrow string is read
// in the system's own narrow encoding, which on Windows is the ANSI code page, not UTF-8:
// files are reached through these instead.
inline std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
  std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// A path as a message shows it. The program joins its file names with '/', which Windows
// takes but its users do not write: there the path is shown in the system's own separators.
inline std::string ShownPath(const std::string& utf8) {
#ifdef _WIN32
  return Utf8FromPath(PathFromUtf8(utf8).lexically_normal());
#else
  return utf8;
#endif
}

}  // namespace somnara::fw
