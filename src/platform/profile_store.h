#pragma once

#include <cstddef>
#include <string>

namespace somnara::platform {

// Outcome of a profile write; `error` is an errno value when `ok` is false.
struct ProfileWriteResult {
  bool ok = true;
  int error = 0;
};

// Named values in sections of a small text file (key=value lines under [Section] lines).
// Section and key names match without regard to case; blanks around names and values do
// not count, nor does one pair of quotes around a value. Nothing is cached: every call goes
// to the file.
class ProfileStore {
 public:
  // The longest text a read hands back, as the classic 2048-byte reply buffer allowed.
  static constexpr std::size_t kMaxValueLength = 2047;

  virtual ~ProfileStore() = default;

  // The value of `key` in `section` of the file, or `default_value` when the file, the
  // section or the key is missing or the file cannot be read. At most kMaxValueLength
  // characters.
  virtual std::string ReadString(const std::string& section, const std::string& key,
                                 const std::string& default_value,
                                 const std::string& file_path) = 0;

  // Sets `key` in `section` to `value`, creating the file and the section when needed and
  // leaving every other line as it was.
  virtual ProfileWriteResult WriteString(const std::string& section, const std::string& key,
                                         const std::string& value,
                                         const std::string& file_path) = 0;
};

}  // namespace somnara::platform
