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

  GstMediaDevice::OpenFailure failure;
  MediaError result = GstMediaDevice::Open(absolute, sink_, options_, device, &failure);
  if (failure == GstMediaDevice::OpenFailure::kOutput && sink_ != "fakesink") {
    // The sound output went away since start: go on in silence rather than not at all.
    sink_ = "fakesink";
    result = GstMediaDevice::Open(absolute, sink_, options_, device, &failure);
  }
  return result;
}

}  // namespace somnara::platform
