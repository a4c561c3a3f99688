// The tool bar a menu bar stands on: button order and wrapping, buttons bound to menu
// items, custom drawing through events, and the main menu's change notices.
#include "framework/controls/tool_bar.h"

#include "controls_fixture.h"
#include "framework/controls/main_menu.h"
#include "framework/controls/menu_item.h"
#include "framework/controls/menu_window.h"
#include "framework/controls/popup_menu.h"
#include "framework/controls/tool_button.h"
#include "framework/description/description_loader.h"

namespace somnara::fw {
namespace {

class ToolBarTest : public somnara::testing::ControlsTest {
 protected:
  ToolBar* MakeBar(Form* form, int width) {
    auto* bar = new ToolBar(form);
    bar->SetParent(form);
    bar->SetBounds(0, 0, width, 10);
    bar->SetFlat(true);
    bar->SetEdgeBorders(false);
    bar->SetShowCaptions(true);
    bar->SetButtonHeight(20);
    bar->SetAutoSize(true);
    return bar;
  }
  // Buttons made from the last caption to the first, all at the left edge.
  void AddButtons(ToolBar* bar, const std::vector<std::string>& captions) {
    for (auto it = captions.rbegin(); it != captions.rend(); ++it) {
      auto* b = new ToolButton(bar->Owner());
      b->SetCaption(*it);
      b->SetAutoSize(true);
      b->SetGrouped(true);
      b->SetParent(bar);
    }
  }
};

TEST_F(ToolBarTest, ButtonsKeepTheirOrderSizeToCaptionsAndWrapIntoRows) {
  Form* form = MakeForm(300, 200);
  ToolBar* bar = MakeBar(form, 300);
  AddButtons(bar, {"File", "Edit", "A much longer caption"});
  ASSERT_EQ(bar->ButtonCount(), 3);
  EXPECT_EQ(bar->Button(0)->Caption(), "File");
  EXPECT_EQ(bar->Button(2)->Caption(), "A much longer caption");
  EXPECT_EQ(bar->Button(1)->Left(), bar->Button(0)->Width());
  EXPECT_GT(bar->Button(2)->Width(), 2 * bar->Button(0)->Width());
  EXPECT_EQ(bar->Height(), 20);

  const int two = bar->Button(0)->Width() + bar->Button(1)->Width();
  bar->SetWidth(two + 5);
  EXPECT_EQ(bar->Button(2)->Left(), 0);
  EXPECT_EQ(bar->Button(2)->Top(), 20);
  EXPECT_EQ(bar->Height(), 40);
  bar->SetWrapable(false);
  EXPECT_EQ(bar->Button(2)->Left(), two);
  EXPECT_EQ(bar->Height(), 20);

  // Grouped buttons are down one at a time.
  bar->Button(0)->SetDown(true);
  bar->Button(2)->SetDown(true);
  EXPECT_FALSE(bar->Button(0)->Down());
  EXPECT_TRUE(bar->Button(2)->Down());
}

TEST_F(ToolBarTest, ButtonsFollowTheirMenuItemsAndDropTheirSubItems) {
  Form* form = MakeForm(300, 200);
  LoadDescriptionText(*form, R"(TForm Form1 {
    TMainMenu Menu1 {
      TMenuItem File1 { Caption = "&File"  TMenuItem Open1 { Caption = "Open" } }
      TMenuItem Help1 { Caption = "Help" }
    }
  })");
  auto* menu = form->Find<MainMenu>("Menu1");
  ASSERT_NE(menu, nullptr);
  int changes = 0;
  menu->OnChange = [&](Component*) { ++changes; };
  ToolBar* bar = MakeBar(form, 300);
  for (int i = menu->Count() - 1; i >= 0; --i) {
    auto* b = new ToolButton(bar);
    b->SetParent(bar);
    b->SetMenuItem(menu->Item(i));
    b->SetAutoSize(true);
  }
  Pump();
  ToolButton* file = bar->Button(0);
  ToolButton* help = bar->Button(1);
  EXPECT_EQ(file->Caption(), "&File");
  EXPECT_TRUE(file->DropDown());
  EXPECT_FALSE(help->DropDown());

  int help_clicks = 0;
  menu->Item(1)->OnClick = [&](Component*) { ++help_clicks; };
  ClickCentre(*help);
  EXPECT_EQ(help_clicks, 1);

  windows.PressMouse(ScreenOf(*file, 5, 5));
  Pump();
  PopupMenu& drop = bar->DropDownMenu();
  ASSERT_TRUE(drop.IsOpen());
  EXPECT_EQ(drop.Window()->ShownItems(), (std::vector<MenuItem*>{menu->Item(0)->Item(0)}));
  EXPECT_EQ(drop.Window()->ClientToScreen({0, 0}).y, ScreenOf(*file, 0, 20).y);
  windows.ReleaseMouse(ScreenOf(*file, 5, 5));
  drop.CloseMenu();
  Pump();

  // Item changes reach the menu's listeners; the bar takes them when told.
  menu->Item(1)->SetEnabled(false);
  menu->Item(1)->SetCaption("Info");
  delete menu->Item(0)->Item(0);
  EXPECT_EQ(changes, 3);
  help->SyncWithMenuItem();
  EXPECT_EQ(help->Caption(), "Info");
  EXPECT_FALSE(help->Enabled());
  // The form and its menu go after this body has returned, and freeing the items is a
  // change too: the handler must not count into a frame that is gone.
  menu->OnChange = nullptr;
}

TEST_F(ToolBarTest, CustomDrawingReplacesTheButtonsLookAndSeesTheirState) {
  Form* form = MakeForm(300, 200);
  ToolBar* bar = MakeBar(form, 300);
  AddButtons(bar, {"One", "Two"});
  bar->SetColor(clWhite);
  std::vector<unsigned> states;
  bool background = false;
  bar->OnCustomDraw = [&](ToolBar*, const Rect&, bool&) { background = true; };
  bar->OnCustomDrawButton = [&](ToolBar*, ToolButton* b, unsigned state, bool& default_draw) {
    if (b->Index() == 0) states.push_back(state);
    default_draw = false;
  };
  bar->Button(1)->SetEnabled(false);
  windows.MoveMouse(ScreenOf(*bar->Button(0), 3, 3));
  Pump();
  EXPECT_TRUE(background);
  ASSERT_FALSE(states.empty());
  EXPECT_EQ(states.back(), unsigned(tbHot));
  // Nothing but the handlers drew: no frame, no caption.
  EXPECT_EQ(CountOtherThan(*bar, somnara::testing::kWhiteRgb), 0);
  bar->OnCustomDrawButton = nullptr;
  bar->Invalidate();
  Pump();
  EXPECT_GT(CountOtherThan(*bar->Button(0), somnara::testing::kWhiteRgb), 0);
}

}  // namespace
}  // namespace somnara::fw
