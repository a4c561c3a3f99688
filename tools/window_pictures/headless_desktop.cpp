#include "headless_desktop.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "framework/application.h"
#include "framework/resources.h"
#include "platform/platform.h"
#include "skin/theme/tsui_file_theme.h"
#include "skinwriter/stored_skin.h"

namespace somnara::pictures {

HeadlessDesktop::HeadlessDesktop() {
  resources::RegisterProgramResources();
  platform::Services services;
  services.windows = &windows_;
  platform::Install(services);
  fw::ResetApplication();
  fw::App().Initialize(&windows_);
  fw::App().SetTitle("Somnara");
}

HeadlessDesktop::~HeadlessDesktop() {
  // The controls refer to the theme until they are destroyed, and the windows to the
  // services until then.
  fw::ResetApplication();
  theme_.reset();
  platform::Install({});
}

skin::TsuiFileTheme* HeadlessDesktop::StoredSkinTheme() {
  if (theme_) return theme_.get();
  namespace fs = std::filesystem;
  const fs::path skin_file = fs::temp_directory_path() / "somnara-window-pictures.skn";
  {
    const std::vector<uint8_t> bytes = skinwriter::BuildStoredSkin();
    std::ofstream(skin_file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  theme_ = std::make_unique<skin::TsuiFileTheme>(nullptr);
  theme_->SetThemeFile(skin_file.string());
  fs::remove(skin_file);
  return theme_.get();
}

}  // namespace somnara::pictures
