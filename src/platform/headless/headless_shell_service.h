#pragma once

#include <string>
#include <vector>

#include "platform/shell_service.h"

namespace somnara::platform {

// One request that reached the fake.
struct RecordedShellRequest {
  enum class Kind { kOpen, kUrlHandler };
  Kind kind = Kind::kOpen;
  std::string target;
  bool operator==(const RecordedShellRequest&) const = default;
};

// A desktop shell that opens nothing: it records every request in order and answers as
// configured (both openers accept by default).
class HeadlessShellService : public ShellService {
 public:
  void SetOpenAccepts(bool accepts) { open_accepts_ = accepts; }
  void SetUrlHandlerAccepts(bool accepts) { url_handler_accepts_ = accepts; }

  bool Open(const std::string& target) override;
  bool OpenUrlHandler(const std::string& target) override;

  const std::vector<RecordedShellRequest>& Requests() const { return requests_; }
  // The requests as "open <target>" and "url-handler <target>" lines.
  std::vector<std::string> Log() const;
  void Clear() { requests_.clear(); }

 private:
  bool open_accepts_ = true;
  bool url_handler_accepts_ = true;
  std::vector<RecordedShellRequest> requests_;
};

}  // namespace somnara::platform
