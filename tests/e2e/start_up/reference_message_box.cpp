#include "e2e/start_up/reference_message_box.h"

#include "framework/application.h"
#include "framework/control.h"
#include "framework/controls/message_box.h"
#include "framework/form.h"
#include "framework/timer.h"
#include "platform/linux/x11/x11_window_system.h"
#include "platform/platform.h"
#include "support/screen_probe.h"
// Last: Xlib's macros (None, Bool) clash with the framework's names.
#include <X11/Xlib.h>

namespace somnara::testing {

bool DrawReferenceBox(const std::string& display, const std::string& caption,
                      const std::string& text, ReferenceBox* box, std::string* error) {
  ScreenProbe probe;
  if (!probe.Open(display, error)) return false;
  auto system = platform::X11WindowSystem::OpenDisplay(display, {}, error);
  if (!system) return false;
  platform::Services services;
  services.windows = system.get();
  platform::Install(services);
  fw::ResetApplication();
  fw::App().Initialize(system.get());

  bool grabbed = false;
  int ticks = 0;
  {
    fw::Timer timer(nullptr);
    timer.SetInterval(100);
    timer.OnTimer = [&](fw::Component*) {
      for (fw::Form* form : fw::App().Forms()) {
        if (!form->IsModal()) continue;
        auto* label = dynamic_cast<fw::Control*>(form->FindComponent("Message"));
        auto* ok = dynamic_cast<fw::Control*>(form->FindComponent("OK"));
        // Give the box a few ticks to be mapped and painted.
        if (++ticks < 3 || label == nullptr || ok == nullptr) {
          if (ticks > 50) form->SetModalResult(fw::mrCancel);
          continue;
        }
        form->PaintNow();
        XSync(system->display(), False);
        std::optional<TopWindow> shown = probe.Find(
            caption, [&](const TopWindow& w) { return w.bounds.Width() == form->Width(); });
        if (shown) {
          const Point t = label->WindowOrigin();
          const Point o = ok->WindowOrigin();
          box->size = {shown->bounds.Width(), shown->bounds.Height()};
          box->text = Rect::FromSize(t.x, t.y, label->Width(), label->Height());
          box->ok = Rect::FromSize(o.x, o.y, ok->Width(), ok->Height());
          box->text_pixels = probe.Grab(box->text.Offset(shown->bounds.left, shown->bounds.top));
          box->text_pixels.left = box->text_pixels.top = 0;
          grabbed = box->text_pixels.width == box->text.Width() &&
                    box->text_pixels.height == box->text.Height();
        }
        form->SetModalResult(grabbed ? fw::mrOk : fw::mrCancel);
      }
    };
    fw::ShowMessageBox(caption, text);
  }
  // The program will run on this display next: nothing of ours may stay on it.
  fw::ResetApplication();
  platform::Install({});
  system.reset();
  if (!grabbed) *error = "the framework's message box could not be grabbed from the screen";
  return grabbed;
}

}  // namespace somnara::testing
