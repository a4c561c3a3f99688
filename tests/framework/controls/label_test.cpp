// Labels size themselves to their text, wrap inside their width, and paint transparently
// or on their own colour.
#include "framework/controls/label.h"

#include "controls_fixture.h"
#include "framework/description/description_loader.h"

namespace somnara::fw {
namespace {

using LabelTest = somnara::testing::ControlsTest;

TEST_F(LabelTest, AutoSizeFollowsTheTextAndKeepsTheCorner) {
  Form* form = MakeForm();
  auto* label = new Label(form);
  label->SetParent(form);
  label->SetBounds(30, 40, 200, 200);
  label->SetCaption("Version:1.00");
  EXPECT_EQ(label->Left(), 30);
  EXPECT_EQ(label->Top(), 40);
  int one_line = label->Height();
  int short_width = label->Width();
  EXPECT_GT(one_line, 5);
  EXPECT_LT(one_line, 40);
  EXPECT_GT(short_width, 20);

  label->SetCaption("Version:1.00 and a good deal more text");
  EXPECT_GT(label->Width(), short_width);
  EXPECT_EQ(label->Height(), one_line);

  label->SetCaption("Step 4:\n\nPlease focus your eyes");
  EXPECT_EQ(label->Height(), 3 * one_line);

  // An empty caption keeps one line, so the label never vanishes.
  label->SetCaption("");
  EXPECT_EQ(label->Height(), one_line);
  EXPECT_GT(label->Width(), 0);

  // A bigger font makes a bigger label.
  Font big = label->GetFont();
  big.SetHeight(-21);
  label->SetCaption("00:00:00");
  int small_height = label->Height();
  label->SetFont(big);
  EXPECT_GT(label->Height(), small_height);
}

TEST_F(LabelTest, WordWrapKeepsTheWidthAndGrowsDown) {
  Form* form = MakeForm();
  auto* label = new Label(form);
  label->SetParent(form);
  label->SetCaption("word");
  int line = label->Height();
  label->SetBounds(10, 10, 90, 10);
  label->SetWordWrap(true);
  label->SetCaption("Please breathe in slowly and deeply, then breathe out slowly");
  EXPECT_EQ(label->Width(), 90);
  EXPECT_GE(label->Height(), 3 * line);
  EXPECT_EQ(label->Height() % line, 0);

  label->SetAutoSize(false);
  label->SetCaption("short");
  EXPECT_GE(label->Height(), 3 * line);  // without AutoSize nothing moves
}

TEST_F(LabelTest, ADescriptionSizesTheLabelOnceEverythingIsRead) {
  RegisterStandardClasses();
  Form form(nullptr);
  LoadDescriptionText(form, R"(TForm Form1 {
    TLabel Label1 {
      Left = 80  Top = 128  Width = 5  Height = 5
      Caption = "00:00:00"
      Font.Height = -21
    }
    TLabel Label2 { Left = 1  Top = 2  Width = 70  Height = 7  AutoSize = False  Caption = "x" }
  })");
  auto* label = form.Find<Label>("Label1");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Parent(), &form);
  EXPECT_EQ(label->Left(), 80);
  EXPECT_GT(label->Width(), 40);
  EXPECT_GT(label->Height(), 15);
  auto* fixed = form.Find<Label>("Label2");
  EXPECT_EQ(fixed->Width(), 70);
  EXPECT_EQ(fixed->Height(), 7);
}

TEST_F(LabelTest, TransparentLabelsLetThePictureBelowShow) {
  Form* form = MakeForm();
  form->SetColor(clBlack);
  auto* opaque = new Label(form);
  opaque->SetParent(form);
  opaque->SetBounds(10, 10, 0, 0);
  opaque->SetColor(clRed);
  opaque->SetCaption("   ");
  auto* clear = new Label(form);
  clear->SetParent(form);
  clear->SetBounds(10, 60, 0, 0);
  clear->SetColor(clRed);
  clear->SetTransparent(true);
  clear->SetCaption("   ");
  Pump();
  EXPECT_EQ(PixelOf(*opaque, 2, 2), 0xFF0000u);
  EXPECT_EQ(PixelOf(*clear, 2, 2), 0x000000u);
}

TEST_F(LabelTest, ALinkLabelTakesClicks) {
  Form* form = MakeForm();
  auto* link = new Label(form);
  link->SetParent(form);
  link->SetBounds(207, 40, 0, 0);
  link->SetCaption("http://www.example.com/");
  link->SetCursor(Cursor::kHandPoint);
  link->SetTransparent(true);
  int clicks = 0;
  link->OnClick = [&](Component*) { ++clicks; };
  ClickCentre(*link);
  ClickOn(*link, link->Width() + 5, 2);  // beside it
  EXPECT_EQ(clicks, 1);
}

TEST_F(LabelTest, AlignmentAndLayoutPlaceTheText) {
  Form* form = MakeForm();
  auto* label = new Label(form);
  label->SetParent(form);
  label->SetAutoSize(false);
  label->SetBounds(0, 0, 200, 60);
  label->SetColor(clWhite);
  label->MutableFont().SetColor(clBlack);
  label->SetCaption("MMM");
  label->SetAlignment(Alignment::kRightJustify);
  label->SetLayout(TextLayout::kBottom);
  Pump();
  EXPECT_EQ(CountOtherThan(*label, somnara::testing::kWhiteRgb, {0, 0, 100, 60}), 0);
  EXPECT_EQ(CountOtherThan(*label, somnara::testing::kWhiteRgb, {0, 0, 200, 30}), 0);
  EXPECT_GT(CountOtherThan(*label, somnara::testing::kWhiteRgb, {150, 30, 200, 60}), 0);
}

}  // namespace
}  // namespace somnara::fw
