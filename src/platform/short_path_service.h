#pragma once

#include <optional>
#include <string>

namespace somnara::platform {

// Gives an existing file a form of its path without blanks that the media service
// resolves back to the same file.
class ShortPathService {
 public:
  virtual ~ShortPathService() = default;

  // The short form of path, or nothing when the file does not exist.
  virtual std::optional<std::string> ShortPath(const std::string& path) const = 0;
};

}  // namespace somnara::platform
