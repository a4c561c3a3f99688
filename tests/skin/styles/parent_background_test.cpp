#include <gtest/gtest.h>

#include "framework/application.h"
#include "framework/form.h"
#include "headless_fixture.h"
#include "skin/styles/sui_public.h"
#include "skinned_test_controls.h"

namespace somnara::skin {
namespace {

using testing::FakeTheme;
using testing::SkinnedControl;
using testing::StyleOnlyControl;

// A container that erases in its colour and paints a red square at (5, 5, 15, 15).
class PaintingPanel : public fw::CustomControl {
 public:
  explicit PaintingPanel(fw::Component* owner) : fw::CustomControl(owner) {}
  int paints = 0;

 protected:
  void Paint() override {
    ++paints;
    fw::Canvas& c = GetCanvas();
    c.Brush().SetColor(fw::clRed);
    c.FillRect({5, 5, 15, 15});
  }
};

// A control that must not show up in anybody's background.
class CountingControl : public fw::CustomControl {
 public:
  explicit CountingControl(fw::Component* owner) : fw::CustomControl(owner) {}
  int paints = 0;

 protected:
  void Paint() override {
    ++paints;
    GetCanvas().Brush().SetColor(fw::clLime);
    GetCanvas().FillRect(ClientRect());
  }
};

class ParentBackgroundTest : public somnara::testing::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    form = new fw::Form(&fw::App());
    form->AfterConstruction();
    panel = new PaintingPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 25, 25);
    panel->SetParentColor(false);
    panel->SetColor(fw::clBlue);
    control = new CountingControl(form);
    control->SetParent(panel);
    control->SetBounds(10, 8, 20, 20);
    sibling = new CountingControl(form);
    sibling->SetParent(panel);
    sibling->SetBounds(0, 0, 25, 25);  // above the control, covering it
  }
  fw::Form* form = nullptr;
  PaintingPanel* panel = nullptr;
  CountingControl* control = nullptr;
  CountingControl* sibling = nullptr;
};

TEST_F(ParentBackgroundTest, TheParentErasesAndPaintsShiftedToTheControlsPlace) {
  fw::Bitmap picture(20, 20);
  picture.Fill(fw::clWhite);
  PaintParentBackground(picture.GetCanvas(), *control);
  // Parent point (x + 10, y + 8): red inside the square, blue elsewhere in its client area.
  EXPECT_EQ(picture.GetPixel(0, 0), fw::clRed);
  EXPECT_EQ(picture.GetPixel(4, 6), fw::clRed);
  EXPECT_EQ(picture.GetPixel(5, 6), fw::clBlue);
  EXPECT_EQ(picture.GetPixel(4, 7), fw::clBlue);
  EXPECT_EQ(picture.GetPixel(14, 16), fw::clBlue);
  // Beyond the parent's client area (25 x 25) nothing is drawn.
  EXPECT_EQ(picture.GetPixel(15, 0), fw::clWhite);
  EXPECT_EQ(picture.GetPixel(0, 17), fw::clWhite);
  EXPECT_EQ(panel->paints, 1);
  // Neither the control itself nor what lies over it is part of its background.
  EXPECT_EQ(control->paints, 0);
  EXPECT_EQ(sibling->paints, 0);
}

TEST_F(ParentBackgroundTest, TheCanvasAndTheParentAreLeftAsTheyWere) {
  fw::Bitmap picture(30, 30);
  picture.Fill(fw::clWhite);
  fw::Canvas& canvas = picture.GetCanvas();
  canvas.SetOrigin({5, 5});
  canvas.SetClipRect({5, 5, 25, 25});
  canvas.Brush().SetColor(fw::clYellow);
  canvas.Font().SetName("Courier");
  PaintParentBackground(canvas, *control);
  EXPECT_EQ(canvas.Origin(), (Point{5, 5}));
  EXPECT_EQ(canvas.ClipRect(), (Rect{5, 5, 25, 25}));
  EXPECT_EQ(canvas.Brush().Color(), fw::clYellow);
  EXPECT_EQ(canvas.Font().Name(), "Courier");
  // The background went to the canvas origin and stayed inside the clip.
  EXPECT_EQ(picture.GetPixel(5, 5), fw::clRed);
  EXPECT_EQ(picture.GetPixel(4, 5), fw::clWhite);
  EXPECT_EQ(picture.GetPixel(10, 12), fw::clBlue);
  // The parent's window procedure is its own again: a paint pass paints its children.
  fw::Bitmap window(40, 40);
  panel->PaintTree(window.GetCanvas(), {0, 0, 40, 40});
  EXPECT_EQ(control->paints, 1);
  EXPECT_EQ(sibling->paints, 1);
}

TEST_F(ParentBackgroundTest, AControlWithoutParentGetsNothing) {
  auto* lonely = new CountingControl(form);
  fw::Bitmap picture(5, 5);
  picture.Fill(fw::clWhite);
  fw::Bitmap before = picture;
  PaintParentBackground(picture.GetCanvas(), *lonely);
  EXPECT_TRUE(picture.SamePixels(before));
}

TEST_F(ParentBackgroundTest, ErrorsOfTheParentsPaintingReachTheCaller) {
  class FailingPanel : public fw::CustomControl {
   public:
    using fw::CustomControl::CustomControl;

   protected:
    void Paint() override { throw fw::Exception("no paint"); }
  };
  auto* failing = new FailingPanel(form);
  failing->SetParent(form);
  failing->SetBounds(0, 0, 10, 10);
  auto* child = new CountingControl(form);
  child->SetParent(failing);
  fw::Bitmap picture(5, 5);
  EXPECT_THROW(PaintParentBackground(picture.GetCanvas(), *child), fw::Exception);
  // Afterwards the panel handles its messages as before.
  fw::Message erase{fw::WM_ERASEBKGND, reinterpret_cast<uintptr_t>(&picture.GetCanvas()), 0, 0};
  failing->Perform(erase);
  EXPECT_EQ(erase.result, 1);
}

// A see-through control as the skinned ones are built: its picture is composed off
// screen over its parent's background and then copied to the window.
class SeeThroughControl : public fw::CustomControl {
 public:
  explicit SeeThroughControl(fw::Component* owner) : fw::CustomControl(owner) {}

 protected:
  void Paint() override {
    fw::Bitmap picture(Width(), Height());
    PaintParentBackground(picture.GetCanvas(), *this);
    picture.SetPixel(0, 0, fw::clLime);
    GetCanvas().Draw(0, 0, picture);
  }
  void EraseBackground(fw::Canvas&) override {}
};

TEST_F(ParentBackgroundTest, ASeeThroughControlShowsItsParentInTheWindow) {
  sibling->Hide();
  auto* see_through = new SeeThroughControl(form);
  see_through->SetParent(panel);
  see_through->SetBounds(10, 8, 10, 10);
  form->SetBounds(0, 0, 100, 100);
  form->Show();
  form->PaintNow();
  const fw::Bitmap& window = form->WindowPixels();
  Point o = see_through->WindowOrigin();
  EXPECT_EQ(window.GetPixel(o.x, o.y), fw::clLime);
  EXPECT_EQ(window.GetPixel(o.x + 1, o.y), fw::clRed);      // parent (11, 8)
  EXPECT_EQ(window.GetPixel(o.x + 4, o.y + 6), fw::clRed);  // parent (14, 14)
  EXPECT_EQ(window.GetPixel(o.x + 5, o.y + 6), fw::clBlue);
  EXPECT_EQ(window.GetPixel(o.x + 9, o.y + 9), fw::clBlue);
  // A second pass finds the same: the control never sees its own earlier picture.
  see_through->Invalidate();
  form->PaintNow();
  EXPECT_EQ(form->WindowPixels().GetPixel(o.x + 1, o.y), fw::clRed);
  EXPECT_GE(panel->paints, 4);
}

class PropagateThemeTest : public somnara::testing::HeadlessTest {};

TEST_F(PropagateThemeTest, ChildrenWithBothPropertiesGetTheThemeAndThenTheStyle) {
  auto* form = new fw::Form(&fw::App());
  form->AfterConstruction();
  auto* box = new fw::CustomControl(form);
  box->SetParent(form);
  auto* a = new SkinnedControl(form);
  a->SetParent(box);
  auto* style_only = new StyleOnlyControl(form);
  style_only->SetParent(box);
  auto* plain = new fw::CustomControl(form);
  plain->SetParent(box);
  auto* b = new SkinnedControl(form);
  b->SetParent(box);
  auto* grandchild = new SkinnedControl(form);
  grandchild->SetParent(b);
  FakeTheme theme(nullptr);
  theme.SetName("suiBuiltInFileTheme1");

  PropagateTheme(*box, TsuiUIStyle::FromThemeFile, &theme);
  const std::vector<std::string> expected = {"FileTheme=suiBuiltInFileTheme1",
                                             "UIStyle=FromThemeFile"};
  EXPECT_EQ(a->writes, expected);
  EXPECT_EQ(b->writes, expected);
  EXPECT_EQ(a->FileTheme(), &theme);
  EXPECT_TRUE(style_only->writes.empty());
  EXPECT_TRUE(grandchild->writes.empty());

  a->writes.clear();
  PropagateTheme(*box, TsuiUIStyle::DeepBlue, nullptr);
  EXPECT_EQ(a->writes, (std::vector<std::string>{"FileTheme=nil", "UIStyle=DeepBlue"}));
  EXPECT_EQ(a->FileTheme(), nullptr);
  EXPECT_EQ(a->UIStyle(), TsuiUIStyle::DeepBlue);
}

}  // namespace
}  // namespace somnara::skin
