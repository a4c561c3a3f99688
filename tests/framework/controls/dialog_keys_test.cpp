// Keyboard on a dialog: Enter and Escape reach the default and cancel buttons, Alt and an
// access key press a button or tick a box, Tab walks the tab order, and buttons end a modal
// window with their modal result.
#include <gmock/gmock.h>

#include "controls_fixture.h"
#include "framework/controls/button.h"
#include "framework/controls/check_box.h"
#include "framework/controls/edit.h"
#include "framework/controls/label.h"
#include "framework/controls/memo.h"
#include "framework/timer.h"
#include "platform/native_window.h"

namespace somnara::fw {
namespace {

class DialogKeysTest : public somnara::testing::ControlsTest {
 protected:
  Button* AddButton(Form* form, const std::string& caption, int left) {
    auto* b = new Button(form);
    b->SetParent(form);
    b->SetBounds(left, 200, 75, 25);
    b->SetCaption(caption);
    b->OnClick = [this, caption](Component*) { clicks.push_back(caption); };
    return b;
  }
  std::vector<std::string> clicks;
};

TEST_F(DialogKeysTest, EnterAndEscapeGoToTheDefaultAndCancelButtons) {
  Form* form = MakeForm();
  auto* edit = new Edit(form);
  edit->SetParent(form);
  Button* ok = AddButton(form, "OK", 10);
  Button* cancel = AddButton(form, "Cancel", 100);
  ok->SetDefault(true);
  cancel->SetCancel(true);
  edit->SetFocus();
  Key(VK_RETURN, '\r');
  Key(VK_ESCAPE, 0x1B);
  EXPECT_EQ(clicks, (std::vector<std::string>{"OK", "Cancel"}));

  // A focused button takes Enter itself; the default one waits.
  cancel->SetFocus();
  Key(VK_RETURN, '\r');
  EXPECT_EQ(clicks.back(), "Cancel");
  // Space clicks the focused button when it comes up.
  windows.KeyDown(VK_SPACE);
  Pump();
  EXPECT_TRUE(cancel->Pressed());
  EXPECT_EQ(clicks.size(), 3u);
  windows.KeyUp(VK_SPACE);
  Pump();
  EXPECT_EQ(clicks.size(), 4u);
  // Disabled buttons take nothing.
  edit->SetFocus();
  ok->SetEnabled(false);
  Key(VK_RETURN, '\r');
  EXPECT_EQ(clicks.size(), 4u);
}

TEST_F(DialogKeysTest, AltAndTheAccessKeyPressTheButtonAndTickTheBox) {
  Form* form = MakeForm();
  Button* ok = AddButton(form, "&OK", 10);
  AddButton(form, "Cancel", 100);
  auto* box = new CheckBox(form);
  box->SetParent(form);
  box->SetCaption("&Fading out effect ");
  auto* label = new Label(form);
  label->SetParent(form);
  label->SetCaption("&Minutes");
  auto* edit = new Edit(form);
  edit->SetParent(form);
  label->SetFocusControl(edit);
  ok->SetFocus();

  Key('O', 'o', platform::kAlt);
  EXPECT_EQ(clicks, (std::vector<std::string>{"&OK"}));
  Key('F', 'f', platform::kAlt);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(form->ActiveControl(), box);
  Key('M', 'm', platform::kAlt);
  EXPECT_EQ(form->ActiveControl(), edit);
  // A letter without Alt is typing, not a key for the button.
  Key('O', 'o');
  EXPECT_EQ(clicks.size(), 1u);
  EXPECT_EQ(edit->Text(), "o");
}

TEST_F(DialogKeysTest, TabWalksTheTabOrderAndAMemoKeepsEnterButNotTab) {
  Form* form = MakeForm();
  Button* first = AddButton(form, "A", 10);
  auto* memo = new Memo(form);
  memo->SetParent(form);
  Button* last = AddButton(form, "B", 100);
  auto* hidden = new Edit(form);
  hidden->SetParent(form);
  hidden->SetVisible(false);
  last->SetTabOrder(0);  // B, A, memo
  last->SetFocus();
  Key(VK_TAB, '\t');
  EXPECT_EQ(form->ActiveControl(), first);
  Key(VK_TAB, '\t');
  EXPECT_EQ(form->ActiveControl(), memo);
  Key(VK_RETURN, '\r');
  Type("x");
  EXPECT_EQ(memo->Lines(), (std::vector<std::string>{"", "x"}));
  Key(VK_TAB, '\t');  // the invisible edit is skipped
  EXPECT_EQ(form->ActiveControl(), last);
  Key(VK_TAB, '\t', platform::kShift);
  EXPECT_EQ(form->ActiveControl(), memo);
  EXPECT_TRUE(clicks.empty());
}

TEST_F(DialogKeysTest, AButtonsModalResultEndsTheModalWindow) {
  Form* owner = MakeForm();
  auto* dialog = new Form(owner);
  dialog->SetBounds(200, 200, 300, 250);
  Button* ok = AddButton(dialog, "&OK", 10);
  ok->SetModalResult(mrOk);
  Button* cancel = AddButton(dialog, "Cancel", 100);
  cancel->SetModalResult(mrCancel);
  cancel->SetCancel(true);
  std::vector<int> results;
  Timer opener(&App());
  opener.SetInterval(10);
  opener.OnTimer = [&](Component*) {
    if (results.size() == 2) {
      opener.SetEnabled(false);
      return;
    }
    results.push_back(dialog->ShowModal());
  };
  windows.At(50, [&] { windows.PressKey('O', 'o', platform::kAlt); });
  windows.At(100, [&] { windows.PressKey(VK_ESCAPE, 0x1B); });
  RunUntil(200);
  EXPECT_EQ(results, (std::vector<int>{mrOk, mrCancel}));
  EXPECT_FALSE(dialog->Visible());
}

TEST_F(DialogKeysTest, AButtonClicksOnlyWhenTheMouseComesUpInsideIt) {
  Form* form = MakeForm();
  Button* b = AddButton(form, "Start", 10);
  ClickCentre(*b);
  EXPECT_EQ(clicks.size(), 1u);
  EXPECT_EQ(form->ActiveControl(), b);
  windows.PressMouse(ScreenOf(*b, 5, 5));
  windows.MoveMouse(ScreenOf(*b, 200, 5));
  Pump();
  EXPECT_FALSE(b->Pressed());
  windows.MoveMouse(ScreenOf(*b, 6, 6));
  Pump();
  EXPECT_TRUE(b->Pressed());
  windows.ReleaseMouse(ScreenOf(*b, 300, 5));
  Pump();
  EXPECT_EQ(clicks.size(), 1u);
}

}  // namespace
}  // namespace somnara::fw
