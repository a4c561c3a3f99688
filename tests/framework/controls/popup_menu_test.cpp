// Popup menus: where they open, how items are chosen, and that a choice runs only once the
// menu has closed.
#include "framework/controls/popup_menu.h"

#include "controls_fixture.h"
#include "framework/controls/menu_item.h"
#include "framework/controls/menu_window.h"
#include "framework/description/description_loader.h"
#include "framework/graphics/canvas.h"

namespace somnara::fw {
namespace {

class PopupMenuTest : public somnara::testing::ControlsTest {
 protected:
  // The main window's menu, as its description makes it.
  PopupMenu* LoadMenu(Form& form) {
    LoadDescriptionText(form, R"(TForm Form2 {
      TPopupMenu ImageMenu {
        AutoPopup = False
        TMenuItem MShowPreview { Caption = "Start Somnara" }
        TMenuItem N4 { Caption = "-" }
        TMenuItem MSortByName { Caption = "Help Contents"  ShortCut = "F1" }
        TMenuItem MReset { Caption = "Home Page"  Enabled = False }
        TMenuItem N1 { Caption = "-" }
        TMenuItem Exit1 { Caption = "E&xit" }
      }
    })");
    auto* menu = form.Find<PopupMenu>("ImageMenu");
    for (MenuItem* item : menu->Items())
      item->OnClick = [this, menu, item](Component*) {
        chosen.push_back(item->Name());
        open_during_click.push_back(menu->IsOpen());
      };
    return menu;
  }
  platform::HeadlessWindow* Native(PopupMenu* menu) {
    return static_cast<platform::HeadlessWindow*>(menu->Window()->NativeWindow());
  }
  Point ItemCentre(PopupMenu* menu, int index) {
    Rect r = menu->Window()->ItemRect(index);
    return menu->Window()->ClientToScreen({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }
  std::vector<std::string> chosen;
  std::vector<bool> open_during_click;
};

TEST_F(PopupMenuTest, OpensAtThePointAndAClickRunsTheItemAfterClosing) {
  Form* form = MakeForm(438, 260, false);
  form->SetName("");
  PopupMenu* menu = LoadMenu(*form);
  form->Show();
  ASSERT_EQ(menu->Count(), 6);
  EXPECT_EQ(menu->Item(2)->ShortCutText(), "F1");
  EXPECT_EQ(menu->Item(2)->ShortCut(), ShortCut(VK_F1));
  int popups = 0;
  menu->OnPopup = [&](Component*) { ++popups; };

  menu->Popup(404, 331);
  ASSERT_TRUE(menu->IsOpen());
  platform::HeadlessWindow* native = Native(menu);
  EXPECT_EQ(native->Bounds().left, 404);
  EXPECT_EQ(native->Bounds().top, 331);
  EXPECT_TRUE(native->Visible());
  EXPECT_EQ(popups, 1);

  windows.MoveMouse(ItemCentre(menu, 2));
  Pump();
  EXPECT_EQ(menu->Window()->HotIndex(), 2);
  windows.Click(ItemCentre(menu, 2));
  Pump();
  EXPECT_EQ(chosen, (std::vector<std::string>{"MSortByName"}));
  EXPECT_EQ(open_during_click, (std::vector<bool>{false}));
  EXPECT_FALSE(native->Visible());
  EXPECT_EQ(ActiveForm(), form);
}

TEST_F(PopupMenuTest, SeparatorsAndDisabledItemsAreNotChosenAndOutsideClicksClose) {
  Form* form = MakeForm(438, 260, false);
  form->SetName("");
  PopupMenu* menu = LoadMenu(*form);
  form->Show();
  menu->Popup(150, 150);
  windows.Click(ItemCentre(menu, 1));  // separator
  windows.Click(ItemCentre(menu, 3));  // disabled
  Pump();
  EXPECT_TRUE(menu->IsOpen());
  EXPECT_TRUE(chosen.empty());
  EXPECT_EQ(menu->Window()->HotIndex(), 3);  // disabled items still light up

  windows.Click({10, 700});
  Pump();
  EXPECT_FALSE(menu->IsOpen());
  EXPECT_TRUE(chosen.empty());

  // Keys skip the separators; Enter chooses; the access key chooses at once.
  menu->Popup(150, 150);
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(menu->Window()->HotIndex(), 2);
  Key(VK_UP);
  Key(VK_RETURN, '\r');
  EXPECT_EQ(chosen, (std::vector<std::string>{"MShowPreview"}));
  MakeForm(50, 50, true, 700, 10);  // a later window, so not the natural heir
  form->Show();
  menu->Popup(150, 150);
  menu->Popup(160, 160);  // again while open: the keyboard still goes back to the form
  Key('X', 'x');
  EXPECT_EQ(ActiveForm(), form);
  menu->Popup(150, 150);
  Key(VK_ESCAPE, 0x1B);
  EXPECT_EQ(chosen, (std::vector<std::string>{"MShowPreview", "Exit1"}));
  EXPECT_FALSE(menu->IsOpen());
}

TEST_F(PopupMenuTest, AMenuNearTheScreenEdgeStaysOnTheScreenAndActivationClosesIt) {
  Form* form = MakeForm(438, 260, false);
  form->SetName("");
  PopupMenu* menu = LoadMenu(*form);
  form->Show();
  Form* other = MakeForm(100, 100, true, 600, 10);
  menu->Popup(1020, 760);
  platform::HeadlessWindow* native = Native(menu);
  EXPECT_EQ(native->Bounds().right, 1024);
  EXPECT_EQ(native->Bounds().bottom, 768);
  // Another window taking the keyboard closes the menu.
  other->Show();
  EXPECT_FALSE(menu->IsOpen());
  EXPECT_TRUE(chosen.empty());
}

// A derived menu draws every item itself.
class OwnMenu : public PopupMenu {
 public:
  using PopupMenu::PopupMenu;
  void MeasureItem(MenuItem& item, Canvas&, int& width, int& height) override {
    width = 120;
    height = item.IsSeparator() ? 5 : 21;
  }
  void DrawItem(MenuItem& item, Canvas& canvas, const Rect& rect, bool selected) override {
    canvas.Brush().SetColor(selected ? clRed : clLime);
    canvas.FillRect(rect);
  }
};

TEST_F(PopupMenuTest, ADerivedMenuMeasuresAndDrawsItsItems) {
  Form* form = MakeForm();
  auto* menu = new OwnMenu(form);
  for (const char* caption : {"Start Somnara", "-", "Exit"}) {
    auto* item = new MenuItem(form);
    item->SetCaption(caption);
    menu->Add(item);
  }
  auto* hidden = new MenuItem(form);
  hidden->SetVisible(false);
  menu->Add(hidden);
  menu->Popup(100, 100);
  MenuWindow* window = menu->Window();
  ASSERT_EQ(window->ShownItems().size(), 3u);
  int frame = menu->FrameWidth();
  EXPECT_EQ(window->ItemRect(1), Rect::FromSize(frame, frame + 21, 120, 5));
  EXPECT_EQ(window->Width(), 120 + 2 * frame);
  EXPECT_EQ(window->Height(), 21 + 5 + 21 + 2 * frame);
  windows.MoveMouse(ItemCentre(menu, 2));
  Pump();
  auto* native = static_cast<platform::HeadlessWindow*>(window->NativeWindow());
  Rect first = window->ItemRect(0), last = window->ItemRect(2);
  EXPECT_EQ(native->PixelAt(first.left + 5, first.top + 5), 0x00FF00u);
  EXPECT_EQ(native->PixelAt(last.left + 5, last.top + 5), 0xFF0000u);
  // An item freed while it shows closes the menu instead of leaving a stale entry.
  delete menu->Item(2);
  EXPECT_FALSE(menu->IsOpen());
  EXPECT_EQ(menu->Count(), 3);
}

}  // namespace
}  // namespace somnara::fw
