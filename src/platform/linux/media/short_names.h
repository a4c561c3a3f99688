#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace somnara::platform::short_names {

// A name that needs no alias: 1 to 8 characters, optionally a dot and 1 to 3 more, all of
// them letters, digits or one of the few marks allowed in such names.
bool IsShortName(std::string_view name);

// The short name of every entry of one directory: the name itself where it is short and
// unique without regard to case, otherwise an alias such as "MYSOUN~1.WAV". The result
// depends only on the set of names, so it is the same at every call.
std::map<std::string, std::string> ShortNames(std::vector<std::string> entries);

// The short form of an existing path ("/my sounds/a.wav" -> "/MYSOUN~1/a.wav"), or
// nothing when some part of it does not exist. The entries of a folder that cannot be
// listed keep their long form: nothing tells which aliases their neighbours would take.
std::optional<std::string> ShortenPath(const std::string& path);

// The file that path names, taking each part as an exact name, as a short name or as a
// name in another letter case. Nothing when a part matches no entry or more than one.
std::optional<std::string> ResolvePath(const std::string& path);

}  // namespace somnara::platform::short_names
