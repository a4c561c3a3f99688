#include "platform/media_error.h"

namespace somnara::platform {

std::string MediaErrorText(int code) {
  switch (static_cast<MediaError>(code)) {
    case MediaError::kNone:
      return "The command was carried out.";
    case MediaError::kEmptyCommand:
      return "The command is empty.";
    case MediaError::kUnknownCommand:
      return "The media service does not know this command.";
    case MediaError::kMissingParameter:
      return "The command lacks a parameter it needs.";
    case MediaError::kUnknownKeyword:
      return "The command has a word the media service does not understand.";
    case MediaError::kDuplicateKeyword:
      return "The command gives the same keyword twice.";
    case MediaError::kAliasNotOpen:
      return "No device is open under this alias.";
    case MediaError::kAliasInUse:
      return "A device is open under this alias already.";
    case MediaError::kReservedAlias:
      return "This alias is reserved and cannot name a device.";
    case MediaError::kUnknownDeviceType:
      return "The device type is not known.";
    case MediaError::kFileNotFound:
      return "The file cannot be found.";
    case MediaError::kNotPlayable:
      return "The file holds no sound that can be played.";
    case MediaError::kOpenTimedOut:
      return "The file could not be opened in time.";
    case MediaError::kBadNumber:
      return "A number in the command is not a whole number.";
    case MediaError::kVolumeOutOfRange:
      return "The volume must lie between 0 and 1000.";
    case MediaError::kUnsupportedTimeFormat:
      return "The only time format supported is milliseconds.";
    case MediaError::kUnknownStatusItem:
      return "The status item is not known.";
    case MediaError::kDeviceFailed:
      return "The sound device failed.";
  }
  return "Unknown media error " + std::to_string(code) + ".";
}

}  // namespace somnara::platform
