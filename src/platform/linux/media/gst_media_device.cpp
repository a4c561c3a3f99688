#include "platform/linux/media/gst_media_device.h"

#include <gst/audio/streamvolume.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <set>
#include <thread>

#include "platform/linux/media/audio_output_probe.h"

namespace somnara::platform {
namespace {

// playbin's flags: decode audio only, and let playbin scale the volume itself.
constexpr guint kPlayFlagAudio = 1u << 1;
constexpr guint kPlayFlagSoftVolume = 1u << 4;

constexpr int64_t kNsPerMs = 1000000;
constexpr int kDurationWaitMs = 20;
constexpr int64_t kOutputAskIntervalUs = 1000000;

// Files whose timed-out pipelines are still being released on a thread of their own.
std::mutex g_releasing_mutex;
std::set<std::string>& Releasing() {
  static auto* files = new std::set<std::string>;  // never destroyed: releases may end late
  return *files;
}

bool StillReleasing(const std::string& file) {
  std::lock_guard lock(g_releasing_mutex);
  return Releasing().count(file) != 0;
}

// Gives the MIDI synthesiser its instruments and loudness. The soundfont is named here
// rather than looked for in the data directories, which a desktop session may not list.
// `data` is a copy of the options owned by the signal connection, so it lives as long as
// the pipeline can still set elements up, even once the device is gone.
void SetUpElement(GstElement* /*playbin*/, GstElement* element, gpointer data) {
  const auto* options = static_cast<const GstMediaOptions*>(data);
  GstElementFactory* factory = gst_element_get_factory(element);
  if (factory == nullptr || std::strcmp(GST_OBJECT_NAME(factory), "fluiddec") != 0) return;
  g_object_set(element, "soundfont", options->soundfont.c_str(), "synth-gain", options->midi_gain,
               nullptr);
}

struct MessageDeleter {
  void operator()(GstMessage* message) const { gst_message_unref(message); }
};
using Message = std::unique_ptr<GstMessage, MessageDeleter>;

// A failure of the sound output itself (no server, device gone) rather than of the file.
bool IsOutputFailure(GstMessage* error, GstElement* sink) {
  GError* err = nullptr;
  gst_message_parse_error(error, &err, nullptr);
  bool resource = err != nullptr && err->domain == GST_RESOURCE_ERROR;
  g_clear_error(&err);
  GstObject* source = GST_MESSAGE_SRC(error);
  bool from_sink =
      source == GST_OBJECT(sink) || gst_object_has_as_ancestor(source, GST_OBJECT(sink));
  return resource && from_sink;
}

}  // namespace

void DeleteOptions(gpointer data, GClosure* /*closure*/) {
  delete static_cast<GstMediaOptions*>(data);
}

GstMediaDevice::GstMediaDevice(GstElement* pipeline, const std::string& file)
    : pipeline_(GST_ELEMENT(gst_object_ref_sink(pipeline))),
      bus_(gst_element_get_bus(pipeline_)),
      file_(file) {}

GstMediaDevice::~GstMediaDevice() {
  auto release = [](GstElement* pipeline, GstBus* bus) {
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(bus);
    gst_object_unref(pipeline);
  };
  if (release_in_background_) {
    // Stopping waits for the streaming threads, and one that is still busy opening (a
    // soundfont loading from a slow disk) would hold the caller past the open's bound.
    {
      std::lock_guard lock(g_releasing_mutex);
      Releasing().insert(file_);
    }
    std::thread([release, pipeline = pipeline_, bus = bus_, file = file_] {
      release(pipeline, bus);
      std::lock_guard lock(g_releasing_mutex);
      Releasing().erase(file);
    }).detach();
  } else {
    release(pipeline_, bus_);
  }
}

MediaError GstMediaDevice::Open(const std::string& file, const std::string& audio_sink,
                                const GstMediaOptions& options, bool await_output,
                                std::unique_ptr<MediaDevice>* device, OpenFailure* failure) {
  *failure = OpenFailure::kNone;
  // A file that timed out is refused until its pipeline is gone: retried by the loop timer
  // every tick, it would otherwise cost a full wait and one more stuck thread each time.
  if (StillReleasing(file)) return MediaError::kOpenTimedOut;
  GstElement* playbin = gst_element_factory_make("playbin", nullptr);
  if (playbin == nullptr) return MediaError::kDeviceFailed;
  std::unique_ptr<GstMediaDevice> self(new GstMediaDevice(playbin, file));

  GstElement* sink = gst_element_factory_make(audio_sink.c_str(), nullptr);
  GstElement* video_sink = gst_element_factory_make("fakesink", nullptr);
  if (sink == nullptr || video_sink == nullptr) {
    if (sink != nullptr) gst_object_unref(gst_object_ref_sink(sink));
    if (video_sink != nullptr) gst_object_unref(gst_object_ref_sink(video_sink));
    return MediaError::kDeviceFailed;
  }
  // Silence that keeps time: positions advance as they would with a loudspeaker.
  if (audio_sink == "fakesink") g_object_set(sink, "sync", TRUE, nullptr);

  GError* error = nullptr;
  gchar* uri = gst_filename_to_uri(file.c_str(), &error);
  if (uri == nullptr) {
    g_clear_error(&error);
    gst_object_unref(gst_object_ref_sink(sink));
    gst_object_unref(gst_object_ref_sink(video_sink));
    return MediaError::kFileNotFound;
  }
  g_object_set(self->pipeline_, "uri", uri, "audio-sink", sink, "video-sink", video_sink, "flags",
               kPlayFlagAudio | kPlayFlagSoftVolume, nullptr);
  g_free(uri);
  g_signal_connect_data(self->pipeline_, "element-setup", G_CALLBACK(&SetUpElement),
                        new GstMediaOptions(options), &DeleteOptions, GConnectFlags(0));

  GstStateChangeReturn change = gst_element_set_state(self->pipeline_, GST_STATE_PAUSED);
  if (change == GST_STATE_CHANGE_ASYNC || change == GST_STATE_CHANGE_FAILURE) {
    // A failure posts its error on the bus; wait for it only briefly.
    GstClockTime timeout = change == GST_STATE_CHANGE_FAILURE
                               ? 100 * GST_MSECOND
                               : static_cast<GstClockTime>(options.open_timeout_ms) * GST_MSECOND;
    Message message(gst_bus_timed_pop_filtered(
        self->bus_, timeout,
        static_cast<GstMessageType>(GST_MESSAGE_ERROR | GST_MESSAGE_ASYNC_DONE)));
    if (message == nullptr) {
      if (change == GST_STATE_CHANGE_FAILURE) return MediaError::kNotPlayable;
      self->release_in_background_ = true;
      return MediaError::kOpenTimedOut;
    }
    if (GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_ERROR) {
      if (IsOutputFailure(message.get(), sink)) *failure = OpenFailure::kOutput;
      return MediaError::kNotPlayable;
    }
  }
  // Some parsers (MP3 without a length header) estimate the duration a moment after the
  // first frames; a short wait lets the length be known right after the open.
  for (int waited_ms = 0; waited_ms < kDurationWaitMs && self->DurationMs() < 0; ++waited_ms) {
    g_usleep(1000);
  }
  gint audio_streams = 0;
  g_object_get(self->pipeline_, "n-audio", &audio_streams, nullptr);
  if (audio_streams <= 0) return MediaError::kNotPlayable;
  self->awaits_output_ = await_output && audio_sink == "fakesink";
  self->output_asked_us_ = g_get_monotonic_time();
  *device = std::move(self);
  return MediaError::kNone;
}

MediaError GstMediaDevice::Play() {
  if (at_end_) {
    gst_element_seek_simple(pipeline_, GST_FORMAT_TIME,
                            static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_KEY_UNIT),
                            0);
    at_end_ = false;
    last_position_ms_ = 0;
    max_reported_ms_ = -1;
  }
  if (gst_element_set_state(pipeline_, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
    return MediaError::kDeviceFailed;
  }
  playing_ = true;
  return MediaError::kNone;
}

MediaError GstMediaDevice::Stop() {
  if (playing_ && gst_element_set_state(pipeline_, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE) {
    return MediaError::kDeviceFailed;
  }
  playing_ = false;
  return MediaError::kNone;
}

MediaError GstMediaDevice::SetVolume(int level) {
  gst_stream_volume_set_volume(GST_STREAM_VOLUME(pipeline_), GST_STREAM_VOLUME_FORMAT_CUBIC,
                               std::clamp(level, 0, 1000) / 1000.0);
  return MediaError::kNone;
}

int64_t GstMediaDevice::LengthMs() {
  if (at_end_) return end_ms_;
  int64_t duration = DurationMs();
  if (duration > 0) return duration;
  // Not known yet: always beyond any position given so far, so never taken for the end.
  return std::max(max_reported_ms_, RawPositionMs()) + 1;
}

int64_t GstMediaDevice::PositionMs() {
  if (at_end_) return end_ms_;
  int64_t position = RawPositionMs();
  // A duration that is only an estimate can be reached before the stream ends; the end
  // is the end of the stream, not of the estimate.
  int64_t duration = DurationMs();
  if (duration > 0) position = std::min(position, duration - 1);
  max_reported_ms_ = std::max(max_reported_ms_, position);
  return position;
}

bool GstMediaDevice::Playing() {
  return playing_ && !at_end_;
}

void GstMediaDevice::Poll() {
  if (awaits_output_ && playing_ && !at_end_ && OutputIsBack()) ReachEnd();
  while (GstMessage* raw = gst_bus_pop(bus_)) {
    Message message(raw);
    switch (GST_MESSAGE_TYPE(raw)) {
      case GST_MESSAGE_EOS:
      // A track that broke off has ended as far as anybody polling it can tell.
      case GST_MESSAGE_ERROR:
        if (!at_end_) ReachEnd();
        break;
      default:
        break;
    }
  }
}

bool GstMediaDevice::OutputIsBack() {
  const int64_t now = g_get_monotonic_time();
  if (now - output_asked_us_ < kOutputAskIntervalUs) return false;
  output_asked_us_ = now;
  return ProbeAudioSink() != "fakesink";
}

void GstMediaDevice::ReachEnd() {
  int64_t end = std::max({DurationMs(), RawPositionMs(), max_reported_ms_, int64_t{0}});
  end_ms_ = end;
  at_end_ = true;
  playing_ = false;
}

int64_t GstMediaDevice::RawPositionMs() {
  gint64 position = 0;
  if (gst_element_query_position(pipeline_, GST_FORMAT_TIME, &position) && position >= 0) {
    last_position_ms_ = position / kNsPerMs;
  }
  return last_position_ms_;
}

int64_t GstMediaDevice::DurationMs() {
  gint64 duration = 0;
  if (!gst_element_query_duration(pipeline_, GST_FORMAT_TIME, &duration) || duration < 0) {
    return -1;
  }
  return duration / kNsPerMs;
}

}  // namespace somnara::platform
