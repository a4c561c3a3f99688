#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/short_path_service.h"

namespace somnara::platform {

// Short paths for tests: only registered files exist, each with the short form given.
class HeadlessShortPathService : public ShortPathService {
 public:
  // A file whose path is its own short form.
  void AddFile(const std::string& path) { files_[path] = path; }
  void AddFile(const std::string& path, const std::string& short_form) {
    files_[path] = short_form;
  }
  void RemoveFile(const std::string& path) { files_.erase(path); }

  std::optional<std::string> ShortPath(const std::string& path) const override;

 private:
  std::map<std::string, std::string> files_;
};

}  // namespace somnara::platform
