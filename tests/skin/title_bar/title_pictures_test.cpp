// The built-in styles' title pictures have the sizes the title bar and the frame are laid
// out for: three title pictures of one height that hold the buttons even inside a frame,
// a strip of 18 square buttons, and menu pictures tall enough to be cut to a menu item.
#include "framework/resources.h"
#include "skin/styles/sui_style_bitmaps.h"
#include "skin/styles/sui_style_catalogue.h"
#include "title_bar_fixture.h"

namespace somnara::skin::testing {
namespace {

fw::Bitmap Picture(const std::string& name) {
  fw::Bitmap b;
  EXPECT_TRUE(LoadStyleBitmap(name, b)) << name;
  return b;
}

TEST(TitlePicturesTest, EachStyleHasTheTitleAndButtonPicturesItsLayoutNeeds) {
  resources::RegisterProgramResources();
  struct Expected {
    TsuiUIStyle style;
    Size strip;
  };
  const Expected styles[] = {{TsuiUIStyle::MacOS, {306, 17}},
                             {TsuiUIStyle::WinXP, {378, 21}},
                             {TsuiUIStyle::DeepBlue, {342, 19}},
                             {TsuiUIStyle::Protein, {342, 19}},
                             {TsuiUIStyle::BlueGlass, {342, 19}}};
  for (const Expected& e : styles) {
    SCOPED_TRACE(UIStyleName(e.style));
    fw::Bitmap left, client, right, strip;
    GetStyleBitmap(e.style, StyleItem::kTitleLeft, &left);
    GetStyleBitmap(e.style, StyleItem::kTitleClient, &client);
    GetStyleBitmap(e.style, StyleItem::kTitleRight, &right);
    GetStyleBitmap(e.style, StyleItem::kTitleButtons, &strip);
    EXPECT_EQ(client.Height(), left.Height());
    EXPECT_EQ(right.Height(), left.Height());
    EXPECT_EQ(Size(strip.Width(), strip.Height()), e.strip);
    // Inside a frame the bar is 3 pixels shorter and its buttons 3 pixels higher.
    const int top_in_frame = GetStyleInt(e.style, StyleItem::kTitleButtonTop) - 3;
    EXPECT_LE(top_in_frame + strip.Height(), left.Height() - 3);
  }
  fw::Bitmap deep_blue;
  GetStyleBitmap(TsuiUIStyle::DeepBlue, StyleItem::kTitleLeft, &deep_blue);
  EXPECT_EQ(deep_blue.Height(), 32) << "a DeepBlue dialog is at least 29 + 22 + 3 = 54 high";

  EXPECT_GE(Picture("MACOS_MENU_BAR").Height(), 20);
  EXPECT_GE(Picture("MACOS_MENU_SELECT").Height(), 20);
  EXPECT_EQ(Picture("MENU_CHECKED").Width(), 16);
}

}  // namespace
}  // namespace somnara::skin::testing
