#pragma once

// A shown white form for the skinned panels, the program's stored skin as a theme, and
// colours as the headless screen reports them.

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/controls/controls_fixture.h"
#include "skin/theme/tsui_built_in_file_theme.h"
#include "skinwriter/stored_skin.h"

namespace somnara::skin::testing {

// 0x00RRGGBB, the way PixelOf reports a pixel.
constexpr uint32_t Rgb(int r, int g, int b) {
  return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
}

class PanelsTest : public somnara::testing::ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    form = MakeForm(300, 200);
  }
  // The skin stored in the program, owned by the test (destroy it with theme.reset()).
  TsuiBuiltInFileTheme& StoredTheme() {
    theme = std::make_unique<TsuiBuiltInFileTheme>(nullptr);
    const std::vector<uint8_t> skin = skinwriter::BuildStoredSkin();
    theme->SetSkinData(skin);
    EXPECT_TRUE(theme->Ready());
    return *theme;
  }
  template <class C>
  C* Place(fw::WinControl* parent, int left, int top, int width, int height) {
    auto* c = new C(form);
    c->SetParent(parent);
    c->SetBounds(left, top, width, height);
    return c;
  }

  fw::Form* form = nullptr;
  std::unique_ptr<TsuiBuiltInFileTheme> theme;
};

}  // namespace somnara::skin::testing
