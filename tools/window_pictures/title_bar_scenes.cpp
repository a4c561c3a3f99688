#include "title_bar_scenes.h"

#include <filesystem>
#include <stdexcept>

#include "framework/application.h"
#include "framework/controls/menu_window.h"
#include "framework/form.h"
#include "headless_desktop.h"
#include "platform/headless/headless_window_system.h"
#include "screen_picture.h"
#include "skin/frame/tsui_title_bar.h"
#include "skin/frame/tsui_title_bar_popup_menu.h"

namespace somnara::pictures {

namespace {

namespace fs = std::filesystem;

constexpr int kFormWidth = 438;
constexpr int kFormHeight = 90;

// A shown form with a title bar at its top, below the previous ones on the screen.
skin::TsuiTitleBar* MakeBar(int row, skin::TsuiUIStyle style, skin::TsuiFileTheme* theme,
                            const std::string& caption) {
  auto* form = new fw::Form(&fw::App());
  form->SetBorderStyle(fw::BorderStyle::kNone);
  form->SetBounds(20, 20 + row * (kFormHeight + 10), kFormWidth, kFormHeight);
  form->SetColor(fw::MakeColor(232, 232, 232));
  form->SetCaption(caption);
  auto* bar = new skin::TsuiTitleBar(form);
  bar->SetParent(form);
  bar->SetFileTheme(theme);
  bar->SetUIStyle(style);
  bar->SetCaption(caption);
  form->Show();
  return bar;
}

void Settle() {
  fw::App().ProcessMessages();
}

}  // namespace

std::vector<std::string> RenderTitleBars(const std::string& out_dir) {
  HeadlessDesktop desktop;
  platform::HeadlessWindowSystem& windows = desktop.Windows();
  skin::TsuiFileTheme* theme = desktop.StoredSkinTheme();

  std::vector<std::string> written;
  auto save = [&](const std::string& name, const platform::HeadlessWindow& window) {
    const std::string path = (fs::path(out_dir) / name).string();
    const std::string error = WritePng(path, WindowPicture(window));
    if (!error.empty()) throw std::runtime_error(error);
    written.push_back(path);
  };
  auto native = [](skin::TsuiTitleBar* bar) {
    return static_cast<platform::HeadlessWindow*>(bar->ParentForm()->NativeWindow());
  };

  const std::pair<skin::TsuiUIStyle, const char*> styles[] = {
      {skin::TsuiUIStyle::MacOS, "macos"},
      {skin::TsuiUIStyle::WinXP, "winxp"},
      {skin::TsuiUIStyle::DeepBlue, "deepblue"},
      {skin::TsuiUIStyle::Protein, "protein"},
      {skin::TsuiUIStyle::BlueGlass, "blueglass"},
      {skin::TsuiUIStyle::FromThemeFile, "stored_skin"}};
  int row = 0;
  skin::TsuiTitleBar* last = nullptr;
  for (const auto& [style, name] : styles) {
    last = MakeBar(row++, style, theme, "Somnara - Sleep Assistant");
    Settle();
    save(std::string("title_bar_") + name + ".png", *native(last));
  }

  // The window menu, opened from the control box of the stored skin's bar: the screen around
  // the bar shows it dropping from the bar's bottom-left corner.
  last->Buttons().Item(2).SetVisible(false);
  last->Buttons().Item(3).SetVisible(false);
  const Point at = last->ClientToScreen({0, last->Height()});
  last->PopupMenu().Popup(at.x, at.y);
  Settle();
  const Rect bar_area = native(last)->Bounds();
  RgbPicture screen = ScreenPicture(windows);
  RgbPicture crop{kFormWidth, 200, {}};
  for (int y = 0; y < crop.height; ++y)
    for (int x = 0; x < crop.width; ++x) {
      const int sx = bar_area.left + x, sy = bar_area.top + y;
      crop.pixels.push_back(sx < screen.width && sy < screen.height ? screen.At(sx, sy) : 0);
    }
  const std::string path = (fs::path(out_dir) / "title_bar_window_menu.png").string();
  if (std::string error = WritePng(path, crop); !error.empty()) throw std::runtime_error(error);
  written.push_back(path);

  last->PopupMenu().CloseMenu();
  return written;
}

}  // namespace somnara::pictures
