#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace somnara::skin {

// The file-name part of a path: what follows its last separator ('/' or '\'). Skin paths may
// come from window descriptions written on another system, so both separators count.
std::string_view SkinFileNamePart(std::string_view path);

// `folder` joined with `name`, with a '/' between them unless the folder already ends in a
// separator.
std::string JoinSkinPath(std::string_view folder, std::string_view name);

// Where the skin file named by `path` is: `path` itself when a file exists there, else the
// first of `folders` (in order; typically the program's folder and then system-wide skin
// folders) that holds a file of the same file-name part. None when no file is found.
std::optional<std::string> FindThemeFile(std::string_view path,
                                         std::span<const std::string> folders);

}  // namespace somnara::skin
