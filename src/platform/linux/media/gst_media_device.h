#pragma once

#include <gst/gst.h>

#include <memory>
#include <string>

#include "platform/linux/media/gst_media_options.h"
#include "platform/media_device.h"

namespace somnara::platform {

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
  bool ready_ = false;
  int64_t ready_deadline_us_ = 0;
  bool playing_ = false;
  bool at_end_ = false;
  int64_t end_ms_ = 0;
  int64_t last_position_ms_ = 0;
  int64_t max_reported_ms_ = -1;
  bool release_in_background_ = false;
  bool awaits_output_ = false;
  int64_t output_asked_us_ = 0;
};

}  // namespace somnara::platform
