#include "frame_scenes.h"

#include <filesystem>
#include <stdexcept>
#include <utility>

#include "framework/application.h"
#include "framework/form.h"
#include "headless_desktop.h"
#include "platform/headless/headless_window_system.h"
#include "screen_picture.h"
#include "skin/frame/tsui_form.h"
#include "skin/theme/tsui_built_in_file_theme.h"
#include "skinwriter/stored_skin.h"

namespace somnara::pictures {

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 438;
constexpr int kHeight = 260;

}  // namespace

std::vector<std::string> RenderFrames(const std::string& out_dir) {
  HeadlessDesktop desktop;

  const std::pair<skin::TsuiUIStyle, const char*> styles[] = {
      {skin::TsuiUIStyle::MacOS, "macos"},
      {skin::TsuiUIStyle::WinXP, "winxp"},
      {skin::TsuiUIStyle::DeepBlue, "deepblue"},
      {skin::TsuiUIStyle::Protein, "protein"},
      {skin::TsuiUIStyle::BlueGlass, "blueglass"},
      {skin::TsuiUIStyle::FromThemeFile, "stored_skin"}};
  std::vector<std::string> written;
  for (const auto& [style, name] : styles) {
    auto* host = new fw::Form(&fw::App());
    host->SetBounds(20, 20, kWidth, kHeight);
    host->SetCaption("Somnara - Sleep Assistant");
    auto* frame = new skin::TsuiForm(host);
    if (style == skin::TsuiUIStyle::FromThemeFile) {
      auto* theme = new skin::TsuiBuiltInFileTheme(host);
      theme->SetSkinData(skinwriter::BuildStoredSkin());
      frame->SetFileTheme(theme);
    }
    frame->SetUIStyle(style);
    host->Show();
    fw::App().ProcessMessages();
    const std::string path = (fs::path(out_dir) / (std::string("frame_") + name + ".png")).string();
    const auto* native = static_cast<const platform::HeadlessWindow*>(host->NativeWindow());
    if (std::string error = WritePng(path, WindowPicture(*native)); !error.empty())
      throw std::runtime_error(error);
    written.push_back(path);
    host->Hide();
  }

  return written;
}

}  // namespace somnara::pictures
