#pragma once

#include <string>

#include "platform/settings_folder.h"

namespace somnara::platform {

// The program folder while the settings file there can be written, or created; otherwise
// the user's roaming application data folder, %APPDATA%\Somnara. The folder is asked each
// time, so a file made writable while the program runs is taken at the next group of
// settings.
class WindowsSettingsFolder : public SettingsFolder {
 public:
  explicit WindowsSettingsFolder(std::string program_dir) : program_dir_(std::move(program_dir)) {}

  std::string Locate(const std::string& file_name) override;
  int Create(const std::string& folder) override;

  // Whether `folder` keeps `file_name`: the file is there and writable, or it is missing
  // from a folder that takes new files.
  static bool FolderTakes(const std::string& folder, const std::string& file_name);

 private:
  std::string program_dir_;
};

}  // namespace somnara::platform
