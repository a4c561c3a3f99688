#pragma once

#include "framework/win_control.h"

namespace somnara::fw {

// A push button. Clicking it (mouse, Space while focused, Enter while focused or as the
// default button, Escape as the cancel button, Alt + its access key) sets its form's
// ModalResult to the button's, then runs OnClick.
class Button : public WinControl {
 public:
  explicit Button(Component* owner);
  ~Button() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  bool Default() const { return default_; }
  void SetDefault(bool on);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool on) { cancel_ = on; }
  int ModalResult() const { return modal_result_; }
  void SetModalResult(int result) { modal_result_ = result; }

  void Click() override;
  // Shown pressed: the mouse is down inside it, or Space is held.
  bool Pressed() const;

  void KeyDown(uint32_t& key, unsigned shift) override;
  void KeyUp(uint32_t& key, unsigned shift) override;

 protected:
  void WndProc(Message& message) override;
  void Paint() override;
  void EraseBackground(Canvas& canvas) override {}
  void MouseDown(MouseButton button, unsigned shift, int x, int y) override;
  void MouseMove(unsigned shift, int x, int y) override;
  void MouseUp(MouseButton button, unsigned shift, int x, int y) override;
  void DoExit() override;
  // Enter goes to the focused button, else to the default one.
  bool ActsOnEnter() const;

 private:
  bool default_ = false;
  bool cancel_ = false;
  int modal_result_ = 0;
  bool space_down_ = false;
  bool pointer_inside_ = false;
};

}  // namespace somnara::fw
