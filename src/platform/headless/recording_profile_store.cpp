#include "platform/headless/recording_profile_store.h"

namespace somnara::platform {

std::string RecordingProfileStore::ReadString(const std::string& section, const std::string& key,
                                              const std::string& default_value,
                                              const std::string& file_path) {
  std::string value = inner_.ReadString(section, key, default_value, file_path);
  calls_.push_back({Call::Kind::kRead, section, key, value, file_path});
  return value;
}

ProfileWriteResult RecordingProfileStore::WriteString(const std::string& section,
                                                      const std::string& key,
                                                      const std::string& value,
                                                      const std::string& file_path) {
  calls_.push_back({Call::Kind::kWrite, section, key, value, file_path});
  if (refuse_after_ == 0) return {false, refuse_error_};
  if (refuse_after_ > 0) --refuse_after_;
  return inner_.WriteString(section, key, value, file_path);
}

void RecordingProfileStore::RefuseWritesAfter(int allowed, int error) {
  refuse_after_ = allowed;
  refuse_error_ = error;
}

}  // namespace somnara::platform
