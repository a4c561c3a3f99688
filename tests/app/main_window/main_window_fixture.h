#pragma once

#include <string>
#include <vector>

#include "app/main_window.h"
#include "framework/controls/menu_item.h"
#include "framework/controls/menu_window.h"
#include "framework/controls/popup_menu.h"
#include "platform/headless/headless_shell_service.h"
#include "program_fixture.h"
#include "skin/controls/tsui_button.h"
#include "skin/frame/tsui_form.h"
#include "skin/frame/tsui_title_bar.h"

namespace somnara::testing {

// The whole program with a recording desktop shell; the main window is on screen from 1 s.
class MainWindowTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    platform::Current().shell = &shell;
    WriteFile("pend.gif", SmallAnimatedGif());
    AddTrack("sound/start.mid", 60000);
  }

  static platform::HeadlessWindow* Native(const fw::Form* form) {
    return static_cast<platform::HeadlessWindow*>(form->NativeWindow());
  }
  // The middle of a control, in screen coordinates.
  static Point Centre(const fw::Control* control) {
    return control->ClientToScreen({control->Width() / 2, control->Height() / 2});
  }
  // The middle of the close button on a skinned window's title bar, on the screen. The row
  // of title-bar buttons ends RightBtnXOffset pixels in from the right, shifted out by the
  // frame's left band less 3; the close button stands rightmost.
  static Point CloseButtonCentre(const skin::TsuiForm* frame) {
    const skin::TsuiTitleBar* bar = frame->TitleBar();
    const fw::Bitmap& pic = bar->Buttons().Item(1).PicNormal();
    const int band = frame->HostForm()->ClientInWindow().left;
    const int left = bar->Width() + band - bar->RightBtnXOffset() + 3 - (pic.Width() + 1);
    return bar->ClientToScreen({left + pic.Width() / 2, bar->ButtonTop() + pic.Height() / 2});
  }
  // The middle of the main window's menu item shown at `index` (separators count).
  static Point MenuItemCentre(int index) {
    fw::MenuWindow* menu = Form2->ImageMenu->Window();
    Rect r = menu->ItemRect(index);
    return menu->ClientToScreen({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }
  // Drops the menu at `at_ms` and clicks the item at `index` a little later.
  void ChooseMenuItem(int64_t at_ms, int index) {
    windows.At(at_ms, [this] { windows.Click(Centre(Form2->suiButton2)); });
    windows.At(at_ms + 50, [this, index] { windows.Click(MenuItemCentre(index)); });
  }
  // Ends the run at `at_ms`, after `check`.
  void EndAt(int64_t at_ms, std::function<void()> check = nullptr) {
    windows.At(at_ms, [check] {
      if (check) check();
      fw::App().Terminate();
    });
  }

  platform::HeadlessShellService shell;
};

// Where the main window's menu items stand, separators included.
enum MenuIndex {
  kStartItem = 0,
  kHelpItem = 2,
  kHomeItem = 3,
  kAboutItem = 5,
  kSupportItem = 7,
  kExitItem = 9
};

}  // namespace somnara::testing
