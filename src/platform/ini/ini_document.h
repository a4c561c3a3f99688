#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ini/ini_utf16.h"

namespace somnara::platform {

// The lines of an INI file, kept byte for byte so that a change touches one line only, and
// read the way the desktop's classic profile-string service reads them. Parsing never fails:
// whatever does not look like a section or a key line is kept as it is and ignored.
//
// Lines end in LF, CR LF or a lone CR; new lines take the file's first line end. A leading
// UTF-8 byte-order mark is kept; a UTF-16 one (either byte order) makes the file UTF-16,
// read as UTF-8 text and written back in its own encoding.
class IniDocument {
 public:
  static IniDocument Parse(std::string_view bytes);

  // The value of the first `key` in the first `section` (names matched without regard to
  // ASCII case, blanks around names dropped), or nothing. The value is read as the classic
  // service reads it: without the blanks around it, without a DOS end-of-file byte (0x1A)
  // at its end, and without one pair of matching quotes (" or ') around it.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

  // Replaces the key's line with key=value, the value unchanged, or adds the key after the
  // last entry of its section, or adds the section at the end. Returns false, changing
  // nothing, when Accepts refuses.
  bool Set(std::string_view section, std::string_view key, std::string_view value);

  // Whether Set would write these: ValidNames and ValidValue, and for a UTF-16 file text
  // that is valid UTF-8.
  bool Accepts(std::string_view section, std::string_view key, std::string_view value) const;

  // The file's bytes; for an unchanged document exactly the bytes it was parsed from.
  std::string Serialize() const;

  // Refuses names that could not be found again as written: empty names, line breaks or
  // NUL anywhere, "=" in a key, a key that would read as a section line or a comment.
  static bool ValidNames(std::string_view section, std::string_view key);
  // Refuses line breaks and NUL, which would cut the value or add lines.
  static bool ValidValue(std::string_view value);

 private:
  enum class Kind { kBlank, kComment, kSection, kKey, kOther };
  struct Line {
    std::string text;  // without its line end
    std::string end;   // "\n", "\r\n", "\r" or "" for a last line without one
    Kind kind = Kind::kOther;
    std::size_t name_begin = 0, name_size = 0;    // section or key name, trimmed
    std::size_t value_begin = 0, value_size = 0;  // key value as it is read
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
  std::optional<Utf16Order> utf16_;
  std::string odd_byte_;  // a UTF-16 file's last byte when its size is odd
  std::vector<Line> lines_;
};

}  // namespace somnara::platform
