#include "button_scenes.h"

#include <filesystem>
#include <stdexcept>

#include "framework/application.h"
#include "framework/form.h"
#include "headless_desktop.h"
#include "platform/headless/headless_window_system.h"
#include "screen_picture.h"
#include "skin/controls/tsui_button.h"

namespace somnara::pictures {

namespace {

namespace fs = std::filesystem;

constexpr int kLeft = 20;
constexpr int kTop = 20;
constexpr int kRowHeight = 40;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 27;
constexpr int kGap = 8;

// A small glyph of two frames: a filled circle, dark when enabled and grey when not, keyed
// on magenta.
fw::Bitmap TwoFrameGlyph() {
  fw::Bitmap glyph(32, 16);
  glyph.Fill(fw::MakeColor(255, 0, 255));
  for (int frame = 0; frame < 2; ++frame)
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const int dx = 2 * x - 15, dy = 2 * y - 15;
        if (dx * dx + dy * dy <= 12 * 12)
          glyph.SetPixel(frame * 16 + x, y,
                         frame == 0 ? fw::MakeColor(30, 90, 40) : fw::MakeColor(150, 150, 150));
      }
  return glyph;
}

}  // namespace

std::vector<std::string> RenderButtons(const std::string& out_dir) {
  HeadlessDesktop desktop;
  platform::HeadlessWindowSystem& windows = desktop.Windows();
  skin::TsuiFileTheme* theme = desktop.StoredSkinTheme();

  const skin::TsuiUIStyle styles[] = {
      skin::TsuiUIStyle::MacOS,   skin::TsuiUIStyle::WinXP,     skin::TsuiUIStyle::DeepBlue,
      skin::TsuiUIStyle::Protein, skin::TsuiUIStyle::BlueGlass, skin::TsuiUIStyle::FromThemeFile};
  // One borderless form a style, stacked without gaps, so that each shows its own focus.
  constexpr int kColumns = 5;
  constexpr int kWidth = kGap + kColumns * (kButtonWidth + kGap);
  const fw::Bitmap glyph = TwoFrameGlyph();
  const char* captions[kColumns] = {"&OK", "Cancel", "Pressed", "Disabled", "Play"};
  int row = 0;
  for (skin::TsuiUIStyle style : styles) {
    auto* form = new fw::Form(&fw::App());
    form->SetBorderStyle(fw::BorderStyle::kNone);
    form->SetBounds(kLeft, kTop + row * kRowHeight, kWidth, kRowHeight);
    form->SetColor(fw::MakeColor(232, 232, 232));
    form->Show();
    std::vector<skin::TsuiButton*> buttons;
    for (int column = 0; column < kColumns; ++column) {
      auto* b = new skin::TsuiButton(form);
      b->SetParent(form);
      b->SetBounds(kGap + column * (kButtonWidth + kGap), (kRowHeight - kButtonHeight) / 2,
                   kButtonWidth, kButtonHeight);
      b->SetFileTheme(theme);
      b->SetUIStyle(style);
      b->SetCaption(captions[column]);
      buttons.push_back(b);
    }
    // Held down as by the Space key, which leaves it pressed when the focus moves on.
    uint32_t space = fw::VK_SPACE;
    buttons[2]->SetFocus();
    buttons[2]->KeyDown(space, 0);
    buttons[3]->SetEnabled(false);
    buttons[4]->SetGlyph(glyph);
    buttons[0]->SetFocus();
    ++row;
  }
  fw::App().ProcessMessages();

  const RgbPicture screen = ScreenPicture(windows);
  RgbPicture crop{kWidth, row * kRowHeight, {}};
  for (int y = 0; y < crop.height; ++y)
    for (int x = 0; x < crop.width; ++x) crop.pixels.push_back(screen.At(kLeft + x, kTop + y));
  std::vector<std::string> written;
  const std::string path = (fs::path(out_dir) / "buttons.png").string();
  if (std::string error = WritePng(path, crop); !error.empty()) throw std::runtime_error(error);
  written.push_back(path);

  return written;
}

}  // namespace somnara::pictures
