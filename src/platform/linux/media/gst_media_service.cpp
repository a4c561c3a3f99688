#include "platform/linux/media/gst_media_service.h"

#include <gst/gst.h>

#include <filesystem>
#include <system_error>

#include "platform/linux/media/audio_output_probe.h"
#include "platform/linux/media/gst_media_device.h"
#include "platform/linux/media/short_names.h"

namespace somnara::platform {
namespace {

bool IsRegularFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

}  // namespace

GstMediaService::GstMediaService(GstMediaOptions options) : options_(std::move(options)) {
  GError* error = nullptr;
  ready_ = gst_init_check(nullptr, nullptr, &error) != FALSE;
  g_clear_error(&error);
  sink_ =
      ready_ && options_.output == GstMediaOptions::Output::kProbe ? ProbeAudioSink() : "fakesink";
}

GstMediaService::~GstMediaService() {
  CloseAllDevices();
}

MediaError GstMediaService::OpenDevice(const std::string& element,
                                       std::unique_ptr<MediaDevice>* device) {
  std::string file = element;
  if (!IsRegularFile(file)) {
    std::optional<std::string> resolved = short_names::ResolvePath(element);
    if (!resolved || !IsRegularFile(*resolved)) return MediaError::kFileNotFound;
    file = *resolved;
  }
  if (!ready_) return MediaError::kDeviceFailed;
  std::error_code ec;
  std::string absolute = std::filesystem::absolute(file, ec).string();
  if (ec) return MediaError::kFileNotFound;

  // The output is asked for at every open: a sound server that went away, restarted or
  // started after us is found as it is now, and silence lasts only while there is none.
  const bool probing = options_.output == GstMediaOptions::Output::kProbe;
  sink_ = probing ? ProbeAudioSink() : "fakesink";
  GstMediaDevice::OpenFailure failure;
  MediaError result = GstMediaDevice::Open(absolute, sink_, options_, probing, device, &failure);
  if (failure == GstMediaDevice::OpenFailure::kOutput && sink_ != "fakesink") {
    // The output went away between the probe and the open: this sound goes on in silence.
    sink_ = "fakesink";
    result = GstMediaDevice::Open(absolute, sink_, options_, probing, device, &failure);
  }
  return result;
}

}  // namespace somnara::platform
