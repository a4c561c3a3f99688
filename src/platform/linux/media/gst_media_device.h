#pragma once

#include <gst/gst.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/linux/media/gst_media_options.h"
#include "platform/media_device.h"

namespace somnara::platform {

// What tells a file written over or replaced from the one read before.
struct FileStamp {
  uint64_t device = 0;
  uint64_t inode = 0;
  int64_t size = 0;
  int64_t modified_ns = 0;
  bool operator==(const FileStamp&) const = default;
  static std::optional<FileStamp> Of(const std::string& path);
};

// One file played by a pipeline of no more elements than one sound needs: the file, a
// decoder chosen from its content, conversion and the sink, whose own stream volume is the
// level where it has one (a volume element before it where not). The pipeline's bus is
// read on each call; no main loop and no watch wake the program.
class GstMediaDevice : public MediaDevice {
 public:
  // Why an open failed where the caller can do something about it.
  enum class OpenFailure { kNone, kOutput };

  // Opens file (an existing path) and waits, at most options.open_timeout_ms, until its
  // content is known to be sound; the rest of getting ready (a synthesiser loading its
  // instruments, the first samples reaching the sink) goes on in the background, and the
  // length and position wait for it, within the same bound. A file whose earlier open timed out is
  // refused at once (kOpenTimedOut) until that attempt's pipeline has been released. audio_sink is
  // the factory of the sink to play into ("fakesink" plays in silence at the pace of the clock). A
  // device that plays into "fakesink" with `await_output` stands in for a missing sound output: it
  // ends its track as soon as an output answers again, so that whoever loops it opens it anew on
  // that output.
  static MediaError Open(const std::string& file, const std::string& audio_sink,
                         const GstMediaOptions& options, bool await_output,
                         std::unique_ptr<MediaDevice>* device, OpenFailure* failure);
  ~GstMediaDevice() override;

  // Whether the track played to its end on a sound output it still has (not a stand-in,
  // not broken off), so that Rewind can make it as good as a new open of its file.
  bool Rewindable() const { return ended_by_stream_ && !awaits_output_ && !release_in_background_; }
  // Back to the state of a fresh open: stopped at the start, full level, the length and
  // position waiting for the pipeline within the open's bound. False when the pipeline
  // will not go back or the file is not what it opened (written over, replaced); it must
  // then be released.
  bool Rewind(int open_timeout_ms);
  const std::string& File() const { return file_; }
  const std::string& Sink() const { return sink_; }

  MediaError Play() override;
  MediaError Stop() override;
  MediaError SetVolume(int level) override;
  int64_t LengthMs() override;
  int64_t PositionMs() override;
  bool Playing() override;
  void Poll() override;

 private:
  GstMediaDevice(GstElement* pipeline, const std::string& file);

  // Waits, until the open's bound, for the pipeline to be ready; false when it is not.
  bool AwaitReady();
  // Whether the pipeline has settled in its state, without waiting.
  bool Settled();
  // Back to the first sample, the end and the positions reported forgotten; false when the
  // pipeline refused the seek.
  bool SeekToStart();

  void ReachEnd();
  // For a stand-in: whether an output answers again, asked at most once a second.
  bool OutputIsBack();
  int64_t RawPositionMs();
  // -1 when not known.
  int64_t DurationMs();

  GstElement* pipeline_;
  GstBus* bus_;
  GstElement* volume_ = nullptr;  // the sink or a volume element, owned by the pipeline
  std::string file_;
  std::string sink_;
  std::optional<FileStamp> stamp_;  // the file as the pipeline first read it
  bool ready_ = false;
  int64_t ready_deadline_us_ = 0;
  bool playing_ = false;
  bool at_end_ = false;
  bool ended_by_stream_ = false;  // the end came from the stream, not from a failure
  int64_t end_ms_ = 0;
  int64_t last_position_ms_ = 0;
  int64_t max_reported_ms_ = -1;
  bool release_in_background_ = false;
  bool awaits_output_ = false;
  int64_t output_asked_us_ = 0;
};

}  // namespace somnara::platform
