#pragma once

#include <string>

#include "platform/settings_folder.h"

namespace somnara::platform {

// Settings in the folder a test names, whatever the file; Create makes real folders, since
// the tests' profile stores write real files.
class HeadlessSettingsFolder : public SettingsFolder {
 public:
  explicit HeadlessSettingsFolder(std::string folder) : folder_(std::move(folder)) {}

  std::string Locate(const std::string& file_name) override { return folder_; }
  int Create(const std::string& folder) override;

 private:
  std::string folder_;
};

}  // namespace somnara::platform
