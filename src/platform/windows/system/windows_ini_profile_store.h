#pragma once

#include <string>

#include "platform/profile_store.h"

namespace somnara::platform {

// Profile strings in INI files on disk, in the same format as on every other desktop. The
// system's own profile service writes the file in place, so a process that dies meanwhile
// can leave it torn; here a write never does: the new contents go to a temporary file in the
// same folder, which is flushed and then moved over the old file in one step, keeping the
// old file's attributes. Only where the folder takes no new files but the file itself is
// writable is the file overwritten in place, without that guarantee. Failures are errno
// values, as the interface speaks them.
class WindowsIniProfileStore : public ProfileStore {
 public:
  // Files larger than this are not INI files of ours: reads give the default and writes
  // fail rather than hold the whole thing in memory.
  static constexpr long long kMaxFileBytes = 16ll << 20;

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& default_value, const std::string& file_path) override;
  ProfileWriteResult WriteString(const std::string& section, const std::string& key,
                                 const std::string& value, const std::string& file_path) override;

  // The temporary name a write of `file_path` by process `process_id` uses (its `serial`th).
  static std::string TempPath(const std::string& file_path, unsigned long process_id,
                              unsigned serial);
};

}  // namespace somnara::platform
