#include "sound/media.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>

#include "framework/exceptions.h"
#include "platform/media_error.h"
#include "platform/media_service.h"
#include "platform/platform.h"
#include "platform/short_path_service.h"

namespace somnara::sound {
namespace {

constexpr size_t kReplyBufferSize = 128;
// The short path must fit a buffer of 259 characters, its terminating zero included.
constexpr size_t kShortPathLimit = 258;

const char kVolumeOutOfRange[] = "音量设置超出范围";
const char kShortPathFailed[] = "错误";

// Shared by every operation, as the channel's one reply buffer.
char g_reply[kReplyBufferSize];
int g_last_result = 0;

// Copies text into the reply buffer, cut to its size without splitting a UTF-8 sequence.
void FillReply(const std::string& text) {
  size_t n = std::min(text.size(), kReplyBufferSize - 1);
  if (n < text.size()) {
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  }
  std::memcpy(g_reply, text.data(), n);
  g_reply[n] = '\0';
}

// Sends command; with_reply puts the service's answer into the reply buffer.
int Send(const std::string& command, bool with_reply) {
  platform::MediaService* media = platform::Current().media;
  platform::MediaResult result;
  if (media == nullptr) {
    result.code = static_cast<int>(platform::MediaError::kDeviceFailed);
  } else {
    result = media->SendCommand(command);
  }
  g_last_result = result.code;
  if (with_reply) FillReply(result.code == 0 ? result.reply : std::string());
  return result.code;
}

std::string TextResult(const std::string& command) {
  int code = Send(command, false);
  if (code == 0) return "ok";
  platform::MediaService* media = platform::Current().media;
  FillReply(media != nullptr ? media->ErrorText(code) : platform::MediaErrorText(code));
  return g_reply;
}

// A whole number in 32 bits with an optional sign, and nothing else.
int StrictToInt(const std::string& text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) throw fw::ConvertError("'" + text + "' is not a valid integer value");
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c < '0' || c > '9' || value > (int64_t{1} << 31)) {
      throw fw::ConvertError("'" + text + "' is not a valid integer value");
    }
    value = value * 10 + (c - '0');
  }
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) {
    throw fw::ConvertError("'" + text + "' is not a valid integer value");
  }
  return static_cast<int>(value);
}

std::optional<int> NumberResult(const std::string& command) {
  if (Send(command, true) != 0) return std::nullopt;
  return StrictToInt(g_reply);
}

}  // namespace

std::string MediaOpen(const std::string& alias, const std::string& file_path,
                      const std::string& device_type) {
  return TextResult("open " + MediaShortPath(file_path) + " type " + device_type + " Alias " +
                    alias);
}

std::string MediaPlay(const std::string& alias) {
  return TextResult("play " + alias);
}

std::string MediaStop(const std::string& alias) {
  return TextResult("Stop " + alias);
}

std::string MediaClose(const std::string& alias) {
  return TextResult("Close " + alias);
}

std::string MediaCloseAll() {
  return TextResult("Close All");
}

std::string MediaSetVolume(const std::string& alias, int level) {
  if (level < 0 || level > 100) return kVolumeOutOfRange;
  return TextResult("setaudio " + alias + " Volume to " + std::to_string(level * 10));
}

int MediaGetVolume(const std::string& alias) {
  std::optional<int> volume = NumberResult("status " + alias + " volume");
  return volume ? *volume / 10 : -1;
}

int MediaLength(const std::string& alias) {
  // Its result is not looked at: a failure shows in the status query that follows.
  Send("set " + alias + " time format milliseconds", true);
  return NumberResult("status " + alias + " length").value_or(-1);
}

int MediaPosition(const std::string& alias) {
  return NumberResult("status " + alias + " position").value_or(-1);
}

std::string MediaShortPath(const std::string& path) {
  platform::ShortPathService* service = platform::Current().short_paths;
  std::optional<std::string> short_path;
  if (service != nullptr) short_path = service->ShortPath(path);
  if (!short_path || short_path->size() > kShortPathLimit) return kShortPathFailed;
  for (char& c : *short_path) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return *short_path;
}

}  // namespace somnara::sound
