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

// What an alias keeps of a name: at most six characters of its stem and three of its
// extension. Names with the same stem try the same aliases, in the same order.
struct AliasStem {
  std::string base;
  std::string ext;
  auto operator<=>(const AliasStem&) const = default;
};

AliasStem StemOf(std::string_view name) {
  size_t start = name.find_first_not_of('.');
  std::string_view trimmed =
      start == std::string_view::npos ? std::string_view() : name.substr(start);
  size_t dot = trimmed.rfind('.');
  std::string base = CleanPart(dot == std::string_view::npos ? trimmed : trimmed.substr(0, dot));
  std::string ext =
      dot == std::string_view::npos ? std::string() : CleanPart(trimmed.substr(dot + 1));
  if (base.empty()) base = "_";
  return {base.substr(0, 6), ext.substr(0, 3)};
}

std::string MakeAlias(const AliasStem& stem, int number) {
  std::string tail = "~" + std::to_string(number);
  size_t keep = tail.size() >= 8 ? 0 : std::min<size_t>(6, 8 - tail.size());
  std::string alias = stem.base.substr(0, keep) + tail;
  if (!stem.ext.empty()) alias += "." + stem.ext;
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
  // Per stem, the number its next name starts from: the ones below were taken when the
  // stem's previous name looked, and nothing is ever freed. Hundreds of names on one stem
  // (a temporary folder) then cost a try or two each, not one per name before them.
  std::map<AliasStem, int> next_number;
  for (const std::string& name : entries) {
    if (result.count(name) != 0) continue;
    const AliasStem stem = StemOf(name);
    int& n = next_number.try_emplace(stem, 1).first->second;
    std::string alias = MakeAlias(stem, n);
    while (taken.count(alias) != 0) alias = MakeAlias(stem, ++n);
    taken.insert(alias);
    result[name] = alias;
  }
  return result;
}

namespace {

// The short name of `part` among `entries` (which hold it). A name that is short already
// and unique without regard to case is its own short name whatever its neighbours are, so
// the folder's aliases are only worked out for a long one.
std::string ShortNameIn(const std::string& part, const std::vector<std::string>& entries) {
  if (IsShortName(part)) {
    const std::string upper = Upper(part);
    if (std::count_if(entries.begin(), entries.end(),
                      [&](const std::string& e) { return Upper(e) == upper; }) == 1)
      return part;
  }
  return ShortNames(entries)[part];
}

}  // namespace

std::optional<std::string> ShortenPath(const std::string& path) {
  return Walk(path,
              [](const std::string& part, const std::vector<std::string>& entries)
                  -> std::optional<std::pair<std::string, std::string>> {
                if (std::find(entries.begin(), entries.end(), part) == entries.end())
                  return std::nullopt;
                return std::make_pair(part, ShortNameIn(part, entries));
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
