// The standard error box: an error escaping a handler shows it with the application's
// title, Enter closes it, and the program goes on.
#include "framework/controls/message_box.h"

#include "controls_fixture.h"
#include "framework/controls/button.h"
#include "framework/controls/label.h"
#include "framework/exceptions.h"
#include "framework/timer.h"

namespace somnara::fw {
namespace {

class MessageBoxTest : public somnara::testing::ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    App().OnException = nullptr;  // the real box
    InstallStandardDialogs();
  }
  // The box's form while it shows, found by its caption.
  platform::HeadlessWindow* Box() {
    for (platform::HeadlessWindow* w : windows.Windows())
      if (w->Title() == "Somnara" && w->Visible()) return w;
    return nullptr;
  }
};

TEST_F(MessageBoxTest, AnErrorFromATimerIsShownAndEnterClosesTheBox) {
  MakeForm();
  Timer timer(&App());
  timer.SetInterval(100);
  int ticks = 0;
  timer.OnTimer = [&](Component*) {
    if (++ticks == 1) throw FileError("Cannot open file \"/x/pend.gif\". No such file");
  };
  std::vector<std::string> seen;
  Rect bounds;
  bool modal = false;
  windows.At(150, [&] {
    platform::HeadlessWindow* box = Box();
    ASSERT_NE(box, nullptr);
    bounds = box->Bounds();
    modal = box->Modal() && box->StayOnTop();
    for (Form* f : App().Forms())
      if (f->Visible() && f->Caption() == "Somnara")
        for (Control* c : f->Controls()) seen.push_back(c->Caption());
    EXPECT_EQ(windows.Focused(), box);
    windows.PressKey(VK_RETURN, '\r');
  });
  windows.At(180, [&] { EXPECT_EQ(Box(), nullptr); });
  RunUntil(450);
  EXPECT_TRUE(modal);
  EXPECT_EQ(seen,
            (std::vector<std::string>{"Cannot open file \"/x/pend.gif\". No such file", "OK"}));
  // Centred on the 1024 x 768 screen.
  EXPECT_NEAR(bounds.left + bounds.Width() / 2, 512, 1);
  EXPECT_NEAR(bounds.top + bounds.Height() / 2, 384, 1);
  EXPECT_GE(ticks, 4);  // the timer went on, inside the box's loop and after it
}

TEST_F(MessageBoxTest, EscapeClosesTooAndLongTextsWrap) {
  int result = -1;
  std::string text(60, 'x');
  for (int i = 0; i < 12; ++i) text += " some more words";
  Size size;
  windows.At(20, [&] {
    platform::HeadlessWindow* box = Box();
    ASSERT_NE(box, nullptr);
    size = {box->Width(), box->Height()};
    windows.PressKey(VK_ESCAPE, 0x1B);
  });
  windows.At(10, [&] { result = ShowMessageBox("Somnara", text); });
  RunUntil(100);
  EXPECT_EQ(result, mrOk);
  EXPECT_LT(size.width, 520);
  EXPECT_GT(size.height, 90);
}

TEST_F(MessageBoxTest, ARepeatedErrorDoesNotPileUpBoxes) {
  Timer timer(&App());
  timer.SetInterval(100);
  timer.OnTimer = [&](Component*) { throw Exception("'abc' is not a valid integer value"); };
  int boxes = 0;
  windows.At(1050, [&] {
    for (platform::HeadlessWindow* w : windows.Windows()) boxes += w->Visible();
    timer.SetEnabled(false);
    windows.PressKey(VK_RETURN, '\r');
  });
  RunUntil(1200);
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(Box(), nullptr);
}

TEST_F(MessageBoxTest, AWindowShownModallyLaterLeavesTheBoxUsable) {
  Form* owner = MakeForm();
  auto* dialog = new Form(owner);
  dialog->SetBounds(500, 500, 200, 150);
  int result = -1;
  Form* box = nullptr;
  bool box_gone_while_dialog_up = false;
  Timer opener(&App());
  opener.SetInterval(50);
  opener.OnTimer = [&](Component*) {
    opener.SetEnabled(false);
    windows.After(10, [&] { dialog->ShowModal(); });  // opens while the box shows
    windows.After(30, [&] {
      // The box's OK button still takes a click.
      for (Form* f : App().Forms())
        if (f->Visible() && f->Caption() == "Somnara")
          for (Control* c : f->Controls())
            if (auto* ok = dynamic_cast<Button*>(c)) {
              box = f;
              windows.Click(ok->ClientToScreen({ok->Width() / 2, ok->Height() / 2}));
            }
    });
    // The click is taken at once and the box goes away; its call returns when the loops
    // inside its own have ended.
    windows.After(100, [&] {
      box_gone_while_dialog_up =
          box != nullptr && !box->Visible() && box->ModalResult() == mrOk && dialog->Visible();
    });
    result = ShowMessageBox("Somnara", "first");
  };
  windows.At(200, [&] { dialog->SetModalResult(mrOk); });
  RunUntil(300);
  EXPECT_TRUE(box_gone_while_dialog_up);
  EXPECT_EQ(result, mrOk);
}

}  // namespace
}  // namespace somnara::fw
