#include "platform/headless/headless_shell_service.h"

namespace somnara::platform {

bool HeadlessShellService::Open(const std::string& target) {
  requests_.push_back({RecordedShellRequest::Kind::kOpen, target});
  return open_accepts_;
}

bool HeadlessShellService::OpenUrlHandler(const std::string& target) {
  requests_.push_back({RecordedShellRequest::Kind::kUrlHandler, target});
  return url_handler_accepts_;
}

std::vector<std::string> HeadlessShellService::Log() const {
  std::vector<std::string> lines;
  for (const RecordedShellRequest& r : requests_)
    lines.push_back((r.kind == RecordedShellRequest::Kind::kOpen ? "open " : "url-handler ") +
                    r.target);
  return lines;
}

}  // namespace somnara::platform
