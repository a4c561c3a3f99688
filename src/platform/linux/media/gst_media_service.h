#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "platform/linux/media/gst_media_device.h"
#include "platform/linux/media/gst_media_options.h"
#include "platform/media_device_table.h"

namespace somnara::platform {

// The media service on GStreamer. Each open device is a pipeline of its own; the format of
// a file is found from its content, whatever its name. Elements are resolved as the short
// path service writes them: short names and names in another letter case find the file.
// GStreamer starts on a thread of its own while the program builds its first window, and
// the first command that needs it waits for the rest.
class GstMediaService : public MediaDeviceTable {
 public:
  explicit GstMediaService(GstMediaOptions options = {});
  ~GstMediaService() override;

  MediaResult SendCommand(const std::string& command) override;

  // The sink the last open chose, or the one found at construction before any open
  // ("pulsesink", "alsasink", or "fakesink" for timed silence).
  const std::string& AudioSink() const {
    AwaitStart();
    return sink_;
  }
  // Pipelines built by opens so far; an open that took back a track closed at its end
  // built none.
  uint64_t PipelinesBuilt() const { return pipelines_built_; }

 protected:
  MediaError OpenDevice(const std::string& element, std::unique_ptr<MediaDevice>* device) override;
  void DeviceClosed(std::unique_ptr<MediaDevice> device) override;

 private:
  void AwaitStart() const;

  GstMediaOptions options_;
  bool ready_ = false;
  std::string sink_;
  uint64_t pipelines_built_ = 0;
  // A track closed at its end, kept for the next command: the loop that closes a track at
  // its end and opens the same file again takes back its pipeline, sound client and
  // threads instead of building them anew every time round.
  std::unique_ptr<GstMediaDevice> ended_;
  std::unique_ptr<GstMediaDevice> offered_;  // ended_, while the command after its close runs
  // Initialises GStreamer, finds the output and loads the elements of a sound pipeline.
  mutable std::thread start_;
};

}  // namespace somnara::platform
