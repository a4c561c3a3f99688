#pragma once

#include <string>

#include "platform/media_service.h"
#include "platform/short_path_service.h"

namespace somnara::platform {

// The system's own media control interface: each command goes to it as written, and its
// answer and code come back unchanged, so "open ... type MPEGVideo" plays whatever the
// system's player takes. Codes are the interface's own; ErrorText asks it for their wording.
class WindowsMediaService : public MediaService {
 public:
  // Room for any answer the program asks for (numbers and modes) and then some.
  static constexpr int kReplyCharacters = 256;

  MediaResult SendCommand(const std::string& command) override;
  std::string ErrorText(int code) const override;
};

// The file system's short (8.3) form of a path. Where a volume keeps no short names the
// long form comes back; should it hold blanks it is quoted, as the media service reads a
// name with blanks, so the open command still names one file.
class WindowsShortPathService : public ShortPathService {
 public:
  std::optional<std::string> ShortPath(const std::string& path) const override;
};

}  // namespace somnara::platform
