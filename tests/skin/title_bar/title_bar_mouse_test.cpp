// The title bar under the mouse: pictures that follow the pointer, clicks that need the
// press and the release on the same button, moving the window, double clicks and the
// window menu.
#include "framework/controls/menu_item.h"
#include "skin/frame/tsui_title_bar_popup_menu.h"
#include "skin/frame/work_area.h"
#include "skin/styles/sui_public.h"
#include "skin/styles/sui_style_catalogue.h"
#include "title_bar_fixture.h"

namespace somnara::skin::testing {
namespace {

using Type = TsuiTitleBarBtnType;

class TitleBarMouseTest : public TitleBarTest {
 protected:
  void SetUp() override {
    TitleBarTest::SetUp();
    Make(TsuiUIStyle::DeepBlue);
    const int w = ButtonOf(Type::suiClose).PicNormal().Width();
    close_at = {kBarWidth - w - 1 + w / 2, bar->ButtonTop() + 5};
  }
  int ShownClose(const fw::Bitmap& picture) {
    const int w = picture.Width();
    return Mismatches(picture, kBarWidth - w - 1, bar->ButtonTop());
  }
  platform::HeadlessWindow* Window() {
    return static_cast<platform::HeadlessWindow*>(form->NativeWindow());
  }
  Point close_at;
};

TEST_F(TitleBarMouseTest, PressMovedOffTheButtonAndReleasedDoesNotClick) {
  const TsuiTitleBarButton& close = ButtonOf(Type::suiClose);
  MoveTo(close_at.x, close_at.y);
  EXPECT_EQ(ShownClose(close.PicMouseOn()), 0);
  EXPECT_EQ(bar->HotIndex(), close.Index());
  windows.PressMouse(ScreenOf(*bar, close_at.x, close_at.y));
  Pump();
  EXPECT_EQ(ShownClose(close.PicMouseDown()), 0);
  MoveTo(close_at.x - 60, close_at.y);
  EXPECT_EQ(ShownClose(close.PicNormal()), 0);
  EXPECT_EQ(bar->HotIndex(), -1);
  windows.ReleaseMouse(ScreenOf(*bar, close_at.x - 60, close_at.y));
  Pump();
  EXPECT_TRUE(form->Visible());
  EXPECT_FALSE(Window()->Dragging());

  ClickOn(*bar, close_at.x, close_at.y);
  EXPECT_FALSE(form->Visible());
}

TEST_F(TitleBarMouseTest, CaptionPressMovesTheWindowUnlessItIsMaximised) {
  windows.PressMouse(ScreenOf(*bar, 200, 8));
  Pump();
  EXPECT_TRUE(Window()->Dragging());
  windows.MoveMouse(ScreenOf(*bar, 230, 48));
  windows.ReleaseMouse(ScreenOf(*bar, 230, 48));
  Pump();
  EXPECT_EQ(form->Left(), 130);
  EXPECT_EQ(form->Top(), 120);

  form->SetWindowState(fw::WindowState::kMaximized);
  Pump();
  windows.PressMouse(ScreenOf(*bar, 200, 8));
  Pump();
  EXPECT_FALSE(Window()->Dragging());
  windows.ReleaseMouse(ScreenOf(*bar, 200, 8));
  Pump();
}

TEST_F(TitleBarMouseTest, DoubleClickOnTheCaptionMaximisesOntoTheWorkAreaAndRestores) {
  windows.DoubleClick(ScreenOf(*bar, 200, 8));
  Pump();
  ASSERT_EQ(form->GetWindowState(), fw::WindowState::kMaximized);
  const Rect work = WorkAreaRect();
  EXPECT_EQ(form->BoundsRect(), Rect(work.left - 2, work.top - 2, work.right + 2, work.bottom - 1));
  // The maximise button now shows the restore pictures.
  const TsuiTitleBarButton& max = ButtonOf(Type::suiMax);
  fw::Bitmap restore;
  fw::Bitmap strip;
  GetStyleBitmap(TsuiUIStyle::DeepBlue, StyleItem::kTitleButtons, &strip);
  SplitPiece(strip, restore, 18, 10);
  EXPECT_TRUE(max.PicNormal().SamePixels(restore));

  windows.DoubleClick(ScreenOf(*bar, 200, 8));
  Pump();
  EXPECT_EQ(form->GetWindowState(), fw::WindowState::kNormal);
  EXPECT_EQ(form->BoundsRect(), Rect::FromSize(100, 80, kBarWidth, 120));
}

TEST_F(TitleBarMouseTest, MinimiseOnTheMainWindowTakesDownTheWholeProgram) {
  fw::Form* other = MakeForm(200, 100, true, 600, 400);
  const int w = ButtonOf(Type::suiMin).PicNormal().Width();
  const Point min_at{kBarWidth - 3 * (w + 1) + w / 2, bar->ButtonTop() + 5};
  ClickOn(*bar, min_at.x, min_at.y);
  EXPECT_EQ(form->GetWindowState(), fw::WindowState::kMinimized);
  EXPECT_EQ(other->GetWindowState(), fw::WindowState::kNormal);

  form->SetWindowState(fw::WindowState::kNormal);
  fw::App().SetMainForm(form);
  ClickOn(*bar, min_at.x, min_at.y);
  EXPECT_EQ(form->GetWindowState(), fw::WindowState::kMinimized);
  EXPECT_EQ(other->GetWindowState(), fw::WindowState::kMinimized);
}

TEST_F(TitleBarMouseTest, WindowMenuEnablesOnlyWhatTheVisibleButtonsOffer) {
  ButtonOf(Type::suiMax).SetVisible(false);
  ButtonOf(Type::suiMin).SetVisible(false);
  windows.DoubleClick(ScreenOf(*bar, 200, 8));
  Pump();
  EXPECT_EQ(form->GetWindowState(), fw::WindowState::kNormal);

  // The control box (the application icon's place) opens the menu under the bar.
  ClickOn(*bar, 4, bar->ButtonTop() + 2);
  TsuiTitleBarPopupMenu& menu = bar->PopupMenu();
  ASSERT_TRUE(menu.IsOpen());
  std::vector<std::string> captions;
  for (fw::MenuItem* item : menu.Items()) captions.push_back(item->Caption());
  EXPECT_EQ(captions, (std::vector<std::string>{"最小化(&N)", "最大化/还原(&X)", "-", "关闭(&C)"}));
  EXPECT_FALSE(menu.MinimizeItem().Enabled());
  EXPECT_FALSE(menu.MaximizeItem().Enabled());
  EXPECT_TRUE(menu.CloseItem().Enabled());

  menu.CloseItem().Click();
  EXPECT_FALSE(form->Visible());
}

TEST_F(TitleBarMouseTest, CustomAndHelpButtonsReportTheirIndex) {
  TsuiTitleBarButton& help = bar->Buttons().Add();
  help.SetButtonType(Type::suiHelp);
  TsuiTitleBarButton& custom = bar->Buttons().Add();
  custom.SetPicNormal(ButtonOf(Type::suiClose).PicNormal());
  std::vector<std::string> calls;
  bar->OnHelpBtnClick = [&](fw::Component*, int i) {
    calls.push_back("help " + std::to_string(i));
  };
  bar->OnCustomBtnsClick = [&](fw::Component*, int i) {
    calls.push_back("custom " + std::to_string(i));
  };
  Pump();
  // The new buttons continue the row leftwards: help, then the custom one.
  const int w = ButtonOf(Type::suiClose).PicNormal().Width();
  ClickOn(*bar, kBarWidth - 4 * (w + 1) + w / 2, bar->ButtonTop() + 5);
  ClickOn(*bar, kBarWidth - 5 * (w + 1) + w / 2, bar->ButtonTop() + 5);
  EXPECT_EQ(calls, (std::vector<std::string>{"help 4", "custom 5"}));
}

}  // namespace
}  // namespace somnara::skin::testing
