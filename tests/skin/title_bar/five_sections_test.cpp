// A skin whose title is made of five pictures: the second holds the caption and is as wide
// as the caption needs, the fourth fills what is left, and the form may not get narrower
// than the pictures and the buttons need.
#include "framework/graphics/bmp_codec.h"
#include "framework/graphics/canvas.h"
#include "skinwriter/skin_archive_writer.h"
#include "skinwriter/skin_container_writer.h"
#include "title_bar_fixture.h"

namespace somnara::skin::testing {
namespace {

std::vector<uint8_t> Solid(int width, int height, uint8_t r, uint8_t g, uint8_t b) {
  fw::Bitmap picture(width, height);
  picture.Fill(fw::MakeColor(r, g, b));
  return fw::EncodeBmp24(picture);
}

std::vector<uint8_t> FiveSectionSkin() {
  skinwriter::SkinContainerWriter items;
  items.AddBitmap("SKIN2_TITLEBAR1", Solid(30, 26, 200, 0, 0));
  items.AddBitmap("SKIN2_TITLEBAR2", Solid(10, 26, 0, 200, 0));
  items.AddBitmap("SKIN2_TITLEBAR3", Solid(20, 26, 0, 0, 200));
  items.AddBitmap("SKIN2_TITLEBAR4", Solid(10, 26, 200, 200, 0));
  items.AddBitmap("SKIN2_TITLEBAR5", Solid(25, 26, 0, 200, 200));
  items.AddBitmap("SKIN2_TITLEBUTTONS", Solid(18 * 16, 16, 90, 90, 90));
  items.AddByte("SKIN2_TITLEFIVESECT", 1);
  items.AddInteger("SKIN2_TITLEBARICONPOSX", 8);
  items.AddInteger("SKIN2_TITLEBARBUTTONPOSX", 6);
  items.AddInteger("SKIN2_TITLEBARBUTTONPOSY", 5);
  items.AddInteger("SKIN2_TITLEFONTCOLOR", 0xFFFFFF);
  skinwriter::SkinArchiveWriter archive;
  archive.AddEntry("SKINDATA.SK2", items.Build(), {});
  return archive.Build();
}

TEST_F(TitleBarTest, CaptionSectionIsAsWideAsItsCaption) {
  Make(TsuiUIStyle::DeepBlue);
  theme = std::make_unique<TsuiFileTheme>(nullptr);
  theme->SetThemeFile(SkinFile(FiveSectionSkin()));
  ASSERT_TRUE(theme->Ready());
  bar->SetFileTheme(theme.get());
  bar->SetUIStyle(TsuiUIStyle::FromThemeFile);
  bar->SetCaption("Night");
  Pump();
  ASSERT_EQ(bar->Sections().Count(), 5);
  EXPECT_TRUE(bar->Sections().Item(1).CapSec());
  EXPECT_EQ(bar->CapSecText(), "Night");
  // 30 + 20 + max(25, 16 x 4 buttons + 6) + 16
  EXPECT_EQ(form->MinWidth(), 30 + 20 + 70 + 16);

  fw::Bitmap scratch(1, 1);
  scratch.GetCanvas().Font() = bar->GetFont();
  const int caption_width = scratch.GetCanvas().TextWidth("Night") + 8 - 30 + 17;
  const int bottom = bar->Height() - 1;
  EXPECT_EQ(PixelOf(*bar, 29, bottom), 0xC80000u);
  EXPECT_EQ(PixelOf(*bar, 30 + caption_width - 1, bottom), 0x00C800u);
  EXPECT_EQ(PixelOf(*bar, 30 + caption_width, bottom), 0x0000C8u);
  EXPECT_EQ(PixelOf(*bar, 30 + caption_width + 20, bottom), 0xC8C800u);
  EXPECT_EQ(PixelOf(*bar, kBarWidth - 26, bottom), 0xC8C800u);
  EXPECT_EQ(PixelOf(*bar, kBarWidth - 25, bottom), 0x00C8C8u);
}

}  // namespace
}  // namespace somnara::skin::testing
