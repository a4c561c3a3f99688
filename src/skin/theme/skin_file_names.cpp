#include "skin/theme/skin_file_names.h"

#include <filesystem>
#include <system_error>

#include "framework/file_path.h"

namespace somnara::skin {

namespace {

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(fw::PathFromUtf8(path), ec);
}

}  // namespace

std::string_view SkinFileNamePart(std::string_view path) {
  const size_t cut = path.find_last_of("/\\");
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

std::string JoinSkinPath(std::string_view folder, std::string_view name) {
  std::string joined(folder);
  if (!joined.empty() && !IsSeparator(joined.back())) joined += '/';
  joined += name;
  return joined;
}

std::optional<std::string> FindThemeFile(std::string_view path,
                                         std::span<const std::string> folders) {
  std::string direct(path);
  if (FileExists(direct)) return direct;
  const std::string_view name = SkinFileNamePart(path);
  if (name.empty()) return std::nullopt;
  for (const std::string& folder : folders) {
    if (folder.empty()) continue;
    std::string candidate = JoinSkinPath(folder, name);
    if (FileExists(candidate)) return candidate;
  }
  return std::nullopt;
}

}  // namespace somnara::skin
