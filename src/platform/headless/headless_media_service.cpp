#include "platform/headless/headless_media_service.h"

#include <algorithm>

namespace somnara::platform {
namespace {

// A track that plays by the clock alone.
class ClockedTrack : public MediaDevice {
 public:
  ClockedTrack(const Clock& clock, int64_t length_ms) : clock_(clock), length_ms_(length_ms) {}

  MediaError Play() override {
    if (!playing_) {
      if (position_ms_ >= length_ms_) position_ms_ = 0;
      started_at_ = clock_.NowMs();
      playing_ = true;
    }
    return MediaError::kNone;
  }
  MediaError Stop() override {
    position_ms_ = PositionMs();
    playing_ = false;
    return MediaError::kNone;
  }
  MediaError SetVolume(int) override { return MediaError::kNone; }
  int64_t LengthMs() override { return length_ms_; }
  int64_t PositionMs() override {
    Poll();
    if (!playing_) return position_ms_;
    return std::min(length_ms_, position_ms_ + clock_.NowMs() - started_at_);
  }
  bool Playing() override {
    Poll();
    return playing_;
  }
  // A track that has played to its end stops there.
  void Poll() override {
    if (playing_ && position_ms_ + clock_.NowMs() - started_at_ >= length_ms_) {
      position_ms_ = length_ms_;
      playing_ = false;
    }
  }

 private:
  const Clock& clock_;
  int64_t length_ms_;
  int64_t position_ms_ = 0;
  int64_t started_at_ = 0;
  bool playing_ = false;
};

}  // namespace

HeadlessMediaService::HeadlessMediaService(const Clock& clock) : clock_(clock) {}

HeadlessMediaService::~HeadlessMediaService() {
  CloseAllDevices();
}

void HeadlessMediaService::AddTrack(const std::string& element, int64_t length_ms) {
  unplayable_.erase(AsciiLower(element));
  tracks_[AsciiLower(element)] = std::max<int64_t>(0, length_ms);
}

void HeadlessMediaService::RemoveTrack(const std::string& element) {
  tracks_.erase(AsciiLower(element));
  unplayable_.erase(AsciiLower(element));
}

void HeadlessMediaService::MakeUnplayable(const std::string& element) {
  tracks_.erase(AsciiLower(element));
  unplayable_.insert(AsciiLower(element));
}

MediaResult HeadlessMediaService::SendCommand(const std::string& command) {
  MediaResult result = MediaDeviceTable::SendCommand(command);
  log_.push_back(LogEntry{clock_.NowMs(), command, result.code});
  return result;
}

MediaError HeadlessMediaService::OpenDevice(const std::string& element,
                                            std::unique_ptr<MediaDevice>* device) {
  if (unplayable_.count(AsciiLower(element)) != 0) return MediaError::kNotPlayable;
  auto it = tracks_.find(AsciiLower(element));
  if (it == tracks_.end()) return MediaError::kFileNotFound;
  *device = std::make_unique<ClockedTrack>(clock_, it->second);
  return MediaError::kNone;
}

}  // namespace somnara::platform
