#include "platform/linux/media/gst_media_device.h"

#include <gst/audio/streamvolume.h>
#include <malloc.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <mutex>
#include <set>
#include <thread>

#include "platform/linux/media/audio_output_probe.h"

namespace somnara::platform {
namespace {

// A night's sound has no latency need, and the sink's default period of 10 ms wakes the
// program and the sound server a hundred times a second. A period of a second wakes the
// streaming thread and the sound client about once a second; a play starts at once (the
// stream is corked until then, with its first samples already at the server), a stop
// still cuts the sound at once (the stream is paused at the server, not drained).
constexpr gint64 kSinkBufferUs = 3000000;
constexpr gint64 kSinkPeriodUs = 1000000;
constexpr gint64 kBlockUs = kSinkPeriodUs;
// Posted by the type finder when the file's content is sound.
constexpr char kAudioTypeMessage[] = "somnara-audio-type";
// Set on the pipeline when its parser only estimates the length from the frames read so
// far (MP3 without a length header, AAC): the stream is then read ahead through a queue,
// so the estimate is there when the file is ready. Other formats need no extra thread.
constexpr char kReadAhead[] = "somnara-read-ahead";
constexpr guint64 kReadAheadNs = 2 * GST_SECOND;

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

bool IsAudio(GstCaps* caps) {
  if (caps == nullptr || gst_caps_is_empty(caps) || gst_caps_is_any(caps)) return false;
  return g_str_has_prefix(gst_structure_get_name(gst_caps_get_structure(caps, 0)), "audio/");
}

// Content that is sound by its type (not a container that may hold only pictures) needs
// no full preroll before the open can answer: the decoder for it is there or the open
// fails on the bus a moment later, as a track that broke off.
void NoteType(GstElement* typefind, guint /*probability*/, GstCaps* caps, gpointer /*data*/) {
  if (!IsAudio(caps)) return;
  gst_element_post_message(typefind,
                           gst_message_new_application(GST_OBJECT(typefind),
                                                       gst_structure_new_empty(kAudioTypeMessage)));
}

// Gives the MIDI synthesiser its instruments and loudness. The soundfont is named here rather than
// looked for in the data directories, which a desktop session may not list. `data` is a copy of the
// options owned by the signal connection, so it lives as long as the pipeline can still set
// elements up, even once the device is gone.
void SetUpElement(GstBin* pipeline, GstBin* /*bin*/, GstElement* element, gpointer data) {
  const auto* options = static_cast<const GstMediaOptions*>(data);
  GstElementFactory* factory = gst_element_get_factory(element);
  if (factory == nullptr) return;
  const char* name = GST_OBJECT_NAME(factory);
  if (std::strcmp(name, "mpegaudioparse") == 0 || std::strcmp(name, "aacparse") == 0) {
    g_object_set_data(G_OBJECT(pipeline), kReadAhead, GINT_TO_POINTER(1));
  } else if (std::strcmp(name, "fluiddec") == 0) {
    g_object_set(element, "soundfont", options->soundfont.c_str(), "synth-gain", options->midi_gain,
                 nullptr);
  }
}

// The decoder's first sound stream goes to the converter, through a read-ahead queue when
// the parser asked for one; anything else stays unlinked.
void LinkDecoded(GstElement* /*decoder*/, GstPad* pad, gpointer data) {
  GstElement* convert = GST_ELEMENT(data);
  GstPad* convert_pad = gst_element_get_static_pad(convert, "sink");
  GstCaps* caps = gst_pad_get_current_caps(pad);
  if (caps == nullptr) caps = gst_pad_query_caps(pad, nullptr);
  GstObject* pipeline = gst_object_get_parent(GST_OBJECT(convert));
  if (IsAudio(caps) && !gst_pad_is_linked(convert_pad) && pipeline != nullptr) {
    GstElement* queue = g_object_get_data(G_OBJECT(pipeline), kReadAhead) != nullptr
                            ? gst_element_factory_make("queue", nullptr)
                            : nullptr;
    if (queue != nullptr) {
      g_object_set(queue, "max-size-time", kReadAheadNs, "max-size-buffers", 0u, "max-size-bytes",
                   0u, nullptr);
      gst_bin_add(GST_BIN(pipeline), queue);
      gst_element_link(queue, convert);
      gst_element_sync_state_with_parent(queue);
      GstPad* queue_pad = gst_element_get_static_pad(queue, "sink");
      gst_pad_link(pad, queue_pad);
      gst_object_unref(queue_pad);
    } else {
      gst_pad_link(pad, convert_pad);
    }
  }
  if (pipeline != nullptr) gst_object_unref(pipeline);
  if (caps != nullptr) gst_caps_unref(caps);
  gst_object_unref(convert_pad);
}

// The sound server applies a stream's own volume to what it plays from then on, so a
// step of the fade reaches the ear at once rather than a buffer (seconds) later.
bool HasStreamVolume(GstElement* sink) {
  return sink != nullptr && GST_IS_STREAM_VOLUME(sink);
}

void ConfigureSink(GstElement* sink, const std::string& factory) {
  if (factory == "fakesink") {
    // Silence that keeps time: positions advance as they would with a loudspeaker.
    g_object_set(sink, "sync", TRUE, nullptr);
  } else if (g_object_class_find_property(G_OBJECT_GET_CLASS(sink), "latency-time") != nullptr) {
    g_object_set(sink, "buffer-time", kSinkBufferUs, "latency-time", kSinkPeriodUs, nullptr);
  }
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

std::optional<FileStamp> FileStamp::Of(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return std::nullopt;
  return FileStamp{uint64_t(info.st_dev), uint64_t(info.st_ino), int64_t(info.st_size),
                   int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

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
    // A decoder leaves megabytes of freed memory behind (the synthesiser's instruments
    // above all), which the allocator would otherwise keep all night.
    malloc_trim(0);
  };
  // Stopping waits for the streaming threads, and one that is still busy getting ready (a
  // soundfont loading from a slow disk) would hold the caller: such a pipeline is released
  // on a thread of its own. One that missed the open's bound is stuck for all we know, and
  // its file is refused until it is gone.
  if (!release_in_background_ && !Settled()) {
    release_in_background_ = true;
    if (g_get_monotonic_time() < ready_deadline_us_) file_.clear();
  }
  if (release_in_background_) {
    if (!file_.empty()) {
      std::lock_guard lock(g_releasing_mutex);
      Releasing().insert(file_);
    }
    std::thread([release, pipeline = pipeline_, bus = bus_, file = file_] {
      release(pipeline, bus);
      if (file.empty()) return;
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
  const int64_t started_us = g_get_monotonic_time();
  GstElement* pipeline = gst_pipeline_new(nullptr);
  if (pipeline == nullptr) return MediaError::kDeviceFailed;
  std::unique_ptr<GstMediaDevice> self(new GstMediaDevice(pipeline, file));
  self->sink_ = audio_sink;
  self->stamp_ = FileStamp::Of(file);
  self->ready_deadline_us_ = started_us + int64_t{options.open_timeout_ms} * 1000;

  GstElement* source = gst_element_factory_make("filesrc", nullptr);
  GstElement* decoder = gst_element_factory_make("decodebin", nullptr);
  GstElement* convert = gst_element_factory_make("audioconvert", nullptr);
  GstElement* resample = gst_element_factory_make("audioresample", nullptr);
  GstElement* sink = gst_element_factory_make(audio_sink.c_str(), nullptr);
  // A sink without a volume of its own (silence, a bare device) gets a volume element.
  GstElement* volume = sink != nullptr && !HasStreamVolume(sink)
                           ? gst_element_factory_make("volume", nullptr)
                           : nullptr;
  GstElement* elements[] = {source, decoder, convert, resample, sink};
  if (std::find(std::begin(elements), std::end(elements), nullptr) != std::end(elements) ||
      (volume == nullptr && !HasStreamVolume(sink))) {
    for (GstElement* e : elements)
      if (e != nullptr) gst_object_unref(gst_object_ref_sink(e));
    if (volume != nullptr) gst_object_unref(gst_object_ref_sink(volume));
    return MediaError::kDeviceFailed;
  }
  g_object_set(source, "location", file.c_str(), nullptr);
  ConfigureSink(sink, audio_sink);
  for (GstElement* e : elements) gst_bin_add(GST_BIN(self->pipeline_), e);
  // Whole periods rather than the parser's tenths of a second: the sink then hands the
  // sound client one block a period, and each hand-over wakes its thread.
  GstElement* blocks = gst_element_factory_make("audiobuffersplit", nullptr);
  if (blocks != nullptr) {
    g_object_set(blocks, "output-buffer-duration", int(kBlockUs), 1000000, nullptr);
    gst_bin_add(GST_BIN(self->pipeline_), blocks);
  }
  if (volume != nullptr) gst_bin_add(GST_BIN(self->pipeline_), volume);
  GstElement* chain[] = {convert, resample, blocks, volume, sink};
  GstElement* previous = nullptr;
  for (GstElement* e : chain) {
    if (e == nullptr) continue;
    if (previous != nullptr && !gst_element_link(previous, e)) return MediaError::kDeviceFailed;
    previous = e;
  }
  if (!gst_element_link(source, decoder)) return MediaError::kDeviceFailed;
  self->volume_ = volume != nullptr ? volume : sink;
  // Set outright, so that a level the server remembers for this program's streams (the
  // end of last night's fade) is not taken for the new one's.
  self->SetVolume(1000);
  g_signal_connect(decoder, "pad-added", G_CALLBACK(&LinkDecoded), convert);
  // The decoder's own type finder; without it the open waits for the whole preroll.
  if (GstElement* typefind = gst_bin_get_by_name(GST_BIN(decoder), "typefind")) {
    g_signal_connect(typefind, "have-type", G_CALLBACK(&NoteType), nullptr);
    gst_object_unref(typefind);
  }
  g_signal_connect_data(self->pipeline_, "deep-element-added", G_CALLBACK(&SetUpElement),
                        new GstMediaOptions(options), &DeleteOptions, GConnectFlags(0));

  GstStateChangeReturn change = gst_element_set_state(self->pipeline_, GST_STATE_PAUSED);
  if (change == GST_STATE_CHANGE_ASYNC || change == GST_STATE_CHANGE_FAILURE) {
    // A failure posts its error on the bus; wait for it only briefly.
    const int64_t deadline_us = change == GST_STATE_CHANGE_FAILURE ? g_get_monotonic_time() + 100000
                                                                   : self->ready_deadline_us_;
    for (;;) {
      const int64_t left_us = std::max<int64_t>(0, deadline_us - g_get_monotonic_time());
      Message message(gst_bus_timed_pop_filtered(
          self->bus_, static_cast<GstClockTime>(left_us) * GST_USECOND,
          static_cast<GstMessageType>(GST_MESSAGE_ERROR | GST_MESSAGE_ASYNC_DONE |
                                      GST_MESSAGE_APPLICATION)));
      if (message == nullptr) {
        if (change == GST_STATE_CHANGE_FAILURE) return MediaError::kNotPlayable;
        self->release_in_background_ = true;
        return MediaError::kOpenTimedOut;
      }
      if (GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_ERROR) {
        if (IsOutputFailure(message.get(), sink)) *failure = OpenFailure::kOutput;
        return MediaError::kNotPlayable;
      }
      if (GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_ASYNC_DONE) break;
      if (gst_message_has_name(message.get(), kAudioTypeMessage)) break;
    }
  }
  self->awaits_output_ = await_output && audio_sink == "fakesink";
  self->output_asked_us_ = g_get_monotonic_time();
  *device = std::move(self);
  return MediaError::kNone;
}

bool GstMediaDevice::Rewind(int open_timeout_ms) {
  if (!stamp_ || FileStamp::Of(file_) != stamp_) return false;
  // What the bus still holds belongs to the run that ended.
  while (GstMessage* stale = gst_bus_pop(bus_)) gst_message_unref(stale);
  if (gst_element_set_state(pipeline_, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE) return false;
  if (!SeekToStart()) return false;
  ready_ = false;
  ready_deadline_us_ = g_get_monotonic_time() + int64_t{open_timeout_ms} * 1000;
  playing_ = false;
  end_ms_ = 0;
  SetVolume(1000);
  return true;
}

bool GstMediaDevice::SeekToStart() {
  const bool sought = gst_element_seek_simple(
      pipeline_, GST_FORMAT_TIME,
      static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_KEY_UNIT), 0);
  at_end_ = false;
  ended_by_stream_ = false;
  last_position_ms_ = 0;
  max_reported_ms_ = -1;
  return sought;
}

bool GstMediaDevice::Settled() {
  return gst_element_get_state(pipeline_, nullptr, nullptr, 0) != GST_STATE_CHANGE_ASYNC;
}

bool GstMediaDevice::AwaitReady() {
  if (ready_) return true;
  const int64_t left_us = std::max<int64_t>(0, ready_deadline_us_ - g_get_monotonic_time());
  GstStateChangeReturn state = gst_element_get_state(
      pipeline_, nullptr, nullptr, static_cast<GstClockTime>(left_us) * GST_USECOND);
  if (state != GST_STATE_CHANGE_SUCCESS && state != GST_STATE_CHANGE_NO_PREROLL) return false;
  ready_ = true;
  // Some parsers (MP3 without a length header) estimate the duration a moment after the
  // first frames; a short wait lets the length be known as soon as the file is ready.
  for (int waited_ms = 0; waited_ms < kDurationWaitMs && DurationMs() < 0; ++waited_ms) {
    g_usleep(1000);
  }
  return true;
}

MediaError GstMediaDevice::Play() {
  if (at_end_) SeekToStart();
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
  gst_stream_volume_set_volume(GST_STREAM_VOLUME(volume_), GST_STREAM_VOLUME_FORMAT_CUBIC,
                               std::clamp(level, 0, 1000) / 1000.0);
  return MediaError::kNone;
}

int64_t GstMediaDevice::LengthMs() {
  if (at_end_) return end_ms_;
  AwaitReady();
  int64_t duration = DurationMs();
  if (duration > 0) return duration;
  // Not known yet: always beyond any position given so far, so never taken for the end.
  return std::max(max_reported_ms_, RawPositionMs()) + 1;
}

int64_t GstMediaDevice::PositionMs() {
  if (at_end_) return end_ms_;
  AwaitReady();
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
        if (!at_end_) {
          ReachEnd();
          ended_by_stream_ = true;
        }
        break;
      // A track that broke off has ended as far as anybody polling it can tell.
      case GST_MESSAGE_ERROR:
        if (!at_end_) ReachEnd();
        ended_by_stream_ = false;
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
