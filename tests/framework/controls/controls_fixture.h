#pragma once

#include <gtest/gtest.h>

#include <string>

#include "framework/application.h"
#include "framework/control.h"
#include "framework/controls/standard_classes.h"
#include "framework/form.h"
#include "headless_fixture.h"

namespace somnara::testing {

// A shown borderless form at a known place of the headless screen, and helpers that put
// input on controls and let the program take it.
class ControlsTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    fw::RegisterStandardClasses();
  }

  // A borderless form (client = window) at (left, top); shown unless told otherwise.
  fw::Form* MakeForm(int width = 400, int height = 300, bool show = true, int left = 100,
                     int top = 80) {
    auto* form = new fw::Form(&fw::App());
    form->SetBorderStyle(fw::BorderStyle::kNone);
    form->SetBounds(left, top, width, height);
    form->SetColor(fw::clWhite);
    if (show) form->Show();
    return form;
  }

  // Delivers the input queued so far, with everything it causes (messages, paints, due
  // timers), without running the virtual clock on.
  void Pump() {
    for (int i = 0; i < 10000; ++i) {
      fw::App().ProcessMessages();
      if (!windows.HasPendingInput()) break;
      fw::App().HandleMessage();
    }
    fw::App().ProcessMessages();
  }

  Point ScreenOf(const fw::Control& c, int x, int y) { return c.ClientToScreen({x, y}); }
  void ClickOn(const fw::Control& c, int x, int y) {
    windows.Click(ScreenOf(c, x, y));
    Pump();
  }
  void ClickCentre(const fw::Control& c) { ClickOn(c, c.Width() / 2, c.Height() / 2); }
  void Key(uint32_t key, uint32_t ch = 0, unsigned modifiers = 0) {
    windows.PressKey(key, ch, modifiers);
    Pump();
  }
  void Type(const std::string& text) {
    for (char c : text) windows.TypeChar(uint32_t(static_cast<unsigned char>(c)));
    Pump();
  }
  // The pixel shown at a point of a control's client area (0x00RRGGBB).
  uint32_t PixelOf(const fw::Control& c, int x, int y) {
    fw::Form* form = c.ParentForm();
    Point o = c.WindowOrigin();
    auto* native = static_cast<platform::HeadlessWindow*>(form->NativeWindow());
    return native->PixelAt(o.x + x, o.y + y);
  }
  // How many pixels of a control's client area differ from a colour (0x00RRGGBB).
  int CountOtherThan(const fw::Control& c, uint32_t rgb, Rect area = {}) {
    if (area.IsEmpty()) area = {0, 0, c.Width(), c.Height()};
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) n += PixelOf(c, x, y) != rgb;
    return n;
  }
};

inline constexpr uint32_t kWhiteRgb = 0xFFFFFF;

}  // namespace somnara::testing
