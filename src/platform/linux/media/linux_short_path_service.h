#pragma once

#include "platform/short_path_service.h"

namespace somnara::platform {

// Short paths on a case-sensitive file system: parts that are not short already get
// aliases in the style "MYSOUN~1.WAV", which the GStreamer media service resolves back,
// as it resolves names given in another letter case.
class LinuxShortPathService : public ShortPathService {
 public:
  std::optional<std::string> ShortPath(const std::string& path) const override;
};

}  // namespace somnara::platform
