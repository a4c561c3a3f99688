// Registration of the standard classes, a whole window description using them, and the
// containers and bevels that frame other controls.
#include <gmock/gmock.h>

#include "controls_fixture.h"
#include "framework/controls/bevel.h"
#include "framework/controls/group_box.h"
#include "framework/controls/panel.h"
#include "framework/description/description_loader.h"
#include "framework/timer.h"

namespace somnara::fw {
namespace {

using ContainersTest = somnara::testing::ControlsTest;

TEST_F(ContainersTest, EveryStandardClassIsKnownByItsName) {
  RegisterStandardClasses();
  for (const char* name :
       {"TForm", "TTimer", "TLabel", "TImage", "TBevel", "TEdit", "TMemo", "TComboBox", "TCheckBox",
        "TSpeedButton", "TButton", "TPanel", "TGroupBox", "TTrackBar", "TPopupMenu", "TMenuItem"}) {
    const ClassInfo* info = ClassInfo::Find(name);
    ASSERT_NE(info, nullptr) << name;
    EXPECT_EQ(info->Name(), name);
  }
  // Published names follow the desktop tradition.
  const ClassInfo* bar = ClassInfo::Find("TTrackBar");
  for (const char* p : {"Min", "Max", "Position", "PageSize", "LineSize", "Frequency", "TabOrder",
                        "OnChange", "Font.Height"})
    EXPECT_NE(bar->FindProperty(p), nullptr) << p;
}

TEST_F(ContainersTest, AWizardPageDescriptionBuildsItsControls) {
  Form* form = MakeForm(491, 282, false);
  form->SetName("");
  LoadDescriptionText(*form, R"(TForm Form3 {
    TPanel gb1 {
      Left = 0  Top = 27  Width = 491  Height = 255  Caption = ""
      BevelOuter = bvLowered  BevelInner = bvRaised  BevelWidth = 2  BorderWidth = 3
      TButton suiButton1 { Left = 392  Top = 216  Width = 80  Height = 27  Caption = "Next"
                           TabOrder = 0  Default = True }
      TPanel Filler { Align = alClient  BevelOuter = bvNone }
    }
    TBevel Bevel1 { Left = 72  Top = 10  Width = 273  Height = 2  Shape = bsTopLine
                    Style = bsRaised }
    TTimer Timer1 { Interval = 80  Enabled = False }
  })");
  auto* page = form->Find<Panel>("gb1");
  auto* filler = form->Find<Panel>("Filler");
  ASSERT_TRUE(page && filler);
  EXPECT_EQ(filler->Parent(), page);
  // Bevels of two pixels each and a three-pixel border: children start 7 pixels in.
  EXPECT_EQ(filler->BoundsRect(), Rect(7, 7, 491 - 7, 255 - 7));
  EXPECT_EQ(form->Find<Timer>("Timer1")->Interval(), 80);
  form->Show();
  Pump();
  auto* bevel = form->Find<Bevel>("Bevel1");
  // Raised: highlight on top, shadow below.
  uint32_t highlight = ColorToRgb(clBtnHighlight), shadow = ColorToRgb(clBtnShadow);
  EXPECT_EQ(PixelOf(*bevel, 10, 0), highlight);
  EXPECT_EQ(PixelOf(*bevel, 10, 1), shadow);
  bevel->SetStyle(BevelStyle::kLowered);
  Pump();
  EXPECT_EQ(PixelOf(*bevel, 10, 0), shadow);
}

TEST_F(ContainersTest, BevelShapesDrawTheirEdges) {
  Form* form = MakeForm();
  auto* bevel = new Bevel(form);
  bevel->SetParent(form);
  bevel->SetBounds(10, 10, 40, 30);
  uint32_t highlight = ColorToRgb(clBtnHighlight), shadow = ColorToRgb(clBtnShadow);
  form->SetColor(clBlack);
  Pump();
  // A lowered box: shadow top and left, highlight bottom and right.
  EXPECT_EQ(PixelOf(*bevel, 20, 0), shadow);
  EXPECT_EQ(PixelOf(*bevel, 0, 15), shadow);
  EXPECT_EQ(PixelOf(*bevel, 20, 29), highlight);
  EXPECT_EQ(PixelOf(*bevel, 39, 15), highlight);
  EXPECT_EQ(PixelOf(*bevel, 20, 15), 0u);
  bevel->SetShape(BevelShape::kRightLine);
  Pump();
  EXPECT_EQ(PixelOf(*bevel, 38, 15), shadow);
  EXPECT_EQ(PixelOf(*bevel, 39, 15), highlight);
  EXPECT_EQ(PixelOf(*bevel, 20, 0), 0u);
  bevel->SetShape(BevelShape::kSpacer);
  Pump();
  EXPECT_EQ(CountOtherThan(*bevel, 0), 0);
}

TEST_F(ContainersTest, AGroupBoxPutsItsCaptionIntoTheTopLine) {
  Form* form = MakeForm();
  auto* box = new GroupBox(form);
  box->SetParent(form);
  box->SetBounds(10, 10, 185, 105);
  box->SetCaption("Options");
  auto* inner = new Panel(form);
  inner->SetParent(box);
  inner->SetAlign(Align::kClient);
  Rect area = box->AdjustClientRect();
  EXPECT_EQ(inner->BoundsRect(), area);
  EXPECT_GT(area.top, 8);
  inner->SetVisible(false);
  Pump();
  // The frame's top line runs beside the caption, not through it.
  int y = 0;
  uint32_t shadow = ColorToRgb(clBtnShadow);
  for (int row = 0; row < 20; ++row)
    if (PixelOf(*box, box->Width() - 20, row) == shadow) y = row;
  ASSERT_GT(y, 0);
  EXPECT_NE(PixelOf(*box, 4, y), ColorToRgb(clBtnFace));
  EXPECT_EQ(PixelOf(*box, 8 + 2, y) == shadow && PixelOf(*box, 8 + 20, y) == shadow, false);
}

}  // namespace
}  // namespace somnara::fw
