#pragma once

#include <string>

#include "platform/settings_folder.h"

namespace somnara::platform {

// The program folder while the settings file there can be written, or created; otherwise
// $XDG_CONFIG_HOME/somnara, by default ~/.config/somnara. The folder is asked each time, so
// a file made writable while the program runs is taken at the next group of settings.
class XdgSettingsFolder : public SettingsFolder {
 public:
  explicit XdgSettingsFolder(std::string program_dir) : program_dir_(std::move(program_dir)) {}

  std::string Locate(const std::string& file_name) override;
  // New folders are the user's alone, as the desktop makes its configuration folders.
  int Create(const std::string& folder) override;

 private:
  std::string program_dir_;
};

}  // namespace somnara::platform
