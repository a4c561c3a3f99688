#include "platform/linux/media/gst_media_service.h"

#include <gst/gst.h>
#include <malloc.h>

#include <filesystem>
#include <system_error>

#include "platform/linux/media/audio_output_probe.h"
#include "platform/linux/media/gst_media_device.h"
#include "platform/linux/media/short_names.h"

namespace somnara::platform {
namespace {

constexpr int kAllocatorThreshold = 256 * 1024;

// Loads the plugins every open needs (the elements of the pipeline and the type finders),
// so the first open spends its time on the file alone.
void LoadPipelinePlugins() {
  for (const char* factory :
       {"filesrc", "decodebin", "audioconvert", "audioresample", "audiobuffersplit", "volume"}) {
    if (GstElement* element = gst_element_factory_make(factory, nullptr)) {
      gst_object_unref(gst_object_ref_sink(element));
    }
  }
  GList* finders = gst_type_find_factory_get_list();
  for (GList* f = finders; f != nullptr; f = f->next) {
    if (GstPluginFeature* loaded = gst_plugin_feature_load(GST_PLUGIN_FEATURE(f->data))) {
      gst_object_unref(loaded);
    }
  }
  gst_plugin_feature_list_free(finders);
}

bool IsRegularFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

}  // namespace

GstMediaService::GstMediaService(GstMediaOptions options) : options_(std::move(options)) {
  // A decoder frees blocks of megabytes (the synthesiser's instruments); the allocator then
  // raises its thresholds to their size, and what the streaming threads free lies at the top
  // of their own arenas, which it neither trims nor hands back when asked to: the start-up
  // tune alone kept about 5 MiB all night. Fixed thresholds keep such blocks mapped apart
  // and let every arena shrink when its top is freed.
  mallopt(M_MMAP_THRESHOLD, kAllocatorThreshold);
  mallopt(M_TRIM_THRESHOLD, kAllocatorThreshold);
  start_ = std::thread([this] {
    GError* error = nullptr;
    ready_ = gst_init_check(nullptr, nullptr, &error) != FALSE;
    g_clear_error(&error);
    if (!ready_) {
      sink_ = "fakesink";
      return;
    }
    sink_ = options_.output == GstMediaOptions::Output::kProbe ? ProbeAudioSink() : "fakesink";
    LoadPipelinePlugins();
  });
}

GstMediaService::~GstMediaService() {
  AwaitStart();
  CloseAllDevices();
}

MediaResult GstMediaService::SendCommand(const std::string& command) {
  offered_ = std::move(ended_);
  MediaResult result = MediaDeviceTable::SendCommand(command);
  // Not taken back by the command right after its close: released as the close would have.
  offered_.reset();
  return result;
}

void GstMediaService::DeviceClosed(std::unique_ptr<MediaDevice> device) {
  // Every device of this table is one of ours.
  auto* ended = static_cast<GstMediaDevice*>(device.get());
  if (!ended->Rewindable()) return;
  device.release();
  ended_.reset(ended);
}

void GstMediaService::AwaitStart() const {
  if (start_.joinable()) start_.join();
}

MediaError GstMediaService::OpenDevice(const std::string& element,
                                       std::unique_ptr<MediaDevice>* device) {
  std::string file = element;
  if (!IsRegularFile(file)) {
    std::optional<std::string> resolved = short_names::ResolvePath(element);
    if (!resolved || !IsRegularFile(*resolved)) return MediaError::kFileNotFound;
    file = *resolved;
  }
  AwaitStart();
  if (!ready_) return MediaError::kDeviceFailed;
  std::error_code ec;
  std::string absolute = std::filesystem::absolute(file, ec).string();
  if (ec) return MediaError::kFileNotFound;
  if (offered_ != nullptr && offered_->File() == absolute && offered_->Sink() == sink_) {
    if (offered_->Rewind(options_.open_timeout_ms)) {
      *device = std::move(offered_);
      return MediaError::kNone;
    }
    offered_.reset();
  }

  // An output that answered opens again without being asked first (asking connects a
  // client of its own, a thread and its round trips, at every reopen of the night's track):
  // one that went away meanwhile fails the open as an output failure, and then the output
  // is looked for as it is now. Silence asks at every open, so a server that restarted or
  // started after us is found, and silence lasts only while there is none.
  const bool probing = options_.output == GstMediaOptions::Output::kProbe;
  if (!probing) {
    sink_ = "fakesink";
  } else if (sink_ == "fakesink") {
    sink_ = ProbeAudioSink();
  }
  GstMediaDevice::OpenFailure failure;
  auto build = [&] {
    ++pipelines_built_;
    return GstMediaDevice::Open(absolute, sink_, options_, probing, device, &failure);
  };
  MediaError result = build();
  if (failure == GstMediaDevice::OpenFailure::kOutput && sink_ != "fakesink") {
    const std::string gone = sink_;
    sink_ = ProbeAudioSink();
    // Still the one that just failed: it went away between the probe and the open, and
    // this sound goes on in silence.
    if (sink_ == gone) sink_ = "fakesink";
    result = build();
    if (failure == GstMediaDevice::OpenFailure::kOutput && sink_ != "fakesink") {
      sink_ = "fakesink";
      result = build();
    }
  }
  return result;
}

}  // namespace somnara::platform
