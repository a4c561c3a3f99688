#include "platform/headless/headless_short_path_service.h"

namespace somnara::platform {

std::optional<std::string> HeadlessShortPathService::ShortPath(const std::string& path) const {
  auto it = files_.find(path);
  if (it == files_.end()) return std::nullopt;
  return it->second;
}

}  // namespace somnara::platform
