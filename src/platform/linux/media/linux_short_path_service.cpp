#include "platform/linux/media/linux_short_path_service.h"

#include "platform/linux/media/short_names.h"

namespace somnara::platform {

std::optional<std::string> LinuxShortPathService::ShortPath(const std::string& path) const {
  return short_names::ShortenPath(path);
}

}  // namespace somnara::platform
