#pragma once

// Skinned buttons on a panel of a shown borderless form, and what they show.

#include <string>
#include <vector>

#include "framework/controls/controls_fixture.h"
#include "framework/controls/panel.h"
#include "framework/resources.h"
#include "skin/controls/tsui_button.h"
#include "skin/styles/sui_style_catalogue.h"

namespace somnara::skin::testing {

class ButtonTest : public somnara::testing::ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    resources::RegisterProgramResources();
    form = MakeForm(300, 200);
    // On a panel, as the program's buttons sit on the frame and on group boxes.
    panel = new fw::Panel(form);
    panel->SetParent(form);
    panel->SetBounds(10, 10, 280, 180);
  }
  TsuiButton* AddButton(int left, int top, const std::string& caption = "") {
    auto* b = new TsuiButton(form);
    b->SetParent(panel);
    b->SetBounds(left, top, 80, 27);
    b->SetCaption(caption);
    return b;
  }
  // What the button shows, row by row (0x00RRGGBB).
  std::vector<uint32_t> Shown(const fw::Control& c) {
    std::vector<uint32_t> out;
    for (int y = 0; y < c.Height(); ++y)
      for (int x = 0; x < c.Width(); ++x) out.push_back(PixelOf(c, x, y));
    return out;
  }
  // Frame `frame` of 3 of a style's face strip.
  static fw::Bitmap Face(TsuiUIStyle style, int frame) {
    fw::Bitmap face;
    GetStyleBitmap(style, StyleItem::kButton, &face, frame, 3);
    return face;
  }
  static uint32_t Rgb(fw::Color c) {
    return uint32_t(fw::RedOf(c)) << 16 | uint32_t(fw::GreenOf(c)) << 8 | fw::BlueOf(c);
  }

  // Counts every click and repeat; handlers write here, which outlives the test body.
  void Count(TsuiButton& b) {
    b.OnClick = [this](fw::Component* sender) {
      clicked.push_back(static_cast<fw::Control*>(sender)->Caption());
    };
    b.OnMouseContinuouslyDown = [this](fw::Component*) { ++repeats; };
  }

  fw::Form* form = nullptr;
  fw::Panel* panel = nullptr;
  std::vector<std::string> clicked;
  int repeats = 0;
};

}  // namespace somnara::skin::testing
