#pragma once

#include "framework/win_control.h"

namespace somnara::fw {

// An etched frame with the caption set into its top line; aligned children go inside.
class GroupBox : public CustomControl {
 public:
  explicit GroupBox(Component* owner);
  ~GroupBox() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  Rect AdjustClientRect() const override;

 protected:
  void Paint() override;
  void FontChanged() override;
  int CaptionHeight() const;
};

}  // namespace somnara::fw
