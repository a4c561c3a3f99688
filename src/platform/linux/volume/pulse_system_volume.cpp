#include "platform/linux/volume/pulse_system_volume.h"

#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>
#include <pulse/scache.h>
#include <pulse/stream.h>
#include <pulse/volume.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

namespace somnara::platform {
namespace {

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Runs the loop until done() holds; false when the deadline passed first or the loop broke.
bool RunUntil(pa_mainloop* loop, int64_t deadline_ms, const std::function<bool()>& done) {
  while (!done()) {
    int64_t left = deadline_ms - NowMs();
    if (left <= 0) return false;
    if (pa_mainloop_prepare(loop, int(left * 1000)) < 0) return false;
    if (pa_mainloop_poll(loop) < 0) return false;
    if (pa_mainloop_dispatch(loop) < 0) return false;
  }
  return true;
}

enum class Side { kLeft, kRight, kNeither };

Side SideOf(pa_channel_position_t position) {
  switch (position) {
    case PA_CHANNEL_POSITION_FRONT_LEFT:
    case PA_CHANNEL_POSITION_REAR_LEFT:
    case PA_CHANNEL_POSITION_FRONT_LEFT_OF_CENTER:
    case PA_CHANNEL_POSITION_SIDE_LEFT:
    case PA_CHANNEL_POSITION_TOP_FRONT_LEFT:
    case PA_CHANNEL_POSITION_TOP_REAR_LEFT:
      return Side::kLeft;
    case PA_CHANNEL_POSITION_FRONT_RIGHT:
    case PA_CHANNEL_POSITION_REAR_RIGHT:
    case PA_CHANNEL_POSITION_FRONT_RIGHT_OF_CENTER:
    case PA_CHANNEL_POSITION_SIDE_RIGHT:
    case PA_CHANNEL_POSITION_TOP_FRONT_RIGHT:
    case PA_CHANNEL_POSITION_TOP_REAR_RIGHT:
      return Side::kRight;
    default:
      return Side::kNeither;
  }
}

constexpr char kFeedbackSample[] = "somnara-volume-feedback";
constexpr uint32_t kFeedbackRate = 44100;

// 150 ms of 880 Hz at half scale with 15 ms raised-cosine edges, so it neither clicks nor
// startles. Made here rather than read from a file: the same tone on every desktop.
std::vector<int16_t> FeedbackTone() {
  const int count = int(kFeedbackRate) * 150 / 1000;
  const int edge = int(kFeedbackRate) * 15 / 1000;
  std::vector<int16_t> tone(size_t(count), 0);
  for (int i = 0; i < count; ++i) {
    int from_edge = std::min(i, count - 1 - i);
    double gain =
        from_edge < edge ? 0.5 - 0.5 * std::cos(std::numbers::pi * from_edge / edge) : 1.0;
    double wave = std::sin(2 * std::numbers::pi * 880.0 * i / kFeedbackRate);
    tone[size_t(i)] = int16_t(std::lround(16384.0 * gain * wave));
  }
  return tone;
}

}  // namespace

struct PulseSystemVolume::Connection {
  pa_mainloop* loop = nullptr;
  pa_context* context = nullptr;
  // The server forgets its samples when it restarts, which also ends this connection.
  bool feedback_uploaded = false;
  ~Connection() {
    if (context != nullptr) {
      pa_context_disconnect(context);
      pa_context_unref(context);
    }
    if (loop != nullptr) pa_mainloop_free(loop);
  }
  bool Ready() const {
    return context != nullptr && pa_context_get_state(context) == PA_CONTEXT_READY;
  }
};

struct PulseSystemVolume::SinkState {
  bool found = false;
  uint32_t index = 0;
  std::string name;
  pa_channel_map map{};
  pa_cvolume volume{};

  uint32_t Value() const {
    pa_volume_t left = 0, right = 0, loudest = 0;
    bool has_left = false, has_right = false;
    for (unsigned i = 0; i < volume.channels && i < map.channels; ++i) {
      pa_volume_t v = volume.values[i];
      loudest = std::max(loudest, v);
      switch (SideOf(map.map[i])) {
        case Side::kLeft:
          left = std::max(left, v);
          has_left = true;
          break;
        case Side::kRight:
          right = std::max(right, v);
          has_right = true;
          break;
        case Side::kNeither:
          break;
      }
    }
    if (!has_left) left = loudest;
    if (!has_right) right = loudest;
    return Pack(ServerToLevel(left), ServerToLevel(right));
  }
};

PulseSystemVolume::PulseSystemVolume(int timeout_ms) : timeout_ms_(timeout_ms) {}
PulseSystemVolume::~PulseSystemVolume() = default;

uint32_t PulseSystemVolume::LevelToServer(uint16_t level) {
  return uint32_t((uint64_t(level) * PA_VOLUME_NORM + 65535 / 2) / 65535);
}

uint16_t PulseSystemVolume::ServerToLevel(uint32_t server_volume) {
  // Above full scale (the server allows amplification) is still full scale here.
  uint64_t v = std::min<uint64_t>(server_volume, PA_VOLUME_NORM);
  return uint16_t((v * 65535 + PA_VOLUME_NORM / 2) / PA_VOLUME_NORM);
}

void PulseSystemVolume::Drop() {
  connection_.reset();
}

bool PulseSystemVolume::Connect(int64_t deadline_ms) {
  if (connection_ && connection_->Ready()) return true;
  Drop();
  auto c = std::make_unique<Connection>();
  c->loop = pa_mainloop_new();
  if (c->loop == nullptr) return false;
  c->context = pa_context_new(pa_mainloop_get_api(c->loop), "Somnara");
  if (c->context == nullptr) return false;
  if (pa_context_connect(c->context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) return false;
  pa_context* context = c->context;
  bool settled = RunUntil(c->loop, deadline_ms, [context] {
    pa_context_state_t s = pa_context_get_state(context);
    return s == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(s);
  });
  if (!settled || !c->Ready()) return false;
  connection_ = std::move(c);
  return true;
}

bool PulseSystemVolume::ReadDefaultSink(SinkState* sink, int64_t deadline_ms) {
  if (!Connect(deadline_ms)) return false;
  *sink = SinkState{};
  auto callback = [](pa_context*, const pa_sink_info* info, int eol, void* data) {
    auto* out = static_cast<SinkState*>(data);
    if (eol != 0 || info == nullptr || out->found) return;
    out->found = true;
    out->index = info->index;
    out->name = info->name != nullptr ? info->name : "";
    out->map = info->channel_map;
    out->volume = info->volume;
  };
  pa_operation* op =
      pa_context_get_sink_info_by_name(connection_->context, "@DEFAULT_SINK@", callback, sink);
  if (op == nullptr) {
    Drop();
    return false;
  }
  pa_context* context = connection_->context;
  bool finished = RunUntil(connection_->loop, deadline_ms, [op, context] {
    return pa_operation_get_state(op) != PA_OPERATION_RUNNING ||
           !PA_CONTEXT_IS_GOOD(pa_context_get_state(context));
  });
  if (!finished) pa_operation_cancel(op);  // the callback must not run on a gone *sink
  pa_operation_unref(op);
  if (!finished || !connection_->Ready()) {
    Drop();
    return false;
  }
  return sink->found && sink->volume.channels > 0;
}

bool PulseSystemVolume::Finish(pa_operation* op, int64_t deadline_ms) {
  if (op == nullptr) {
    Drop();
    return false;
  }
  pa_context* context = connection_->context;
  bool finished = RunUntil(connection_->loop, deadline_ms, [op, context] {
    return pa_operation_get_state(op) != PA_OPERATION_RUNNING ||
           !PA_CONTEXT_IS_GOOD(pa_context_get_state(context));
  });
  if (!finished) pa_operation_cancel(op);  // its callback must not run on a gone result
  pa_operation_unref(op);
  if (!finished || !connection_->Ready()) {
    Drop();
    return false;
  }
  return true;
}

bool PulseSystemVolume::GetVolume(uint32_t* value) {
  if (value == nullptr) return false;
  SinkState sink;
  if (!ReadDefaultSink(&sink, NowMs() + timeout_ms_)) return false;
  uint32_t seen = sink.Value();
  if (have_written_ && sink.name == written_sink_ && seen == written_seen_) {
    *value = written_;
  } else {
    *value = seen;
  }
  return true;
}

bool PulseSystemVolume::SetVolume(uint32_t value) {
  int64_t deadline = NowMs() + timeout_ms_;
  SinkState sink;
  if (!ReadDefaultSink(&sink, deadline)) return false;
  pa_volume_t left = LevelToServer(Left(value));
  pa_volume_t right = LevelToServer(Right(value));
  pa_cvolume wanted = sink.volume;
  for (unsigned i = 0; i < wanted.channels && i < sink.map.channels; ++i) {
    switch (SideOf(sink.map.map[i])) {
      case Side::kLeft:
        wanted.values[i] = left;
        break;
      case Side::kRight:
        wanted.values[i] = right;
        break;
      case Side::kNeither:
        wanted.values[i] = std::max(left, right);
        break;
    }
  }
  bool success = false;
  auto callback = [](pa_context*, int ok, void* data) { *static_cast<bool*>(data) = ok != 0; };
  pa_operation* op = pa_context_set_sink_volume_by_index(connection_->context, sink.index, &wanted,
                                                         callback, &success);
  if (op == nullptr) {
    Drop();
    return false;
  }
  pa_context* context = connection_->context;
  bool finished = RunUntil(connection_->loop, deadline, [op, context] {
    return pa_operation_get_state(op) != PA_OPERATION_RUNNING ||
           !PA_CONTEXT_IS_GOOD(pa_context_get_state(context));
  });
  if (!finished) pa_operation_cancel(op);
  pa_operation_unref(op);
  if (!finished || !connection_->Ready()) {
    Drop();
    return false;
  }
  if (!success) return false;
  // What the server kept of it, so that a rounded value still reads back as written.
  SinkState after;
  if (!ReadDefaultSink(&after, NowMs() + timeout_ms_)) return false;
  have_written_ = true;
  written_ = value;
  written_seen_ = after.Value();
  written_sink_ = after.name;
  return true;
}

bool PulseSystemVolume::AboveFullScale() {
  SinkState sink;
  if (!ReadDefaultSink(&sink, NowMs() + timeout_ms_)) return false;
  for (unsigned i = 0; i < sink.volume.channels; ++i)
    if (sink.volume.values[i] > PA_VOLUME_NORM) return true;
  return false;
}

bool PulseSystemVolume::UploadFeedback(int64_t deadline_ms) {
  const std::vector<int16_t> tone = FeedbackTone();
  const size_t bytes = tone.size() * sizeof(int16_t);
  const pa_sample_spec format{PA_SAMPLE_S16LE, kFeedbackRate, 1};
  pa_stream* stream = pa_stream_new(connection_->context, kFeedbackSample, &format, nullptr);
  if (stream == nullptr) {
    Drop();
    return false;
  }
  auto settled = [stream] {
    pa_stream_state_t s = pa_stream_get_state(stream);
    return s == PA_STREAM_READY || !PA_STREAM_IS_GOOD(s);
  };
  bool uploaded = pa_stream_connect_upload(stream, bytes) == 0 &&
                  RunUntil(connection_->loop, deadline_ms, settled) &&
                  pa_stream_get_state(stream) == PA_STREAM_READY &&
                  pa_stream_write(stream, tone.data(), bytes, nullptr, 0, PA_SEEK_RELATIVE) == 0 &&
                  pa_stream_finish_upload(stream) == 0 &&
                  // A finished upload ends the stream.
                  RunUntil(connection_->loop, deadline_ms,
                           [stream] { return pa_stream_get_state(stream) != PA_STREAM_READY; }) &&
                  pa_stream_get_state(stream) == PA_STREAM_TERMINATED;
  if (PA_STREAM_IS_GOOD(pa_stream_get_state(stream))) pa_stream_disconnect(stream);
  pa_stream_unref(stream);
  if (!connection_->Ready()) {
    Drop();
    return false;
  }
  return uploaded;
}

bool PulseSystemVolume::PlayFeedback() {
  int64_t deadline = NowMs() + timeout_ms_;
  // A connection to a server that has gone (restarted, say) shows so only when used: then
  // once more on a new one, so the tone is not lost.
  bool had_connection = connection_ != nullptr;
  if (TryPlayFeedback(deadline)) return true;
  return had_connection && connection_ == nullptr && TryPlayFeedback(deadline);
}

bool PulseSystemVolume::TryPlayFeedback(int64_t deadline_ms) {
  if (!Connect(deadline_ms)) return false;
  if (!connection_->feedback_uploaded) {
    if (!UploadFeedback(deadline_ms)) return false;
    connection_->feedback_uploaded = true;
  }
  bool success = false;
  auto callback = [](pa_context*, int ok, void* data) { *static_cast<bool*>(data) = ok != 0; };
  // Full volume of the sample itself: what is heard is the output's own level.
  pa_operation* op = pa_context_play_sample(connection_->context, kFeedbackSample, nullptr,
                                            PA_VOLUME_NORM, callback, &success);
  if (!Finish(op, deadline_ms)) return false;
  // Another program may have removed the sample: upload it again next time.
  if (!success) connection_->feedback_uploaded = false;
  return success;
}

}  // namespace somnara::platform
