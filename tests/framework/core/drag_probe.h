#pragma once

#include <string>

#include "framework/application.h"
#include "framework/form.h"

namespace somnara::testing {

// One drag over a control, played the same on every desktop backend: the pointer comes in,
// the left button goes down, the pointer moves twice with it held, the button comes up.
struct DragPath {
  static constexpr Rect kForm{100, 100, 400, 300};  // screen pixels; no frame
  static constexpr Rect kPad{20, 20, 220, 120};     // within the form
  static constexpr Point kPress{150, 150};
  static constexpr Point kThrough{170, 160};
  static constexpr Point kRelease{190, 170};
  // What the pad hears: "+" where the left button travels as held (MK_LBUTTON).
  static constexpr const char* kTrace = "move- down+ move+ up-";
};

// A frameless form on DragPath::kForm, shown, with the pad on it.
inline fw::CustomControl* ShowDragPad() {
  auto* form = new fw::Form(&fw::App());
  form->SetBorderStyle(fw::BorderStyle::kNone);
  const Rect& f = DragPath::kForm;
  form->SetBounds(f.left, f.top, f.Width(), f.Height());
  form->AfterConstruction();
  form->Show();
  auto* pad = new fw::CustomControl(form);
  pad->SetParent(form);
  const Rect& p = DragPath::kPad;
  pad->SetBounds(p.left, p.top, p.Width(), p.Height());
  return pad;
}

// Writes down the mouse messages a control receives. A run of equal moves counts once:
// backends differ in how many moves one gesture makes.
class DragProbe {
 public:
  explicit DragProbe(fw::WinControl& control) {
    fw::WindowProcedure old = control.WindowProc;
    control.WindowProc = [this, old](fw::Message& m) {
      Note(m);
      old(m);
    };
  }

  const std::string& Trace() const { return trace_; }
  // Where the last move reached, in the control's client coordinates.
  Point LastMove() const { return last_move_; }

 private:
  void Note(const fw::Message& m) {
    const char* name = m.msg == fw::WM_MOUSEMOVE     ? "move"
                       : m.msg == fw::WM_LBUTTONDOWN ? "down"
                       : m.msg == fw::WM_LBUTTONUP   ? "up"
                                                     : nullptr;
    if (name == nullptr) return;
    if (m.msg == fw::WM_MOUSEMOVE)
      last_move_ = {fw::XFromLParam(m.lParam), fw::YFromLParam(m.lParam)};
    std::string step = std::string(name) + ((m.wParam & fw::MK_LBUTTON) ? "+" : "-");
    if (step == last_step_ && m.msg == fw::WM_MOUSEMOVE) return;
    last_step_ = step;
    trace_ += (trace_.empty() ? "" : " ") + step;
  }

  std::string trace_;
  std::string last_step_;
  Point last_move_;
};

}  // namespace somnara::testing
