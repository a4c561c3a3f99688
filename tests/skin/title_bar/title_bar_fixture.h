#pragma once

// A 438-pixel title bar standing alone at the top of a shown borderless form, and ways to
// read what it shows.

#include <memory>
#include <string>

#include "framework/controls/controls_fixture.h"
#include "framework/graphics/bitmap.h"
#include "framework/resources.h"
#include "skin/frame/tsui_title_bar.h"
#include "skin/theme/tsui_file_theme.h"
#include "skinwriter/stored_skin.h"
#include "temp_folder.h"

namespace somnara::skin::testing {

inline constexpr int kBarWidth = 438;

class TitleBarTest : public somnara::testing::ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    resources::RegisterProgramResources();
  }
  void Make(TsuiUIStyle style, int width = kBarWidth) {
    form = MakeForm(width, 120);
    bar = new TsuiTitleBar(form);
    bar->SetParent(form);
    bar->SetUIStyle(style);
    Pump();
  }
  // The bar with the skin stored in the program.
  void MakeWithStoredSkin() {
    Make(TsuiUIStyle::DeepBlue);
    theme = std::make_unique<TsuiFileTheme>(nullptr);
    theme->SetThemeFile(SkinFile(skinwriter::BuildStoredSkin()));
    ASSERT_TRUE(theme->Ready());
    bar->SetFileTheme(theme.get());
    bar->SetUIStyle(TsuiUIStyle::FromThemeFile);
    Pump();
  }
  std::string SkinFile(const std::vector<uint8_t>& bytes) {
    const std::string path = folder.File("title.skn");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
  }

  TsuiTitleBarButton& ButtonOf(TsuiTitleBarBtnType type) {
    for (int i = 0; i < bar->Buttons().Count(); ++i)
      if (bar->Buttons().Item(i).ButtonType() == type) return bar->Buttons().Item(i);
    throw std::runtime_error("no such button");
  }

  // How many pixels of `picture` placed at (x, y) of the bar differ from what the bar
  // shows; pixels of `skip` (0x00RRGGBB) are see-through and not compared.
  int Mismatches(const fw::Bitmap& picture, int x, int y, uint32_t skip = 0xFF000000) {
    int n = 0;
    for (int py = 0; py < picture.Height(); ++py)
      for (int px = 0; px < picture.Width(); ++px) {
        const uint32_t want = picture.Scanline(py)[px] & 0xFFFFFF;
        if (want == skip) continue;
        n += PixelOf(*bar, x + px, y + py) != want;
      }
    return n;
  }
  // The see-through colour of a transparent button picture drawn by a built-in style.
  static uint32_t CornerColour(const fw::Bitmap& picture) {
    return picture.Scanline(picture.Height() - 1)[0] & 0xFFFFFF;
  }
  // Whether a pixel of colour `rgb` shows in columns [from, to) of the bar.
  bool ShowsColourIn(uint32_t rgb, int from, int to) {
    for (int y = 0; y < bar->Height(); ++y)
      for (int x = from; x < to; ++x)
        if (PixelOf(*bar, x, y) == rgb) return true;
    return false;
  }
  void MoveTo(int x, int y) {
    windows.MoveMouse(ScreenOf(*bar, x, y));
    Pump();
  }

  somnara::testing::TempFolder folder;
  std::unique_ptr<TsuiFileTheme> theme;
  fw::Form* form = nullptr;
  TsuiTitleBar* bar = nullptr;
};

}  // namespace somnara::skin::testing
