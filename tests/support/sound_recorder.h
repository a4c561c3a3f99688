#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/child_process.h"

namespace somnara::testing {

class PulseServer;

// What a private sound server's output really plays, recorded from its monitor by parec
// as 16-bit mono at 44.1 kHz into a file. Times are milliseconds of the recording, from
// its first sample; the recording is read as it grows.
class SoundRecorder {
 public:
  static constexpr int kRate = 44100;
  // Loudness is judged over blocks this long.
  static constexpr int kBlockMs = 50;

  SoundRecorder() = default;
  ~SoundRecorder();
  SoundRecorder(const SoundRecorder&) = delete;
  SoundRecorder& operator=(const SoundRecorder&) = delete;

  bool Start(const PulseServer& server, std::string* error);
  void Stop();

  // How much has been recorded so far.
  int64_t RecordedMs();
  // Waits (bounded) until the recording reaches `ms`.
  bool WaitUntilRecorded(int64_t ms, int timeout_ms);

  // RMS of the samples from `from_ms` to `to_ms`, on a 0 to 1 scale (full scale is 1).
  double Rms(int64_t from_ms, int64_t to_ms);
  // RMS of the loudest block between the two times.
  double LoudestBlock(int64_t from_ms, int64_t to_ms);
  // The start of the first block from `from_ms` on whose RMS exceeds `threshold`, waiting
  // (bounded) for the recording to grow.
  std::optional<int64_t> WaitForSound(int64_t from_ms, double threshold, int timeout_ms);
  // The end of the first stretch of `length_ms` from `from_ms` on in which no block's RMS
  // exceeds `threshold`, waiting (bounded) for the recording to grow.
  std::optional<int64_t> WaitForQuiet(int64_t from_ms, int length_ms, double threshold,
                                      int timeout_ms);

 private:
  void ReadMore();
  double BlockRms(size_t first, size_t count) const;

  ChildProcess parec_;
  std::string dir_;
  std::string path_;
  std::vector<int16_t> samples_;
  uint64_t bytes_read_ = 0;
  bool odd_byte_pending_ = false;
  uint8_t odd_byte_ = 0;
};

}  // namespace somnara::testing
