#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace somnara::platform {

// The lines of an INI file, kept byte for byte so that a change touches one line only.
// Parsing never fails: whatever does not look like a section or a key line is kept as it
// is and ignored. Lines may end in LF or CRLF; a leading UTF-8 byte-order mark is kept.
class IniDocument {
 public:
  static IniDocument Parse(std::string_view bytes);

  // The value of the first `key` in the first `section` (names matched without regard to
  // ASCII case, blanks around names and value dropped), or nothing.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

  // Replaces the key's line, or adds the key after the last entry of its section, or adds
  // the section at the end. Returns false, changing nothing, for names or values that
  // could not be read back as written: empty names, line breaks or NUL anywhere, "=" in a
  // key, "]" in a section, a key that would read as a section line or a comment.
  bool Set(std::string_view section, std::string_view key, std::string_view value);

  // The file's bytes; for an unchanged document exactly the bytes it was parsed from.
  std::string Serialize() const;

  static bool ValidNames(std::string_view section, std::string_view key);
  static bool ValidValue(std::string_view value);

 private:
  enum class Kind { kBlank, kComment, kSection, kKey, kOther };
  struct Line {
    std::string text;  // without its line end
    std::string end;   // "\n", "\r\n" or "" for a last line without one
    Kind kind = Kind::kOther;
    std::size_t name_begin = 0, name_size = 0;    // section or key name, trimmed
    std::size_t value_begin = 0, value_size = 0;  // key value, trimmed
  };

  static Line Classify(std::string text, std::string end);
  static std::string_view Name(const Line& line) {
    return std::string_view(line.text).substr(line.name_begin, line.name_size);
  }
  // Index of the first section line named `section`, or lines_.size().
  std::size_t FindSection(std::string_view section) const;
  std::string_view Newline() const;
  void EnsureEnded(std::size_t index);

  std::string bom_;
  std::vector<Line> lines_;
};

}  // namespace somnara::platform
