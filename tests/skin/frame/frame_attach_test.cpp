// A skinned frame on its host window: taking the caption and the procedure over and giving
// them back, the one-frame rule, the maximised place, the minimum size of a style, the
// window menu on Alt+Space and the shortcut keys of the frame's menu.
#include <gtest/gtest.h>

#include "framework/class_info.h"
#include "framework/controls/controls_fixture.h"
#include "framework/controls/menu_item.h"
#include "framework/controls/menu_window.h"
#include "framework/controls/panel.h"
#include "framework/controls/short_cut.h"
#include "framework/controls/tool_button.h"
#include "framework/form.h"
#include "framework/resources.h"
#include "platform/native_window.h"
#include "skin/frame/tsui_form.h"
#include "skin/frame/tsui_main_menu.h"
#include "skin/frame/tsui_title_bar_popup_menu.h"
#include "skin/theme/tsui_built_in_file_theme.h"
#include "skinwriter/stored_skin.h"

namespace somnara::skin::testing {
namespace {

class FrameAttachTest : public somnara::testing::ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    resources::RegisterProgramResources();
    TsuiForm::StaticClassInfo();  // registers the class, as the program does at start
  }
  fw::Form* MakeHost(fw::BorderStyle border, bool show = true) {
    auto* form = new fw::Form(&fw::App());
    form->SetBorderStyle(border);
    form->SetCaption("Host");
    form->SetBounds(100, 80, 438, 260);
    if (show) form->Show();
    return form;
  }
  // A new frame as a window description makes it: by class name.
  static TsuiForm* NewFrame(fw::Component* owner) {
    const fw::ClassInfo* info = fw::ClassInfo::Find("TsuiForm");
    return info != nullptr ? dynamic_cast<TsuiForm*>(info->Create(owner)) : nullptr;
  }
};

TEST_F(FrameAttachTest, TakesTheCaptionAndProcedureAndGivesThemBack) {
  fw::Form* host = MakeHost(fw::BorderStyle::kSizeable);
  TsuiForm* frame = NewFrame(host);
  ASSERT_NE(frame, nullptr);
  Pump();

  EXPECT_EQ(frame->HostForm(), host);
  EXPECT_EQ(host->WindowStyle() & fw::WS_CAPTION, 0u);
  EXPECT_EQ(host->GetBorderStyle(), fw::BorderStyle::kSizeable) << "a sizing border stays";
  // The client area now starts under the frame's 3-pixel top band; the frame fills it and
  // carries the title bar at its top.
  EXPECT_EQ(host->ClientInWindow().top, 3);
  EXPECT_EQ(frame->Parent(), host);
  EXPECT_EQ(frame->BoundsRect(), host->ClientRect());
  ASSERT_NE(frame->TitleBar(), nullptr);
  EXPECT_EQ(frame->TitleBar()->Top(), 0);
  EXPECT_EQ(frame->GetCaption(), "Host");
  EXPECT_EQ(frame->TitleAreaHeight(), frame->TitleBar()->Height() + 3);
  frame->SetCaption("Renamed");
  EXPECT_EQ(host->Caption(), "Renamed");
  EXPECT_EQ(frame->TitleBar()->GetCaption(), "Renamed");

  // A new border style brings the caption style back; the frame takes it away again.
  host->SetBorderStyle(fw::BorderStyle::kDialog);
  EXPECT_EQ(host->WindowStyle() & fw::WS_CAPTION, 0u);

  delete frame;
  Pump();
  EXPECT_EQ(host->WindowStyle() & fw::WS_CAPTION, fw::WS_CAPTION);
  EXPECT_EQ(host->ClientInWindow(), host->DefaultFrame().client)
      << "the window's own procedure measures its border again";
  EXPECT_GT(host->ClientInWindow().top, 3);
  delete host;
}

TEST_F(FrameAttachTest, ThinBordersBecomeDialogBorders) {
  for (fw::BorderStyle border :
       {fw::BorderStyle::kNone, fw::BorderStyle::kSingle, fw::BorderStyle::kSizeToolWin}) {
    fw::Form* host = MakeHost(border, false);
    new TsuiForm(host);
    EXPECT_EQ(host->GetBorderStyle(), fw::BorderStyle::kDialog);
    EXPECT_EQ(host->WindowStyle() & fw::WS_CAPTION, 0u);
    delete host;
  }
}

TEST_F(FrameAttachTest, ASecondFrameAndAFrameOffAFormStayInert) {
  fw::Form* host = MakeHost(fw::BorderStyle::kSizeable);
  TsuiForm* first = NewFrame(host);
  TsuiForm* second = NewFrame(host);
  EXPECT_EQ(second->HostForm(), nullptr);
  EXPECT_EQ(second->TitleBar(), nullptr);
  EXPECT_EQ(host->Controls().size(), 1u) << "only the first frame sits on the host";
  delete second;
  // The inert frame gave nothing back: the first one still holds the caption.
  EXPECT_EQ(host->WindowStyle() & fw::WS_CAPTION, 0u);

  auto* panel = new fw::Panel(host);
  TsuiForm* on_panel = NewFrame(panel);
  EXPECT_EQ(on_panel->HostForm(), nullptr);
  EXPECT_EQ(first->HostForm(), host);
  delete host;
}

TEST_F(FrameAttachTest, AMaximisedHostCoversTheWorkAreaAndComesBack) {
  fw::Form* host = MakeHost(fw::BorderStyle::kSizeable);
  TsuiForm* frame = NewFrame(host);
  Pump();
  const Rect before = host->BoundsRect();
  host->SetWindowState(fw::WindowState::kMaximized);
  Pump();
  const Rect work = windows.WorkArea();
  EXPECT_EQ(host->BoundsRect(), Rect(work.left - 2, work.top - 2, work.right + 2, work.bottom - 1));
  EXPECT_EQ(frame->Width(), host->ClientWidth());
  host->SetWindowState(fw::WindowState::kNormal);
  Pump();
  EXPECT_EQ(host->BoundsRect(), before);
  delete host;
}

TEST_F(FrameAttachTest, DeepBlueDialogHasItsStoredMinimumSize) {
  fw::Form* host = MakeHost(fw::BorderStyle::kDialog);
  TsuiForm* frame = NewFrame(host);
  frame->SetUIStyle(TsuiUIStyle::DeepBlue);
  EXPECT_EQ(frame->TitleBar()->Height(), 29);
  EXPECT_EQ(host->MinWidth(), 130);
  EXPECT_EQ(host->MinHeight(), 54);
  // Without a ready theme the theme style looks like DeepBlue.
  frame->SetUIStyle(TsuiUIStyle::FromThemeFile);
  EXPECT_EQ(frame->BorderColor(), 0x000000u);
  EXPECT_EQ(frame->BorderWidth(), 1);
  EXPECT_EQ(frame->GetColor(), 0xE8E8E8u);
  EXPECT_EQ(frame->RoundCorner(), 0);
  EXPECT_EQ(host->MinHeight(), 54);
  delete host;
}

TEST_F(FrameAttachTest, FormPanelFillsTheFrameButNeverTheFrameItself) {
  fw::Form* host = MakeHost(fw::BorderStyle::kSizeable);
  TsuiForm* frame = NewFrame(host);
  frame->SetFormPanel(frame);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "Sorry, you can't select the Form assign to FormPanel property");
  EXPECT_EQ(frame->FormPanel(), nullptr);

  auto* panel = new fw::Panel(host);
  panel->SetParent(frame);
  panel->SetCaption("inner");
  frame->SetFormPanel(panel);
  EXPECT_EQ(panel->GetAlign(), fw::Align::kClient);
  EXPECT_EQ(panel->BevelOuter(), fw::BevelCut::kNone);
  EXPECT_EQ(panel->GetCaption(), "");
  delete panel;
  EXPECT_EQ(frame->FormPanel(), nullptr) << "a removed panel is forgotten";
  delete host;
}

TEST_F(FrameAttachTest, ARemovedThemeLeavesDeepBlue) {
  fw::Form* host = MakeHost(fw::BorderStyle::kDialog);
  auto* theme = new TsuiBuiltInFileTheme(host);
  const std::vector<uint8_t> skin = skinwriter::BuildStoredSkin();
  theme->SetSkinData(skin);
  ASSERT_TRUE(theme->Ready());
  TsuiForm* frame = NewFrame(host);
  frame->SetFileTheme(theme);
  frame->SetUIStyle(TsuiUIStyle::FromThemeFile);
  EXPECT_NE(frame->GetColor(), 0xE8E8E8u);
  delete theme;
  EXPECT_EQ(frame->FileTheme(), nullptr);
  EXPECT_EQ(frame->UIStyle(), TsuiUIStyle::DeepBlue);
  EXPECT_EQ(frame->TitleBar()->FileTheme(), nullptr);
  EXPECT_EQ(frame->GetColor(), 0xE8E8E8u);
  Pump();
  delete host;
}

// Alt+Space and menu shortcuts reach a frame through the application's queue.
class FrameKeysTest : public FrameAttachTest {
 protected:
  void SetUp() override {
    FrameAttachTest::SetUp();
    main = MakeHost(fw::BorderStyle::kSizeable);
    main->SetBounds(30, 40, 200, 150);
    fw::App().SetMainForm(main);
    host = MakeHost(fw::BorderStyle::kSizeable);
    frame = NewFrame(host);
    menu = new TsuiMainMenu(host);
    file = new fw::MenuItem(menu);
    file->SetCaption("&File");
    menu->Add(file);
    open = new fw::MenuItem(menu);
    open->SetCaption("&Open");
    open->SetShortCut(fw::scCtrl | 'O');
    open->OnClick = [this](fw::Component*) { ++opened; };
    file->Add(open);
    frame->SetMenu(menu);
    host->SetFocus();
    Pump();
  }
  void TearDown() override {
    // The item's handler counts into this fixture, which goes before the application.
    if (menu != nullptr) open->OnClick = nullptr;
    FrameAttachTest::TearDown();
  }

  fw::Form* main = nullptr;
  fw::Form* host = nullptr;
  TsuiForm* frame = nullptr;
  TsuiMainMenu* menu = nullptr;
  fw::MenuItem* file = nullptr;
  fw::MenuItem* open = nullptr;
  int opened = 0;
};

TEST_F(FrameKeysTest, AltSpaceOpensTheWindowMenuUnderTheMainWindowsTitle) {
  ASSERT_TRUE(host->Active());
  Key(fw::VK_SPACE, ' ', platform::kAlt);
  TsuiTitleBarPopupMenu& popup = frame->TitleBar()->PopupMenu();
  ASSERT_TRUE(popup.IsOpen());
  EXPECT_EQ(popup.Window()->Left(), 30);
  EXPECT_EQ(popup.Window()->Top(), 40 + frame->TitleBar()->Height());
}

TEST_F(FrameKeysTest, MenuShortCutsWorkOnlyWhileTheHostIsActive) {
  ASSERT_TRUE(host->Active());
  Key('O', 0, platform::kCtrl);
  EXPECT_EQ(opened, 1);
  Key('P', 0, platform::kCtrl);
  EXPECT_EQ(opened, 1) << "no item has that shortcut";

  ClickOn(*main, 10, 10);
  ASSERT_FALSE(host->Active());
  // Sent straight to the host, as a key that reached it would be.
  EXPECT_EQ(host->Perform(fw::WM_KEYDOWN, 'O', intptr_t(fw::ssCtrl)), 0);
  EXPECT_EQ(opened, 1);
}

TEST_F(FrameKeysTest, MenuBarFollowsTheMenu) {
  TsuiMenuBar* bar = frame->MenuBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->Frame(), frame);
  EXPECT_EQ(menu->MenuBarHost(), frame);
  ASSERT_EQ(bar->ButtonCount(), 1);
  EXPECT_EQ(bar->Button(0)->MenuItem(), file);
  EXPECT_EQ(bar->Top(), frame->TitleBar()->Height()) << "right under the title bar";

  auto* help = new fw::MenuItem(menu);
  help->SetCaption("&Help");
  menu->Add(help);
  frame->RebuildMenuBar();
  ASSERT_EQ(bar->ButtonCount(), 2);
  EXPECT_EQ(bar->Button(1)->MenuItem(), help);

  file->SetCaption("&Datei");
  file->SetEnabled(false);
  EXPECT_EQ(bar->Button(0)->Caption(), "&Datei");
  EXPECT_FALSE(bar->Button(0)->Enabled());

  frame->SetMenuBarHeight(30);
  EXPECT_EQ(bar->Button(0)->Height(), 30);

  delete menu;
  menu = nullptr;
  EXPECT_EQ(frame->Menu(), nullptr);
  EXPECT_EQ(frame->MenuBar(), nullptr);
}

}  // namespace
}  // namespace somnara::skin::testing
