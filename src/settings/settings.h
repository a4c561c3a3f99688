#pragma once

#include <cstdint>
#include <string>

#include "settings/options.h"

namespace somnara::platform {
class ProfileStore;
}

namespace somnara::settings {

// Full path of the settings file: beside the executable, or where the platform's settings
// folder puts it when the program folder cannot take it.
std::string SettingsFilePath();

// The settings file, opened for one group of reads or writes and released at once. Every
// call goes to the file; nothing is kept between calls.
class Settings {
 public:
  // Uses the profile store of the platform in force.
  explicit Settings(std::string file_path);
  Settings(std::string file_path, platform::ProfileStore& store);
  Settings(const Settings&) = delete;
  Settings& operator=(const Settings&) = delete;

  const std::string& FileName() const { return file_path_; }

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& default_value) const;
  // Decimal, or hexadecimal after "0x"; the default for anything else or out of range.
  int32_t ReadInteger(const std::string& section, const std::string& key,
                      int32_t default_value) const;
  // Any non-zero number is true.
  bool ReadBool(const std::string& section, const std::string& key, bool default_value) const;

  // Each raises fw::FileError "Unable to write to <full path>" when the file cannot be written.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, int32_t value);
  void WriteBool(const std::string& section, const std::string& key, bool value);

  // The entries of section "Option" by their typed description (settings/options.h).
  std::string Read(const TextOption& option) const;
  int32_t Read(const NumberOption& option) const;
  bool Read(const SwitchOption& option) const;
  void Write(const TextOption& option, const std::string& value);
  void Write(const NumberOption& option, int32_t value);
  void Write(const SwitchOption& option, bool value);

 private:
  std::string file_path_;
  platform::ProfileStore& store_;
};

// The integer rule of the settings file on its own: "0x"/"0X" and at least one more
// character means hexadecimal, otherwise decimal with an optional sign. Texts that are not
// whole numbers, or do not fit 32 bits, give `default_value`.
int32_t SettingsTextToInt(const std::string& text, int32_t default_value);

}  // namespace somnara::settings
