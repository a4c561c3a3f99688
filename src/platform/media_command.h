#pragma once

#include <string>
#include <string_view>

#include "platform/media_error.h"

namespace somnara::platform {

enum class MediaVerb {
  kOpen,
  kPlay,
  kStop,
  kClose,
  kCloseAll,
  kSetVolume,
  kSetTimeFormat,
  kStatus
};
enum class MediaStatusItem { kLength, kPosition, kVolume, kMode };

// One command of the media service, taken apart.
struct MediaCommand {
  MediaVerb verb = MediaVerb::kPlay;
  // As written; the service compares aliases without regard to case.
  std::string alias;
  // open only: the file as written, and the device type (empty when not given).
  std::string element;
  std::string device_type;
  // setaudio only: 0 to 1000.
  int volume = 0;
  // status only.
  MediaStatusItem item = MediaStatusItem::kLength;
};

// Parses text into *out. Keywords are matched without regard to case, words are separated
// by blanks or tabs. Returns kNone or the reason the text is not a valid command.
MediaError ParseMediaCommand(std::string_view text, MediaCommand* out);

// ASCII lower case; other bytes (also those of UTF-8 sequences) pass unchanged.
std::string AsciiLower(std::string_view text);

}  // namespace somnara::platform
