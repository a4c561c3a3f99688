#pragma once

#include <string>
#include <vector>

#include "framework/controls/control_enums.h"
#include "framework/win_control.h"

namespace somnara::fw {

enum class CheckBoxState { kUnchecked, kChecked, kGrayed };
inline const std::vector<std::string> kCheckBoxStateNames = {"cbUnchecked", "cbChecked",
                                                             "cbGrayed"};

// A box with a caption that the user ticks and clears (mouse, Space, Alt + access key).
// OnClick runs whenever the state changes, also when a program sets Checked, as on the
// desktop platform; not while a window description is being applied.
class CheckBox : public WinControl {
 public:
  explicit CheckBox(Component* owner);
  ~CheckBox() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  bool Checked() const { return state_ == CheckBoxState::kChecked; }
  void SetChecked(bool on) { SetState(on ? CheckBoxState::kChecked : CheckBoxState::kUnchecked); }
  CheckBoxState State() const { return state_; }
  void SetState(CheckBoxState state);
  bool AllowGrayed() const { return allow_grayed_; }
  void SetAllowGrayed(bool on) { allow_grayed_ = on; }
  // taRightJustify (the default): box on the left, caption to its right.
  fw::Alignment GetAlignment() const { return alignment_; }
  void SetAlignment(fw::Alignment alignment);
  bool Ctl3D() const { return ctl3d_; }
  void SetCtl3D(bool on);

  // The user's toggle: unchecked -> checked (-> grayed when allowed) -> unchecked.
  void Toggle();
  void Click() override;

  void KeyDown(uint32_t& key, unsigned shift) override;
  void KeyUp(uint32_t& key, unsigned shift) override;

 protected:
  void WndProc(Message& message) override;
  void Paint() override;
  void MouseDown(MouseButton button, unsigned shift, int x, int y) override;
  void DoExit() override;
  Rect BoxRect() const;

 private:
  CheckBoxState state_ = CheckBoxState::kUnchecked;
  bool allow_grayed_ = false;
  fw::Alignment alignment_ = fw::Alignment::kRightJustify;
  bool ctl3d_ = true;
  bool space_down_ = false;
};

}  // namespace somnara::fw
