#pragma once

#include "platform/profile_store.h"

namespace somnara::platform {

// Profile strings in INI files on disk. A write never leaves a torn, empty or half-written
// file behind, whatever moment the process dies at: the new contents go to a temporary
// file in the same folder, which is synced and then renamed over the old file, keeping its
// permissions. Only where the folder refuses that but the file itself is writable (a
// read-only program folder holding a file its user may change) is the file overwritten in
// place, without that guarantee.
class IniProfileStore : public ProfileStore {
 public:
  struct Options {
    // Write through an unnamed temporary file where the file system has them, so that a
    // process killed while writing leaves nothing behind. Off: always a named one.
    bool unnamed_temp_files = true;
  };

  // Files larger than this are not INI files of ours: reads give the default and writes
  // fail rather than hold the whole thing in memory.
  static constexpr long long kMaxFileBytes = 16ll << 20;

  IniProfileStore() = default;
  explicit IniProfileStore(Options options) : options_(options) {}

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& default_value, const std::string& file_path) override;
  ProfileWriteResult WriteString(const std::string& section, const std::string& key,
                                 const std::string& value, const std::string& file_path) override;

 private:
  Options options_;
};

}  // namespace somnara::platform
