// How a skinned menu measures and paints its items: the side bar, the separator line, the
// selected box, disabled items, check marks and item pictures.
#include <gtest/gtest.h>

#include "framework/controls/image_list.h"
#include "framework/controls/menu_item.h"
#include "framework/graphics/canvas.h"
#include "headless_fixture.h"
#include "menu_pixels.h"
#include "skin/frame/tsui_main_menu.h"
#include "skin/frame/tsui_popup_menu.h"
#include "skin/theme/theme_test_support.h"

namespace somnara::skin {
namespace {

using testing::Count;
using testing::Ink;
using testing::Near;
using testing::Rgb;

constexpr int kWidth = 160;

class MenuItemDrawingTest : public somnara::testing::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    resources::RegisterProgramResources();
    menu = new TsuiPopupMenu(&fw::App());
  }
  fw::MenuItem* AddItem(const std::string& caption) {
    auto* item = new fw::MenuItem(menu);
    item->SetCaption(caption);
    menu->Add(item);
    return item;
  }
  Size Measure(fw::MenuItem& item) {
    int width = 0, height = 0;
    menu->DoMeasureItem(item, scratch.GetCanvas(), width, height);
    return {width, height};
  }
  // The item painted alone on a picture of its measured height, over a red background.
  fw::Bitmap Paint(fw::MenuItem& item, bool selected) {
    fw::Bitmap picture(kWidth, Measure(item).height);
    picture.Fill(fw::clRed);
    menu->DoDrawItem(item, picture.GetCanvas(), {0, 0, kWidth, picture.Height()}, selected);
    return picture;
  }
  TsuiPopupMenu* menu = nullptr;
  fw::Bitmap scratch{1, 1};
};

TEST_F(MenuItemDrawingTest, SideBarItemHeightAndSeparatorLineOfTheTitleBarMenu) {
  fw::MenuItem* item = AddItem("&Restore");
  fw::MenuItem* separator = AddItem("-");
  item->SetShortCutText("Alt+F4");
  scratch.GetCanvas().Font() = fw::SystemMenuFont();
  const int caption = scratch.GetCanvas().TextWidth("&Restore");
  const int shortcut = scratch.GetCanvas().TextWidth("Alt+F4");
  EXPECT_EQ(Measure(*item), (Size{caption + shortcut + 26 + 40, 21}));
  EXPECT_EQ(Measure(*separator).height, 5);

  const fw::Bitmap normal = Paint(*item, false);
  EXPECT_EQ(Count(normal, menu->BarColor(), {0, 0, 26, 21}), 26 * 21);
  EXPECT_EQ(normal.GetPixel(26, 0), menu->Color());
  EXPECT_EQ(normal.GetPixel(kWidth - 1, 20), menu->Color());
  // The caption starts 4 pixels right of the bar, with its access key underlined, and the
  // shortcut ends 16 pixels before the right edge.
  EXPECT_EQ(Ink(normal, {26, 0, 30, 21}, menu->Color()), menu->Color());
  EXPECT_TRUE(Near(Ink(normal, {30, 0, 30 + caption, 21}, menu->Color()), menu->FontColor()));
  EXPECT_EQ(Count(normal, fw::clBlack, {30, 14, 38, 16}), 8);  // "R" underlined
  const Rect shortcut_place{kWidth - 16 - shortcut, 0, kWidth - 16, 21};
  EXPECT_TRUE(Near(Ink(normal, shortcut_place, menu->Color()), menu->FontColor()));
  EXPECT_EQ(Ink(normal, {kWidth - 16, 0, kWidth, 21}, menu->Color()), menu->Color());

  const fw::Bitmap line = Paint(*separator, false);
  const fw::Color grey = Rgb(0x84, 0x82, 0x84);
  EXPECT_EQ(Count(line, grey, {0, 0, kWidth, 5}), kWidth - 2 - 30);
  EXPECT_EQ(Count(line, grey, {30, 2, kWidth - 2, 3}), kWidth - 2 - 30);
  EXPECT_EQ(line.GetPixel(10, 2), menu->BarColor());
  EXPECT_EQ(line.GetPixel(28, 2), menu->Color());
}

TEST_F(MenuItemDrawingTest, SelectedItemsAreBoxedButADisabledOneKeepsItsBackgroundAndGreyText) {
  fw::MenuItem* item = AddItem("Size");
  const fw::Bitmap selected = Paint(*item, true);
  EXPECT_EQ(selected.GetPixel(0, 0), menu->SelectedBorderColor());
  EXPECT_EQ(selected.GetPixel(10, 10), menu->SelectedColor());
  EXPECT_TRUE(Near(Ink(selected, {30, 1, kWidth - 1, 20}, menu->SelectedColor()),
                   menu->SelectedFontColor()));

  menu->SetSelectedBorderColor(Rgb(1, 2, 3));
  menu->SetSelectedColor(Rgb(4, 5, 6));
  item->SetEnabled(false);
  const fw::Bitmap disabled = Paint(*item, true);
  EXPECT_EQ(disabled.GetPixel(0, 0), menu->BarColor());
  EXPECT_EQ(disabled.GetPixel(kWidth - 1, 0), menu->Color());
  EXPECT_EQ(Count(disabled, Rgb(4, 5, 6), {0, 0, kWidth, 21}), 0);
  EXPECT_TRUE(Near(Ink(disabled, {30, 0, kWidth, 21}, menu->Color()), fw::clGray));
  EXPECT_FALSE(Near(Ink(disabled, {30, 0, kWidth, 21}, menu->Color()), menu->FontColor()));
}

TEST_F(MenuItemDrawingTest, ACheckedItemShowsItsPictureOnABlackFramedBoxOrElseTheCheckImage) {
  fw::ImageList images(nullptr);
  fw::Bitmap green(16, 16);
  green.Fill(fw::clLime);
  images.Add(green);
  menu->SetImages(&images);
  fw::MenuItem* item = AddItem("Pinned");
  item->SetChecked(true);
  item->SetImageIndex(0);
  const fw::Bitmap boxed = Paint(*item, false);
  // Frame (2, 1)-(21, 20), box (3, 2)-(20, 19), picture at (4, 3).
  EXPECT_EQ(boxed.GetPixel(2, 1), fw::clBlack);
  EXPECT_EQ(boxed.GetPixel(20, 10), fw::clBlack);
  EXPECT_EQ(boxed.GetPixel(10, 19), fw::clBlack);
  EXPECT_EQ(boxed.GetPixel(3, 2), menu->SelectedColor());
  EXPECT_EQ(boxed.GetPixel(3, 18), menu->SelectedColor());
  EXPECT_EQ(boxed.GetPixel(19, 2), menu->SelectedColor());
  EXPECT_EQ(Count(boxed, fw::clLime, {0, 0, kWidth, 21}), 16 * 16);
  EXPECT_EQ(Count(boxed, fw::clLime, {4, 3, 20, 19}), 16 * 16);

  // An index outside the list: the check image instead, its white left out.
  item->SetImageIndex(1);
  const fw::Bitmap checked = Paint(*item, false);
  EXPECT_EQ(Count(checked, fw::clBlack, {0, 0, 2, 21}), 0);
  EXPECT_GT(Count(checked, fw::clBlack, {4, 3, 20, 19}), 0);
  EXPECT_EQ(Count(checked, fw::clWhite, {4, 3, 20, 19}), 0);

  item->SetEnabled(false);
  const fw::Bitmap greyed = Paint(*item, false);
  EXPECT_EQ(Count(greyed, fw::clBlack, {4, 3, 20, 19}), 0);
  EXPECT_GT(Count(greyed, fw::clGray, {4, 3, 20, 19}), 0);
}

TEST_F(MenuItemDrawingTest, MacOSDrawsItsPicturesAndAMainMenuHasItsOwnCheckImages) {
  menu->SetUIStyle(TsuiUIStyle::MacOS);
  fw::MenuItem* item = AddItem("Move");
  fw::MenuItem* separator = AddItem("-");
  EXPECT_EQ(Measure(*separator).height, 12);
  const fw::Bitmap line = Paint(*separator, false);
  const fw::Bitmap selected = Paint(*item, true);
  EXPECT_EQ(Count(line, fw::clRed, {0, 0, kWidth, 12}), 0);
  EXPECT_EQ(Count(line, menu->BarColor(), {0, 0, 26, 12}), 0);
  EXPECT_NE(selected.GetPixel(1, 1), Paint(*item, false).GetPixel(1, 1));

  TsuiMainMenu main(nullptr);
  EXPECT_EQ(main.PublishedImages(), nullptr);
  ASSERT_NE(main.Images(), nullptr);
  EXPECT_EQ(main.Images()->Count(), 1);
  fw::ImageList other(nullptr);
  main.SetImages(&other);
  EXPECT_EQ(main.PublishedImages(), &other);
  main.SetImages(nullptr);
  EXPECT_EQ(main.Images()->Count(), 1);
  EXPECT_EQ(main.PublishedImages(), nullptr);
  // A main menu keeps item heights written under MacOS.
  main.SetUIStyle(TsuiUIStyle::MacOS);
  main.SetMenuItemHeight(30);
  main.SetSeparatorHeight(3);
  EXPECT_EQ(main.MenuItemHeight(), 30);
  EXPECT_EQ(main.SeparatorHeight(), 12);
}

}  // namespace
}  // namespace somnara::skin
