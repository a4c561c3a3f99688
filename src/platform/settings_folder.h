#pragma once

#include <string>

namespace somnara::platform {

// Where the program keeps a settings file of its own. A program folder its user may write
// keeps the file beside the executable, as a copied folder always has; an installed one,
// which only the administrator may change, leaves it to the user's configuration folder.
class SettingsFolder {
 public:
  virtual ~SettingsFolder() = default;

  // The folder, without a trailing separator, whose `file_name` the program reads and
  // writes. Only looks: nothing is created.
  virtual std::string Locate(const std::string& file_name) = 0;

  // Makes `folder` and its missing parents before a file's first write there. 0, or an
  // errno value when a folder cannot be made.
  virtual int Create(const std::string& folder) = 0;
};

}  // namespace somnara::platform
