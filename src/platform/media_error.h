#pragma once

#include <string>

namespace somnara::platform {

// The media service's failure codes; each has its own text (MediaErrorText).
enum class MediaError : int {
  kNone = 0,
  kEmptyCommand = 1,
  kUnknownCommand,
  kMissingParameter,
  kUnknownKeyword,
  kDuplicateKeyword,
  kAliasNotOpen,
  kAliasInUse,
  kReservedAlias,
  kUnknownDeviceType,
  kFileNotFound,
  kNotPlayable,
  kOpenTimedOut,
  kBadNumber,
  kVolumeOutOfRange,
  kUnsupportedTimeFormat,
  kUnknownStatusItem,
  kDeviceFailed,
};

// The last code in use, for callers that walk all of them.
inline constexpr int kLastMediaError = static_cast<int>(MediaError::kDeviceFailed);

// A readable text for any code, known or not. Every text fits a 128-character buffer.
std::string MediaErrorText(int code);

}  // namespace somnara::platform
