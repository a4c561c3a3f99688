#include "platform/headless/headless_settings_folder.h"

#include <filesystem>
#include <system_error>

namespace somnara::platform {

int HeadlessSettingsFolder::Create(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  return error.value();
}

}  // namespace somnara::platform
