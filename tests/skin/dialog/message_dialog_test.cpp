// The skinned message box as a user meets it: where its parts sit, which keys answer,
// what Ctrl+C leaves on the clipboard.

#include <string>
#include <vector>

#include "framework/controls/controls_fixture.h"
#include "framework/resources.h"
#include "platform/headless/headless_clipboard.h"
#include "platform/platform.h"
#include "skin/controls/tfrm_msg.h"
#include "skin/controls/tsui_button.h"
#include "skin/controls/tsui_message_dialog.h"
#include "skin/theme/tsui_built_in_file_theme.h"

namespace somnara::skin {
namespace {

// What a box showed while it was open.
struct Seen {
  int width = 0;
  int height = 0;
  Rect text;
  bool icon_shown = false;
  Rect icon;
  std::vector<std::string> captions;  // in creation order
  std::vector<Rect> places;
  std::vector<bool> cancel, default_button;
  std::string focused;
};

class MessageDialogTest : public somnara::testing::ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    resources::RegisterProgramResources();
    platform::Services services = platform::Current();
    services.clipboard = &clipboard;
    platform::Install(services);
    dialog = new TsuiMessageDialog(&fw::App());
  }

  static TfrmMsg* Box() {
    for (fw::Component* c : fw::App().Components())
      if (auto* box = dynamic_cast<TfrmMsg*>(c)) return box;
    return nullptr;
  }
  static std::vector<TsuiButton*> Buttons(TfrmMsg& box) {
    std::vector<TsuiButton*> out;
    for (fw::Component* c : box.Components())
      if (auto* b = dynamic_cast<TsuiButton*>(c)) out.push_back(b);
    return out;
  }
  // Shows the dialog, notes what the box shows once it is up, then presses `key`.
  int ShowAndPress(uint32_t key, unsigned modifiers = 0) {
    windows.After(10, [this] {
      TfrmMsg* box = Box();
      ASSERT_NE(box, nullptr);
      seen = {};
      seen.width = box->Width();
      seen.height = box->Height();
      seen.text = box->lbl->BoundsRect();
      seen.icon_shown = box->Image1->Visible();
      seen.icon = box->Image1->BoundsRect();
      for (TsuiButton* b : Buttons(*box)) {
        seen.captions.push_back(b->Caption());
        seen.places.push_back(b->BoundsRect());
        seen.cancel.push_back(b->Cancel());
        seen.default_button.push_back(b->Default());
        if (box->ActiveControl() == b) seen.focused = b->Caption();
      }
    });
    windows.After(20, [key, modifiers, this] { windows.PressKey(key, 0, modifiers); });
    return dialog->ShowModal();
  }

  platform::HeadlessClipboard clipboard;
  TsuiMessageDialog* dialog = nullptr;
  Seen seen;
};

TEST_F(MessageDialogTest, TwoButtonsCancelAtTheRightEdgeAndOkFocusedAndDefault) {
  dialog->SetButtonCount(2);
  EXPECT_EQ(ShowAndPress(fw::VK_ESCAPE), fw::mrCancel);
  EXPECT_EQ(seen.captions, (std::vector<std::string>{"Cancel", "OK"}));
  const int top = seen.places[0].top;
  EXPECT_EQ(seen.places[0], (Rect{seen.width - 97, top, seen.width - 24, top + 25}));
  EXPECT_EQ(seen.places[1], (Rect{seen.width - 190, top, seen.width - 117, top + 25}));
  EXPECT_EQ(seen.cancel, (std::vector<bool>{true, false}));
  EXPECT_EQ(seen.default_button, (std::vector<bool>{false, true}));
  EXPECT_EQ(seen.focused, "OK");
  EXPECT_EQ(Box(), nullptr);  // freed once closed

  EXPECT_EQ(ShowAndPress(fw::VK_RETURN), fw::mrOk);
}

TEST_F(MessageDialogTest, OneLineWithAnIconPutsTheButtonsUnderTheIcon) {
  dialog->SetIconType(TsuiIconType::suiStop);
  EXPECT_EQ(ShowAndPress(fw::VK_RETURN), fw::mrOk);
  EXPECT_EQ(seen.places.at(0).top, 124);
  EXPECT_EQ(seen.height, 179);
  EXPECT_EQ(seen.text.left, 88);
  EXPECT_EQ(seen.text.Width(), 225);
  EXPECT_TRUE(seen.icon_shown);
  EXPECT_EQ(seen.icon, (Rect{24, 64, 66, 106}));  // the 42-pixel icon picture

  // A text of several lines pushes the buttons down below it.
  std::string words;
  for (int i = 0; i < 60; ++i) words += "word ";
  dialog->SetText(words);
  ShowAndPress(fw::VK_RETURN);
  EXPECT_GT(seen.text.bottom, 104);
  EXPECT_EQ(seen.places.at(0).top, seen.text.bottom + 20);
  EXPECT_EQ(seen.height, seen.text.bottom + 75);
}

TEST_F(MessageDialogTest, WithoutAnIconTheBoxIsNarrowerUnlessItHasThreeButtons) {
  dialog->SetIconType(TsuiIconType::suiInformation);
  ShowAndPress(fw::VK_RETURN);
  const int with_icon = seen.width;

  dialog->SetIconType(TsuiIconType::suiNone);
  ShowAndPress(fw::VK_RETURN);
  EXPECT_EQ(seen.width, with_icon - 64);
  EXPECT_EQ(seen.text.left, 24);
  EXPECT_FALSE(seen.icon_shown);
  EXPECT_EQ(seen.places.at(0).right, seen.width - 24);

  dialog->SetButtonCount(3);
  dialog->SetButtonCaption(3, "Later");
  dialog->SetButtonModalResult(3, 7);
  EXPECT_EQ(ShowAndPress(fw::VK_ESCAPE), fw::mrCancel);  // button 2 is the cancel one
  EXPECT_EQ(seen.width, with_icon);
  EXPECT_EQ(seen.captions, (std::vector<std::string>{"Later", "Cancel", "OK"}));
  EXPECT_EQ(seen.cancel, (std::vector<bool>{false, true, false}));
  EXPECT_EQ(seen.default_button, (std::vector<bool>{false, false, true}));
}

TEST_F(MessageDialogTest, CtrlCCopiesTheBoxAsText) {
  dialog->SetCaption("C");
  dialog->SetText("T");
  dialog->SetButtonCount(2);
  windows.After(15, [this] { windows.PressKey('C', 0, platform::kCtrl); });
  ShowAndPress(fw::VK_ESCAPE);
  const std::string rule(27, '-');
  EXPECT_EQ(clipboard.Text(),
            rule + "\r\nC\r\n" + rule + "\r\nT\r\n" + rule + "\r\nCancel   OK\r\n" + rule);

  // A clipboard that does not take the text is not taken for one that did.
  TfrmMsg box(&fw::App());
  clipboard.SetRefuses(true);
  EXPECT_FALSE(box.CopyToClipboard());
  platform::Services services = platform::Current();
  services.clipboard = nullptr;
  platform::Install(services);
  EXPECT_FALSE(box.CopyToClipboard());
}

TEST_F(MessageDialogTest, TheLookSetsTheFontColoursAndAThemeThatGoesLeavesDeepBlue) {
  EXPECT_EQ(dialog->Caption(), "suiDialog");
  EXPECT_EQ(dialog->CaptionFont().Color(), fw::clWhite);
  dialog->SetUIStyle(TsuiUIStyle::MacOS);
  EXPECT_EQ(dialog->CaptionFont().Color(), fw::clBlack);
  EXPECT_EQ(dialog->GetFont().Color(), fw::clBlack);
  dialog->SetButtonCount(0);
  EXPECT_EQ(dialog->ButtonCount(), 1);

  auto* theme = new TsuiBuiltInFileTheme(&fw::App());
  dialog->SetFileTheme(theme);
  dialog->SetUIStyle(TsuiUIStyle::FromThemeFile);
  delete theme;
  EXPECT_EQ(dialog->FileTheme(), nullptr);
  EXPECT_EQ(dialog->UIStyle(), TsuiUIStyle::DeepBlue);
  EXPECT_EQ(dialog->CaptionFont().Color(), fw::clWhite);
}

}  // namespace
}  // namespace somnara::skin
