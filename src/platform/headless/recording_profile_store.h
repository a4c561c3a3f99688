#pragma once

#include <string>
#include <vector>

#include "platform/profile_store.h"

namespace somnara::platform {

// Passes every call to a real store and keeps a log of them, so a test can check which
// keys were read or written and in what order. It can also refuse writes, as a read-only
// folder would, which root cannot otherwise arrange.
class RecordingProfileStore : public ProfileStore {
 public:
  struct Call {
    enum class Kind { kRead, kWrite };
    Kind kind;
    std::string section;
    std::string key;
    std::string value;  // written value, or the value a read returned
    std::string file_path;
    bool operator==(const Call&) const = default;
  };

  explicit RecordingProfileStore(ProfileStore& inner) : inner_(inner) {}

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& default_value, const std::string& file_path) override;
  ProfileWriteResult WriteString(const std::string& section, const std::string& key,
                                 const std::string& value, const std::string& file_path) override;

  const std::vector<Call>& calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }
  // From the `allowed`-th write on (0: the next one), writes fail with `error` and leave
  // the file alone; refused writes are logged too.
  void RefuseWritesAfter(int allowed, int error);
  void AcceptWrites() { refuse_after_ = -1; }

 private:
  ProfileStore& inner_;
  std::vector<Call> calls_;
  int refuse_after_ = -1;
  int refuse_error_ = 0;
};

}  // namespace somnara::platform
