#include "platform/media_command.h"

#include <vector>

namespace somnara::platform {
namespace {

std::vector<std::string_view> SplitWords(std::string_view text) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    size_t start = i;
    while (i < text.size() && text[i] != ' ' && text[i] != '\t') ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

bool Is(std::string_view word, std::string_view keyword) {
  return AsciiLower(word) == keyword;
}

// "all" stands for every device in close, so no device may be called that.
MediaError CheckAlias(std::string_view alias) {
  return Is(alias, "all") ? MediaError::kReservedAlias : MediaError::kNone;
}

MediaError ParseOpen(const std::vector<std::string_view>& w, MediaCommand* out) {
  if (w.size() < 2) return MediaError::kMissingParameter;
  out->element = std::string(w[1]);
  bool has_type = false;
  bool has_alias = false;
  for (size_t i = 2; i < w.size(); i += 2) {
    bool type = Is(w[i], "type");
    bool alias = Is(w[i], "alias");
    if (!type && !alias) return MediaError::kUnknownKeyword;
    if (i + 1 >= w.size()) return MediaError::kMissingParameter;
    bool& seen = type ? has_type : has_alias;
    if (seen) return MediaError::kDuplicateKeyword;
    seen = true;
    (type ? out->device_type : out->alias) = std::string(w[i + 1]);
  }
  // Without an alias the device is known by its element.
  if (!has_alias) out->alias = out->element;
  return CheckAlias(out->alias);
}

MediaError ParseSet(const std::vector<std::string_view>& w, MediaCommand* out) {
  // set ALIAS time format FORMAT
  if (w.size() < 3) return MediaError::kMissingParameter;
  if (!Is(w[2], "time")) return MediaError::kUnknownKeyword;
  if (w.size() < 4) return MediaError::kMissingParameter;
  if (!Is(w[3], "format")) return MediaError::kUnknownKeyword;
  if (w.size() < 5) return MediaError::kMissingParameter;
  if (w.size() > 5) return MediaError::kUnknownKeyword;
  if (!Is(w[4], "milliseconds") && !Is(w[4], "ms")) return MediaError::kUnsupportedTimeFormat;
  out->verb = MediaVerb::kSetTimeFormat;
  return MediaError::kNone;
}

MediaError ParseSetAudio(const std::vector<std::string_view>& w, MediaCommand* out) {
  // setaudio ALIAS volume to N
  if (w.size() < 3) return MediaError::kMissingParameter;
  if (!Is(w[2], "volume")) return MediaError::kUnknownKeyword;
  if (w.size() < 4) return MediaError::kMissingParameter;
  if (!Is(w[3], "to")) return MediaError::kUnknownKeyword;
  if (w.size() < 5) return MediaError::kMissingParameter;
  if (w.size() > 5) return MediaError::kUnknownKeyword;
  std::string_view number = w[4];
  if (number.empty() || number.size() > 9) return MediaError::kBadNumber;
  int value = 0;
  for (char c : number) {
    if (c < '0' || c > '9') return MediaError::kBadNumber;
    value = value * 10 + (c - '0');
  }
  if (value > 1000) return MediaError::kVolumeOutOfRange;
  out->verb = MediaVerb::kSetVolume;
  out->volume = value;
  return MediaError::kNone;
}

MediaError ParseStatus(const std::vector<std::string_view>& w, MediaCommand* out) {
  if (w.size() < 3) return MediaError::kMissingParameter;
  if (w.size() > 3) return MediaError::kUnknownKeyword;
  std::string item = AsciiLower(w[2]);
  if (item == "length") {
    out->item = MediaStatusItem::kLength;
  } else if (item == "position") {
    out->item = MediaStatusItem::kPosition;
  } else if (item == "volume") {
    out->item = MediaStatusItem::kVolume;
  } else if (item == "mode") {
    out->item = MediaStatusItem::kMode;
  } else {
    return MediaError::kUnknownStatusItem;
  }
  out->verb = MediaVerb::kStatus;
  return MediaError::kNone;
}

}  // namespace

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

MediaError ParseMediaCommand(std::string_view text, MediaCommand* out) {
  *out = MediaCommand{};
  std::vector<std::string_view> w = SplitWords(text);
  if (w.empty()) return MediaError::kEmptyCommand;
  std::string verb = AsciiLower(w[0]);
  if (verb == "open") {
    out->verb = MediaVerb::kOpen;
    return ParseOpen(w, out);
  }
  if (verb != "play" && verb != "stop" && verb != "close" && verb != "set" && verb != "setaudio" &&
      verb != "status") {
    return MediaError::kUnknownCommand;
  }
  if (w.size() < 2) return MediaError::kMissingParameter;
  out->alias = std::string(w[1]);
  if (verb == "close" && Is(w[1], "all")) {
    out->verb = MediaVerb::kCloseAll;
    return w.size() == 2 ? MediaError::kNone : MediaError::kUnknownKeyword;
  }
  if (MediaError e = CheckAlias(w[1]); e != MediaError::kNone) return e;
  if (verb == "set") return ParseSet(w, out);
  if (verb == "setaudio") return ParseSetAudio(w, out);
  if (verb == "status") return ParseStatus(w, out);
  if (w.size() > 2) return MediaError::kUnknownKeyword;
  out->verb = verb == "play"   ? MediaVerb::kPlay
              : verb == "stop" ? MediaVerb::kStop
                               : MediaVerb::kClose;
  return MediaError::kNone;
}

}  // namespace somnara::platform
