#include "support/sound_recorder.h"

#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "support/pulse_server.h"

namespace somnara::testing {
namespace {

constexpr size_t SampleAt(int64_t ms) {
  return ms <= 0 ? 0 : size_t(ms * SoundRecorder::kRate / 1000);
}
constexpr size_t kBlock = size_t(SoundRecorder::kRate * SoundRecorder::kBlockMs / 1000);

}  // namespace

SoundRecorder::~SoundRecorder() {
  Stop();
  if (!dir_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
}

bool SoundRecorder::Start(const PulseServer& server, std::string* error) {
  char pattern[] = "/tmp/somnara-rec-XXXXXX";
  if (mkdtemp(pattern) == nullptr) {
    *error = "cannot make a temporary folder for the recording";
    return false;
  }
  dir_ = pattern;
  path_ = dir_ + "/monitor.raw";
  LaunchOptions options;
  options.stdout_path = path_;
  options.stderr_path = dir_ + "/parec.log";
  // A short latency, so what is played shows up in the file about when it is played.
  if (!parec_.Start(
          {"parec", "-s", server.address(), "-d", PulseServer::kMonitor, "--raw", "--format=s16le",
           "--rate=" + std::to_string(kRate), "--channels=1", "--latency-msec=20"},
          options)) {
    *error = "cannot start parec";
    return false;
  }
  // The recording has begun once the first samples arrive.
  if (!WaitUntilRecorded(1, 15000)) {
    *error = "parec recorded nothing from " + std::string(PulseServer::kMonitor);
    return false;
  }
  return true;
}

void SoundRecorder::Stop() {
  parec_.Stop();
}

void SoundRecorder::ReadMore() {
  std::ifstream in(path_, std::ios::binary);
  if (!in) return;
  in.seekg(std::streamoff(bytes_read_));
  std::vector<char> bytes(1 << 16);
  while (in.read(bytes.data(), std::streamsize(bytes.size())) || in.gcount() > 0) {
    const size_t n = size_t(in.gcount());
    bytes_read_ += n;
    size_t i = 0;
    if (odd_byte_pending_ && n > 0) {
      samples_.push_back(int16_t(odd_byte_ | (uint8_t(bytes[0]) << 8)));
      odd_byte_pending_ = false;
      i = 1;
    }
    for (; i + 1 < n; i += 2)
      samples_.push_back(int16_t(uint8_t(bytes[i]) | (uint8_t(bytes[i + 1]) << 8)));
    if (i < n) {
      odd_byte_ = uint8_t(bytes[i]);
      odd_byte_pending_ = true;
    }
  }
}

int64_t SoundRecorder::RecordedMs() {
  ReadMore();
  return int64_t(samples_.size()) * 1000 / kRate;
}

bool SoundRecorder::WaitUntilRecorded(int64_t ms, int timeout_ms) {
  const int64_t end = MonotonicMs() + timeout_ms;
  while (RecordedMs() < ms) {
    if (MonotonicMs() >= end || parec_.Poll()) return false;
    SleepMs(20);
  }
  return true;
}

double SoundRecorder::BlockRms(size_t first, size_t count) const {
  if (count == 0) return 0;
  double sum = 0;
  for (size_t i = first; i < first + count; ++i) {
    const double v = samples_[i] / 32768.0;
    sum += v * v;
  }
  return std::sqrt(sum / double(count));
}

double SoundRecorder::Rms(int64_t from_ms, int64_t to_ms) {
  ReadMore();
  const size_t first = std::min(SampleAt(from_ms), samples_.size());
  const size_t last = std::min(SampleAt(to_ms), samples_.size());
  return last > first ? BlockRms(first, last - first) : 0;
}

double SoundRecorder::LoudestBlock(int64_t from_ms, int64_t to_ms) {
  ReadMore();
  const size_t last = std::min(SampleAt(to_ms), samples_.size());
  double loudest = 0;
  for (size_t first = SampleAt(from_ms); first + kBlock <= last; first += kBlock)
    loudest = std::max(loudest, BlockRms(first, kBlock));
  return loudest;
}

std::optional<int64_t> SoundRecorder::WaitForSound(int64_t from_ms, double threshold,
                                                   int timeout_ms) {
  const int64_t end = MonotonicMs() + timeout_ms;
  size_t first = SampleAt(from_ms);
  for (;;) {
    ReadMore();
    for (; first + kBlock <= samples_.size(); first += kBlock)
      if (BlockRms(first, kBlock) > threshold) return int64_t(first) * 1000 / kRate;
    if (MonotonicMs() >= end || parec_.Poll()) return std::nullopt;
    SleepMs(20);
  }
}

std::optional<int64_t> SoundRecorder::WaitForQuiet(int64_t from_ms, int length_ms, double threshold,
                                                   int timeout_ms) {
  const int64_t end = MonotonicMs() + timeout_ms;
  const size_t wanted = SampleAt(length_ms);
  size_t first = SampleAt(from_ms);
  size_t quiet_from = first;
  for (;;) {
    ReadMore();
    for (; first + kBlock <= samples_.size(); first += kBlock) {
      if (BlockRms(first, kBlock) > threshold) quiet_from = first + kBlock;
      if (first + kBlock - quiet_from >= wanted) return int64_t(first + kBlock) * 1000 / kRate;
    }
    if (MonotonicMs() >= end || parec_.Poll()) return std::nullopt;
    SleepMs(20);
  }
}

}  // namespace somnara::testing
