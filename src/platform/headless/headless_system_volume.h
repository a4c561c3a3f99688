#pragma once

#include <cstdint>
#include <vector>

#include "platform/system_volume.h"

namespace somnara::platform {

// A system volume kept in memory for tests. Every value written is also logged; while
// unavailable, both calls fail and nothing changes, as without a sound server.
class HeadlessSystemVolume : public SystemVolume {
 public:
  explicit HeadlessSystemVolume(uint32_t value = 0xFFFFFFFF) : value_(value) {}

  bool GetVolume(uint32_t* value) override;
  bool SetVolume(uint32_t value) override;
  bool AboveFullScale() override { return available_ && above_full_scale_; }
  bool PlayFeedback() override;

  uint32_t Value() const { return value_; }
  // Sets the volume as another program would: not logged.
  void SetValue(uint32_t value) { value_ = value; }
  // An output turned up beyond full scale by another program; any write ends that.
  void SetAboveFullScale(bool above) { above_full_scale_ = above; }
  void SetAvailable(bool available) { available_ = available; }
  const std::vector<uint32_t>& Writes() const { return writes_; }
  void ClearWrites() { writes_.clear(); }
  // The volume at each feedback tone played.
  const std::vector<uint32_t>& Feedback() const { return feedback_; }

 private:
  uint32_t value_;
  bool available_ = true;
  bool above_full_scale_ = false;
  std::vector<uint32_t> writes_;
  std::vector<uint32_t> feedback_;
};

}  // namespace somnara::platform
