#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/system_volume.h"

struct pa_operation;

namespace somnara::platform {

// The volume of the sound server's default output (PulseAudio, or PipeWire through its
// PulseAudio protocol). Channel levels 0..65535 map linearly onto 0..PA_VOLUME_NORM; the left
// value goes to the output's left-side channels, the right value to its right-side channels,
// and the louder of the two to channels of neither side (centre, mono, bass).
//
// The feedback tone is a sample of the server's own cache, uploaded once per connection and
// then played by the server on the default output, so nothing here waits for it to end.
//
// One connection is kept and made again when it breaks. Every call waits at most the
// timeout given; without a server both calls fail at once (no server is started).
class PulseSystemVolume : public SystemVolume {
 public:
  explicit PulseSystemVolume(int timeout_ms = 500);
  ~PulseSystemVolume() override;
  PulseSystemVolume(const PulseSystemVolume&) = delete;
  PulseSystemVolume& operator=(const PulseSystemVolume&) = delete;

  bool GetVolume(uint32_t* value) override;
  bool SetVolume(uint32_t value) override;
  bool AboveFullScale() override;
  bool PlayFeedback() override;

  // The linear mapping between a channel level and the server's volume; exact in both
  // directions for every level.
  static uint32_t LevelToServer(uint16_t level);
  static uint16_t ServerToLevel(uint32_t server_volume);

 private:
  struct Connection;
  struct SinkState;
  bool Connect(int64_t deadline_ms);
  bool ReadDefaultSink(SinkState* sink, int64_t deadline_ms);
  // Waits for the operation (taking it over); false, dropping the connection, when the
  // deadline passed or the connection broke meanwhile.
  bool Finish(pa_operation* op, int64_t deadline_ms);
  bool UploadFeedback(int64_t deadline_ms);
  bool TryPlayFeedback(int64_t deadline_ms);
  void Drop();

  int timeout_ms_;
  std::unique_ptr<Connection> connection_;
  // What the last write asked for and what the server made of it: a server that rounds
  // still reads back the value written, until the volume is changed by someone else.
  bool have_written_ = false;
  uint32_t written_ = 0;
  uint32_t written_seen_ = 0;
  std::string written_sink_;
};

}  // namespace somnara::platform
