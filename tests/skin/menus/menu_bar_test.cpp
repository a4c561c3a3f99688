// The frame's menu bar as the skin draws it (buttons hot, pressed, disabled and at rest;
// the bar behind them) and the menu's side of the frame's shortcut keys.
#include <gtest/gtest.h>

#include "framework/controls/main_menu.h"
#include "framework/controls/menu_item.h"
#include "framework/controls/short_cut.h"
#include "framework/controls/tool_bar.h"
#include "framework/graphics/canvas.h"
#include "framework/resources.h"
#include "menu_pixels.h"
#include "skin/frame/menu_bar_painter.h"
#include "skin/frame/menu_short_cut.h"
#include "skin/frame/tsui_main_menu.h"
#include "skin/styles/sui_style_catalogue.h"

namespace somnara::skin {
namespace {

using testing::Ink;
using testing::Near;

constexpr int kW = 60, kH = 20;

constexpr Rect kAll{0, 0, kW, kH};

int Count(const fw::Bitmap& b, fw::Color colour, Rect area = kAll) {
  return testing::Count(b, colour, area);
}

fw::Bitmap Button(const MenuBarLook& look, unsigned state, const char* caption = "File") {
  fw::Bitmap b(kW, kH);
  b.Fill(fw::clRed);
  DrawMenuBarItem(look, b.GetCanvas(), kAll, caption, state);
  return b;
}

class MenuBarTest : public ::testing::Test {
 protected:
  void SetUp() override { resources::RegisterProgramResources(); }
  fw::Color Item(StyleItem item) { return GetStyleColor(TsuiUIStyle::WinXP, item); }
  MenuBarLook winxp{TsuiUIStyle::WinXP, nullptr, fw::SystemMenuFont()};
};

TEST_F(MenuBarTest, HotAndPressedButtonsAreBoxedAndOthersShowOnlyTheirCaption) {
  const fw::Bitmap hot = Button(winxp, fw::tbHot);
  EXPECT_EQ(hot.GetPixel(0, 0), Item(StyleItem::kMenuSelectedBorderColour));
  EXPECT_EQ(hot.GetPixel(kW - 1, kH - 1), Item(StyleItem::kMenuSelectedBorderColour));
  EXPECT_EQ(hot.GetPixel(2, 2), Item(StyleItem::kMenuSelectedColour));
  EXPECT_EQ(Count(hot, fw::clRed), 0);

  // Pressed: the box ends two pixels short of the right edge.
  const fw::Bitmap pressed = Button(winxp, fw::tbHot | fw::tbPressed);
  EXPECT_EQ(Count(pressed, fw::clRed, {kW - 2, 0, kW, kH}), 2 * kH);
  EXPECT_EQ(pressed.GetPixel(kW - 3, 5), Item(StyleItem::kMenuSelectedBorderColour));

  const fw::Bitmap rest = Button(winxp, 0);
  const fw::Bitmap disabled = Button(winxp, fw::tbDisabled | fw::tbHot);
  for (const fw::Bitmap* b : {&rest, &disabled}) {
    EXPECT_EQ(Count(*b, fw::clRed, {0, 0, kW, 3}), kW * 3);
    EXPECT_EQ(Count(*b, Item(StyleItem::kMenuSelectedColour)), 0);
  }
  EXPECT_TRUE(Near(Ink(rest, kAll, fw::clRed), Item(StyleItem::kMenuItemFontColour)));
  EXPECT_TRUE(Near(Ink(disabled, kAll, fw::clRed), fw::clGray));
  EXPECT_FALSE(Near(Ink(disabled, kAll, fw::clRed), Item(StyleItem::kMenuItemFontColour)));
}

TEST_F(MenuBarTest, MacOSDrawsItsPicturesAndASkinnedMainMenuDecidesTheLook) {
  const MenuBarLook mac{TsuiUIStyle::MacOS, nullptr, fw::SystemMenuFont()};
  const fw::Bitmap hot = Button(mac, fw::tbHot);
  EXPECT_EQ(Count(hot, fw::clRed), 0);
  // The caption is what differs from a button without one.
  const fw::Bitmap empty = Button(mac, fw::tbHot, "");
  fw::Color ink = 0;
  int strongest = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x)
      if (int d = testing::Distance(hot.GetPixel(x, y), empty.GetPixel(x, y)); d > strongest) {
        strongest = d;
        ink = hot.GetPixel(x, y);
      }
  EXPECT_TRUE(Near(ink, GetStyleColor(TsuiUIStyle::MacOS, StyleItem::kMenuSelectedFontColour)));

  fw::Bitmap bar(kW, kH);
  bar.Fill(fw::clRed);
  DrawMenuBarBackground(winxp, bar.GetCanvas(), {0, 0, kW, kH});
  EXPECT_EQ(Count(bar, fw::clRed), kW * kH);
  DrawMenuBarBackground(mac, bar.GetCanvas(), {0, 0, kW, kH});
  EXPECT_EQ(Count(bar, fw::clRed), 0);

  TsuiMainMenu skinned(nullptr);
  skinned.SetUIStyle(TsuiUIStyle::Protein);
  skinned.SetUseSystemFont(false);
  skinned.SetFontSize(12);
  const MenuBarLook from_menu = MenuBarLookOf(&skinned, TsuiUIStyle::MacOS, nullptr);
  EXPECT_EQ(from_menu.style, TsuiUIStyle::Protein);
  EXPECT_EQ(from_menu.font.Size(), 12);
  fw::MainMenu plain(nullptr);
  EXPECT_EQ(MenuBarLookOf(&plain, TsuiUIStyle::MacOS, nullptr).style, TsuiUIStyle::MacOS);
}

TEST_F(MenuBarTest, AShortcutClicksTheEnabledItemAtAnyDepth) {
  fw::MainMenu menu(nullptr);
  std::vector<std::string> clicked;
  auto item = [&](const std::string& caption, const std::string& shortcut, auto* parent) {
    auto* i = new fw::MenuItem(&menu);
    i->SetCaption(caption);
    i->SetShortCutText(shortcut);
    i->OnClick = [&clicked, caption](fw::Component*) { clicked.push_back(caption); };
    parent->Add(i);
    return i;
  };
  fw::MenuItem* file = item("File", "", &menu);
  item("Open", "Ctrl+O", file);
  fw::MenuItem* recent = item("Recent", "", file);
  fw::MenuItem* deep = item("Deep", "Ctrl+Shift+D", recent);
  item("About", "F1", &menu)->SetEnabled(false);

  auto press = [&](uint32_t key, unsigned shift, uint32_t msg = fw::WM_KEYDOWN) {
    return ClickMenuShortCut(&menu, fw::Message{msg, key, intptr_t(shift)});
  };
  EXPECT_TRUE(press('O', fw::ssCtrl));
  EXPECT_TRUE(press('D', fw::ssCtrl | fw::ssShift));
  EXPECT_FALSE(press('D', fw::ssCtrl));
  EXPECT_FALSE(press('O', fw::ssCtrl, fw::WM_CHAR));
  EXPECT_FALSE(press(fw::VK_F1, 0));
  EXPECT_EQ(clicked, (std::vector<std::string>{"Open", "Deep"}));
  // An item under a disabled one is not reached.
  recent->SetEnabled(false);
  EXPECT_FALSE(press('D', fw::ssCtrl | fw::ssShift));
  EXPECT_TRUE(deep->Enabled());
  EXPECT_FALSE(ClickMenuShortCut(nullptr, fw::Message{fw::WM_KEYDOWN, 'O', fw::ssCtrl}));
}

}  // namespace
}  // namespace somnara::skin
