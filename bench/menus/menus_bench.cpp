// Prints the first paint of the title bar's popup menu (its four items, skinned, in
// DeepBlue) beside the framework's plain popup menu with the same items, measured in the
// same run on the headless desktop: from Popup to the window's pixels presented, with a
// new menu each time, so the menu window is made and every item measured and drawn.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/controls/menu_item.h"
#include "framework/controls/menu_window.h"
#include "framework/form.h"
#include "framework/resources.h"
#include "platform/headless/headless_window_system.h"
#include "platform/platform.h"
#include "skin/frame/tsui_popup_menu.h"

using namespace somnara;
using Clock = std::chrono::steady_clock;

namespace {

// The title bar's menu: minimise, maximise or restore, a separator, close (enabled).
void AddTitleBarItems(fw::PopupMenu& menu) {
  const char* captions[] = {"最小化(&N)", "最大化/还原(&X)", "-", "关闭(&C)"};
  for (int i = 0; i < 4; ++i) {
    auto* item = new fw::MenuItem(&menu);
    item->SetCaption(captions[i]);
    item->SetEnabled(i == 3);
    menu.Add(item);
  }
}

// Median microseconds from Popup to the first presented frame of a new menu.
double FirstPaint(fw::Form& form, const std::function<fw::PopupMenu*(fw::Form&)>& make,
                  int rounds) {
  std::vector<double> times;
  for (int r = 0; r < rounds; ++r) {
    fw::PopupMenu* menu = make(form);
    const Clock::time_point start = Clock::now();
    menu->Popup(200, 150);
    fw::App().ProcessMessages();
    times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    // A figure for a menu that never reached the screen would mean nothing.
    auto* native = static_cast<platform::HeadlessWindow*>(menu->Window()->NativeWindow());
    if (native == nullptr || native->PresentCount() == 0) {
      std::fprintf(stderr, "the menu was not presented\n");
      std::exit(1);
    }
    menu->CloseMenu();
    fw::App().ProcessMessages();
    delete menu;
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  platform::HeadlessWindowSystem windows;
  platform::Services services;
  services.windows = &windows;
  services.program_dir = "/nonexistent";
  platform::Install(services);
  fw::App().Initialize(&windows);
  fw::App().OnException = [](const std::string& message) {
    std::fprintf(stderr, "error: %s\n", message.c_str());
  };
  resources::RegisterProgramResources();
  auto* form = new fw::Form(&fw::App());
  form->SetBounds(100, 100, 400, 300);
  form->Show();
  fw::App().ProcessMessages();

  auto skinned = [](fw::Form& owner) -> fw::PopupMenu* {
    auto* menu = new skin::TsuiPopupMenu(&owner);
    AddTitleBarItems(*menu);
    menu->HookItems();
    return menu;
  };
  auto plain = [](fw::Form& owner) -> fw::PopupMenu* {
    auto* menu = new fw::PopupMenu(&owner);
    AddTitleBarItems(*menu);
    return menu;
  };
  // Both once before timing, so pictures and glyphs read once per process are in place.
  FirstPaint(*form, skinned, 1);
  FirstPaint(*form, plain, 1);
  const int rounds = 201;
  const double skinned_us = FirstPaint(*form, skinned, rounds);
  const double plain_us = FirstPaint(*form, plain, rounds);
  std::printf("first paint of the title bar's popup menu, skinned (DeepBlue): %.1f us\n",
              skinned_us);
  std::printf("first paint of the same menu, framework's plain popup menu:   %.1f us\n", plain_us);
  std::printf("skinned / plain: %.2f\n", skinned_us / plain_us);
  delete form;
  fw::ResetApplication();
  platform::Install({});
  return 0;
}
