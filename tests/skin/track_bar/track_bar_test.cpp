// The skinned track bar as the wizard's volume control uses it: 145 wide, 0..255, made
// from a window description on a form without a skinned frame (so in DeepBlue, whose
// slider is 11 x 20).

#include <gtest/gtest.h>

#include <vector>

#include "framework/controls/controls_fixture.h"
#include "framework/description/description_loader.h"
#include "framework/resources.h"
#include "skin/controls/track_bar_geometry.h"
#include "skin/controls/tsui_image_panel.h"
#include "skin/controls/tsui_track_bar.h"
#include "skin/styles/sui_style_catalogue.h"
#include "skin/theme/tsui_built_in_file_theme.h"

namespace somnara::skin {
namespace {

class TrackBarTest : public somnara::testing::ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    resources::RegisterProgramResources();
    TsuiTrackBar::StaticClassInfo();
    form = MakeForm(300, 100);
    fw::LoadDescriptionText(*form, R"(TForm Form3 {
      TsuiTrackBar bb1 {
        Left = 10  Top = 30  Width = 145  Height = 21
        Max = 255  Position = 100  PageSize = 2  LineSize = 1
        ShowTick = False  Transparent = True  Frequency = 1  TabStop = True
      }
    })");
    bar = form->Find<TsuiTrackBar>("bb1");
    ASSERT_NE(bar, nullptr);
    bar->OnChange = [this](fw::Component*) { changes.push_back(bar->Position()); };
    Pump();
  }
  void TearDown() override {
    if (bar != nullptr) {
      bar->OnChange = nullptr;
      bar->OnMouseDown = nullptr;
      bar->OnMouseUp = nullptr;
    }
    ControlsTest::TearDown();
  }
  Point At(int x, int y) { return ScreenOf(*bar, x, y); }
  // Lets `ms` of virtual time pass in small steps, so every timer tick is delivered.
  void Wait(int64_t ms) {
    for (int64_t passed = 0; passed < ms; passed += 10) {
      windows.Time().Advance(10);
      Pump();
    }
  }

  fw::Form* form = nullptr;
  TsuiTrackBar* bar = nullptr;
  std::vector<int> changes;
};

TEST_F(TrackBarTest, SliderAndPointerFollowTheVolumeControlsGeometry) {
  EXPECT_EQ(bar->Height(), 20);  // the taller of bar picture and slider
  EXPECT_EQ(bar->Slider().Width(), 11);
  EXPECT_EQ(bar->Slider().Left(), 52);        // 100 x 134 / 255
  EXPECT_EQ(bar->PixelToValue(58, 10), 101);  // (58 - 5) x 255 / 134 = 100.86
  // Exact halves go to the even neighbour: travel 2 for the range 0..1.
  const TrackBarGeometry tiny{true, 13, 20, 11, 20, 0, 1};
  EXPECT_EQ(ValueAtPointer(tiny, {6, 0}), 0);  // 0.5
  EXPECT_EQ(ValueAtPointer(tiny, {8, 0}), 2);  // 1.5
  bar->SetMin(255);
  EXPECT_EQ(bar->Slider().Left(), 0);
  EXPECT_TRUE(TickOffsets({true, 145, 20, 11, 20, 255, 255}, 1).empty());
}

// The bar's caps show unscaled at both ends, centred across the control, with the picture's
// magenta in the control's colour (the form's white); a vertical bar has its left cap at the
// bottom. Ticks are 3 pixels at the control's edge.
TEST_F(TrackBarTest, TheBarStripShowsItsCapsCentredAndTheTicksAtTheEdge) {
  fw::Bitmap picture;
  ASSERT_TRUE(GetStyleBitmap(TsuiUIStyle::DeepBlue, StyleItem::kTrackBarBar, &picture));
  const int cap = picture.Width() / 3, top = (bar->Height() - picture.Height()) / 2;
  auto want = [&](int x, int y) {
    const uint32_t rgb = picture.Scanline(y)[x] & 0xFFFFFF;
    return rgb == 0xFF00FF ? somnara::testing::kWhiteRgb : rgb;
  };
  int wrong = 0;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < cap; ++x) {
      wrong += PixelOf(*bar, x, top + y) != want(x, y);
      wrong += PixelOf(*bar, bar->Width() - cap + x, top + y) != want(2 * cap + x, y);
    }
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(PixelOf(*bar, 100, 19), somnara::testing::kWhiteRgb);
  bar->SetShowTick(true);
  Pump();
  EXPECT_EQ(PixelOf(*bar, 100, 19), 0u);
  EXPECT_EQ(PixelOf(*bar, 100, 16), somnara::testing::kWhiteRgb);

  bar->SetOrientation(TsuiOrientation::suiVertical);
  bar->SetHeight(60);  // all of it inside the form
  bar->SetShowTick(false);
  Pump();
  EXPECT_EQ(bar->Width(), 18);  // the vertical slider's width
  const int left = (bar->Width() - picture.Height()) / 2;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < cap; ++x) wrong += PixelOf(*bar, left + y, 59 - x) != want(x, y);
  EXPECT_EQ(wrong, 0);
}

// The slider's see-through colour turns into the skin's window colour.
TEST_F(TrackBarTest, ASkinThemeGivesItsPicturesUntilTheThemeIsFreed) {
  auto* theme = new TsuiBuiltInFileTheme(form);
  const fw::ResourceLookup skin = fw::FindResource("skins/stored.skn");
  theme->SetSkinData(std::vector<uint8_t>(skin.bytes.begin(), skin.bytes.end()));
  ASSERT_TRUE(theme->Ready());
  bar->SetFileTheme(theme);
  bar->SetUIStyle(TsuiUIStyle::FromThemeFile);
  EXPECT_TRUE(bar->BarImage().SamePixels(*theme->GetThemeBitmap(ThemeBitmap::kTrackBar)));
  const fw::Bitmap& skin_slider = *theme->GetThemeBitmap(ThemeBitmap::kTrackBarSlider);
  const fw::Color trans(theme->GetThemeColor(ThemeColor::kTransColor));
  const fw::Color back(theme->GetThemeColor(ThemeColor::kFormColor));
  ASSERT_EQ(bar->SliderImage().Width(), skin_slider.Width());
  int see_through = 0, wrong = 0;
  for (int y = 0; y < skin_slider.Height(); ++y)
    for (int x = 0; x < skin_slider.Width(); ++x) {
      const bool keyed = skin_slider.GetPixel(x, y) == trans;
      see_through += keyed;
      wrong += bar->SliderImage().GetPixel(x, y) != (keyed ? back : skin_slider.GetPixel(x, y));
    }
  EXPECT_GT(see_through, 0);
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(bar->Height(), std::max(bar->BarImage().Height(), skin_slider.Height()));

  delete theme;
  EXPECT_EQ(bar->FileTheme(), nullptr);
  EXPECT_EQ(bar->UIStyle(), TsuiUIStyle::DeepBlue);
  EXPECT_EQ(bar->Slider().Height(), 20);
}

TEST_F(TrackBarTest, SettersClampAndReportEachRealChangeOnce) {
  bar->SetPosition(100);
  EXPECT_TRUE(changes.empty());
  bar->SetMax(50);
  EXPECT_EQ(bar->Position(), 50);
  bar->SetPosition(400);
  bar->SetPosition(400);
  EXPECT_EQ(changes, (std::vector<int>{50}));
  bar->SetMax(255);
  bar->SetPageSize(300);
  bar->SetLineSize(-1);
  EXPECT_EQ(bar->PageSize(), 2);
  EXPECT_EQ(bar->LineSize(), 1);
  bar->SetMin(300);  // above Max: lowered to it, and Position raised
  EXPECT_EQ(bar->Min(), 255);
  EXPECT_EQ(bar->Position(), 255);
}

TEST_F(TrackBarTest, HoldingOnTheBarPagesUpToThePointerAndStops) {
  const int strips = bar->BarStripBuilds();
  windows.PressMouse(At(120, 10));  // the value there: (120 - 5) x 255 / 134 = 219
  Pump();
  EXPECT_EQ(bar->Position(), 102);  // one page at once
  EXPECT_TRUE(bar->Focused());
  Wait(350);
  EXPECT_EQ(bar->Position(), 120);  // three pages every 100 ms
  Wait(3000);
  EXPECT_EQ(bar->Position(), 219);
  EXPECT_TRUE(bar->Paging());
  windows.ReleaseMouse(At(120, 10));
  Pump();
  EXPECT_FALSE(bar->Paging());
  EXPECT_EQ(bar->BarStripBuilds(), strips);  // painting only copies the bar
}

TEST_F(TrackBarTest, DraggingTheSliderCapturesTheMouseInTrackBarCoordinates) {
  std::vector<Point> downs, ups;
  bar->OnMouseDown = [&](fw::Component*, fw::MouseButton, unsigned, int x, int y) {
    downs.push_back({x, y});
  };
  bar->OnMouseUp = [&](fw::Component*, fw::MouseButton, unsigned, int x, int y) {
    ups.push_back({x, y});
  };
  windows.PressMouse(At(57, 10));  // the slider's centre
  Pump();
  EXPECT_TRUE(bar->Dragging());
  EXPECT_EQ(form->CaptureControl(), bar);
  EXPECT_EQ(downs, (std::vector<Point>{{57, 10}}));
  windows.MoveMouse(At(400, 50));  // far outside: still the track bar's, clamped
  Pump();
  EXPECT_EQ(bar->Position(), 255);
  windows.MoveMouse(At(58, 10));
  Pump();
  EXPECT_EQ(bar->Position(), 101);
  EXPECT_EQ(bar->Slider().Left(), 53);  // 101 x 134 / 255
  windows.ReleaseMouse(At(58, 10));
  Pump();
  EXPECT_EQ(ups, (std::vector<Point>{{58, 10}}));
  EXPECT_FALSE(bar->Dragging());
  EXPECT_EQ(form->CaptureControl(), nullptr);
  EXPECT_EQ(changes, (std::vector<int>{255, 101}));
}

TEST_F(TrackBarTest, KeysMoveThePositionAndTheArrowsAreItsOwn) {
  EXPECT_EQ(bar->Perform(fw::WM_GETDLGCODE), fw::DLGC_WANTARROWS);
  bar->SetFocus();
  Key(fw::VK_RIGHT);
  EXPECT_EQ(bar->Position(), 101);
  Key(fw::VK_DOWN);
  Key(fw::VK_NEXT);
  EXPECT_EQ(bar->Position(), 104);
  Key(fw::VK_END);
  Key(fw::VK_RIGHT);
  EXPECT_EQ(bar->Position(), 255);
  Key(fw::VK_HOME);
  Key(fw::VK_UP);
  Key(fw::VK_PRIOR);
  EXPECT_EQ(bar->Position(), 0);
  EXPECT_EQ(changes, (std::vector<int>{101, 102, 104, 255, 0}));
}

}  // namespace
}  // namespace somnara::skin
