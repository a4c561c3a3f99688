#pragma once

// A 438 x 260 window carrying a skinned frame, shown on the headless desktop, and ways to
// read the pixels and the outline it shows.

#include <memory>
#include <vector>

#include "framework/controls/controls_fixture.h"
#include "framework/form.h"
#include "framework/graphics/bitmap.h"
#include "framework/resources.h"
#include "platform/headless/headless_window.h"
#include "skin/frame/tsui_form.h"
#include "skin/theme/tsui_built_in_file_theme.h"

namespace somnara::skin::testing {

inline constexpr int kHostWidth = 438;
inline constexpr int kHostHeight = 260;

class FrameTest : public somnara::testing::ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    resources::RegisterProgramResources();
  }
  // The frame in a built-in style.
  void Make(TsuiUIStyle style) {
    host = new fw::Form(&fw::App());
    host->SetBounds(100, 80, kHostWidth, kHostHeight);
    frame = new TsuiForm(host);
    frame->SetUIStyle(style);
    host->Show();
    Pump();
  }
  // The frame with a skin given as a whole skin file.
  void MakeWithSkin(const std::vector<uint8_t>& skin_file) {
    host = new fw::Form(&fw::App());
    host->SetBounds(100, 80, kHostWidth, kHostHeight);
    theme = new TsuiBuiltInFileTheme(host);
    theme->SetSkinData(skin_file);
    frame = new TsuiForm(host);
    frame->SetFileTheme(theme);
    frame->SetUIStyle(TsuiUIStyle::FromThemeFile);
    host->Show();
    Pump();
  }

  platform::HeadlessWindow& Window() {
    return *static_cast<platform::HeadlessWindow*>(host->NativeWindow());
  }
  // The pixel the window shows (0x00RRGGBB), window coordinates.
  uint32_t At(int x, int y) { return Window().PixelAt(x, y); }
  // Whether the window's outline takes in a window point.
  bool InOutline(int x, int y) {
    const Region& r = Window().WindowRegion();
    return r.IsEmpty() || r.Contains({x, y});
  }
  // How the window is cut from the desktop: its outside bands around the client area.
  Rect Bands() {
    const Rect c = host->ClientInWindow();
    return {c.left, c.top, kHostWidth - c.right, kHostHeight - c.bottom};
  }
  // How many pixels of rows [top, bottom) and columns [left, right) differ from `picture`
  // placed at (dx, dy) of the window.
  int Mismatches(const fw::Bitmap& picture, int dx, int dy, const Rect& area) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        n += At(x, y) != (picture.Scanline(y - dy)[x - dx] & 0xFFFFFF);
    return n;
  }

  fw::Form* host = nullptr;
  TsuiForm* frame = nullptr;
  TsuiBuiltInFileTheme* theme = nullptr;
};

inline uint32_t Rgb(fw::Color c) {
  return fw::ColorToRgb(c);
}

}  // namespace somnara::skin::testing
