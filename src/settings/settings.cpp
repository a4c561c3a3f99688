#include "settings/settings.h"

#include <charconv>
#include <stdexcept>
#include <utility>

#include "framework/exceptions.h"
#include "framework/file_path.h"
#include "platform/platform.h"
#include "platform/profile_store.h"
#include "platform/settings_folder.h"

namespace somnara::settings {
namespace {

platform::ProfileStore& InstalledStore() {
  platform::ProfileStore* store = platform::Current().profiles;
  if (store == nullptr) throw std::logic_error("no profile store installed");
  return *store;
}

}  // namespace

std::string SettingsFilePath() {
  const platform::Services& services = platform::Current();
  const std::string folder = services.settings_folder != nullptr
                                 ? services.settings_folder->Locate(kSettingsFileName)
                                 : services.program_dir;
  return folder + "/" + kSettingsFileName;
}

int32_t SettingsTextToInt(const std::string& text, int32_t default_value) {
  const char* first = text.data();
  const char* last = first + text.size();
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    first += 2;
    base = 16;
  } else if (first != last && *first == '+') {
    ++first;  // from_chars takes a minus sign only
  }
  // After a prefix or a plus sign no minus may follow.
  if (first == last || (first != text.data() && *first == '-')) return default_value;
  int32_t value = 0;
  auto [end, error] = std::from_chars(first, last, value, base);
  if (error != std::errc() || end != last) return default_value;
  return value;
}

Settings::Settings(std::string file_path) : Settings(std::move(file_path), InstalledStore()) {}

Settings::Settings(std::string file_path, platform::ProfileStore& store)
    : file_path_(std::move(file_path)), store_(store) {}

std::string Settings::ReadString(const std::string& section, const std::string& key,
                                 const std::string& default_value) const {
  return store_.ReadString(section, key, default_value, file_path_);
}

int32_t Settings::ReadInteger(const std::string& section, const std::string& key,
                              int32_t default_value) const {
  return SettingsTextToInt(store_.ReadString(section, key, "", file_path_), default_value);
}

bool Settings::ReadBool(const std::string& section, const std::string& key,
                        bool default_value) const {
  return ReadInteger(section, key, default_value ? 1 : 0) != 0;
}

void Settings::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
  // The first write to a user's configuration folder makes it; should that fail, the write
  // below fails and says so.
  if (platform::SettingsFolder* folder = platform::Current().settings_folder) {
    const std::size_t slash = file_path_.rfind('/');
    if (slash != std::string::npos && slash > 0) (void)folder->Create(file_path_.substr(0, slash));
  }
  if (!store_.WriteString(section, key, value, file_path_).ok) {
    throw fw::FileError(fw::Format("Unable to write to %s", fw::ShownPath(file_path_)));
  }
}

void Settings::WriteInteger(const std::string& section, const std::string& key, int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void Settings::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

std::string Settings::Read(const TextOption& option) const {
  return ReadString(kOptionSection, option.key, option.fallback);
}

int32_t Settings::Read(const NumberOption& option) const {
  return ReadInteger(kOptionSection, option.key, option.fallback);
}

bool Settings::Read(const SwitchOption& option) const {
  return ReadBool(kOptionSection, option.key, option.fallback);
}

void Settings::Write(const TextOption& option, const std::string& value) {
  WriteString(kOptionSection, option.key, value);
}

void Settings::Write(const NumberOption& option, int32_t value) {
  WriteInteger(kOptionSection, option.key, value);
}

void Settings::Write(const SwitchOption& option, bool value) {
  WriteBool(kOptionSection, option.key, value);
}

}  // namespace somnara::settings
