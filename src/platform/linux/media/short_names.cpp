#include "platform/linux/media/short_names.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

namespace somnara::platform::short_names {
namespace {

namespace fs = std::filesystem;

bool AllowedChar(char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  return std::string_view("!#$%&'()-@^_`{}~").find(c) != std::string_view::npos;
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

// Letters in upper case, blanks and dots dropped, anything else not allowed (one UTF-8
// sequence counting as one character) made a '_'.
std::string CleanPart(std::string_view part) {
  std::string out;
  for (char c : part) {
    auto byte = static_cast<unsigned char>(c);
    if (c == ' ' || c == '.') continue;
    if ((byte & 0xC0) == 0x80) continue;  // the rest of a UTF-8 sequence
    out += AllowedChar(c) ? Upper(std::string_view(&c, 1))[0] : '_';
  }
  return out;
}

std::string MakeAlias(std::string_view name, int number) {
  size_t start = name.find_first_not_of('.');
  std::string_view trimmed =
      start == std::string_view::npos ? std::string_view() : name.substr(start);
  size_t dot = trimmed.rfind('.');
  std::string base = CleanPart(dot == std::string_view::npos ? trimmed : trimmed.substr(0, dot));
  std::string ext =
      dot == std::string_view::npos ? std::string() : CleanPart(trimmed.substr(dot + 1));
  if (base.empty()) base = "_";
  std::string tail = "~" + std::to_string(number);
  size_t keep = tail.size() >= 8 ? 0 : std::min<size_t>(6, 8 - tail.size());
  std::string alias = base.substr(0, keep) + tail;
  if (!ext.empty()) alias += "." + ext.substr(0, 3);
  return alias;
}

std::optional<std::vector<std::string>> ListDirectory(const fs::path& dir) {
  std::error_code ec;
  fs::directory_iterator it(dir, ec);
  if (ec) return std::nullopt;
  std::vector<std::string> names;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) return std::nullopt;
    names.push_back(it->path().filename().string());
  }
  return names;
}

struct Parts {
  bool absolute = false;
  bool trailing_slash = false;
  std::vector<std::string> parts;
};

Parts Split(const std::string& path) {
  Parts out;
  out.absolute = path[0] == '/';
  out.trailing_slash = path.size() > 1 && path.back() == '/';
  size_t i = 0;
  while (i < path.size()) {
    size_t next = path.find('/', i);
    if (next == std::string::npos) next = path.size();
    if (next > i) out.parts.push_back(path.substr(i, next - i));
    i = next + 1;
  }
  return out;
}

std::string Join(const Parts& parts, const std::vector<std::string>& names) {
  std::string out = parts.absolute ? "/" : "";
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0) out += '/';
    out += names[i];
  }
  if (parts.trailing_slash && !names.empty()) out += '/';
  return out;
}

// Walks path part by part; pick chooses the entry of a directory for one part.
template <typename Pick>
std::optional<std::string> Walk(const std::string& path, Pick pick) {
  if (path.empty()) return std::nullopt;
  Parts parts = Split(path);
  fs::path dir = parts.absolute ? fs::path("/") : fs::path(".");
  std::vector<std::string> out;
  for (const std::string& part : parts.parts) {
    if (part == "." || part == "..") {
      out.push_back(part);
      dir /= part;
      continue;
    }
    std::optional<std::vector<std::string>> entries = ListDirectory(dir);
    if (!entries) {
      // A folder one may pass through but not list (a home folder of mode 0711): its
      // entries are reached by their exact names only, so they keep their long form.
      std::error_code ec;
      if (!fs::exists(dir / part, ec)) return std::nullopt;
      out.push_back(part);
      dir /= part;
      continue;
    }
    std::optional<std::pair<std::string, std::string>> chosen = pick(part, *entries);
    if (!chosen) return std::nullopt;
    out.push_back(chosen->second);
    dir /= chosen->first;
  }
  std::error_code ec;
  if (!fs::exists(dir, ec)) return std::nullopt;
  return Join(parts, out);
}

}  // namespace

bool IsShortName(std::string_view name) {
  size_t dot = name.find('.');
  std::string_view base = name.substr(0, dot);
  std::string_view ext = dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
  if (base.empty() || base.size() > 8) return false;
  if (dot != std::string_view::npos && (ext.empty() || ext.size() > 3)) return false;
  return std::all_of(base.begin(), base.end(), AllowedChar) &&
         std::all_of(ext.begin(), ext.end(), AllowedChar);
}

std::map<std::string, std::string> ShortNames(std::vector<std::string> entries) {
  std::sort(entries.begin(), entries.end());
  std::map<std::string, int> same_letters;
  for (const std::string& name : entries) ++same_letters[Upper(name)];
  std::map<std::string, std::string> result;
  std::set<std::string> taken;  // in upper case
  for (const std::string& name : entries) {
    if (IsShortName(name) && same_letters[Upper(name)] == 1) {
      result[name] = name;
      taken.insert(Upper(name));
    }
  }
  for (const std::string& name : entries) {
    if (result.count(name) != 0) continue;
    std::string alias;
    for (int n = 1;; ++n) {
      alias = MakeAlias(name, n);
      if (taken.count(alias) == 0) break;
    }
    taken.insert(alias);
    result[name] = alias;
  }
  return result;
}

std::optional<std::string> ShortenPath(const std::string& path) {
  return Walk(path,
              [](const std::string& part, const std::vector<std::string>& entries)
                  -> std::optional<std::pair<std::string, std::string>> {
                if (std::find(entries.begin(), entries.end(), part) == entries.end())
                  return std::nullopt;
                return std::make_pair(part, ShortNames(entries)[part]);
              });
}

std::optional<std::string> ResolvePath(const std::string& path) {
  return Walk(path,
              [](const std::string& part, const std::vector<std::string>& entries)
                  -> std::optional<std::pair<std::string, std::string>> {
                if (std::find(entries.begin(), entries.end(), part) != entries.end()) {
                  return std::make_pair(part, part);
                }
                std::string wanted = Upper(part);
                for (const auto& [name, short_name] : ShortNames(entries)) {
                  if (Upper(short_name) == wanted) return std::make_pair(name, name);
                }
                std::optional<std::string> match;
                for (const std::string& name : entries) {
                  if (Upper(name) != wanted) continue;
                  if (match) return std::nullopt;  // more than one: not ours to guess
                  match = name;
                }
                if (!match) return std::nullopt;
                return std::make_pair(*match, *match);
              });
}

}  // namespace somnara::platform::short_names
