#include "platform/headless/headless_system_volume.h"

namespace somnara::platform {

bool HeadlessSystemVolume::GetVolume(uint32_t* value) {
  if (!available_ || value == nullptr) return false;
  *value = value_;
  return true;
}

bool HeadlessSystemVolume::SetVolume(uint32_t value) {
  if (!available_) return false;
  value_ = value;
  above_full_scale_ = false;
  writes_.push_back(value);
  return true;
}

bool HeadlessSystemVolume::PlayFeedback() {
  if (!available_) return false;
  feedback_.push_back(value_);
  return true;
}

}  // namespace somnara::platform
