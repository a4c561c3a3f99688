#pragma once

#include "framework/controls/control_enums.h"
#include "framework/win_control.h"

namespace somnara::fw {

// A container with up to two bevels, a border between them and a caption in the middle.
// Aligned children are placed inside the bevels and the border.
class Panel : public CustomControl {
 public:
  explicit Panel(Component* owner);
  ~Panel() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  BevelCut BevelInner() const { return bevel_inner_; }
  void SetBevelInner(BevelCut cut);
  BevelCut BevelOuter() const { return bevel_outer_; }
  void SetBevelOuter(BevelCut cut);
  int BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int width);
  int BorderWidth() const { return border_width_; }
  void SetBorderWidth(int width);
  ControlBorder BorderStyle() const { return border_style_; }
  void SetBorderStyle(ControlBorder style);
  fw::Alignment GetAlignment() const { return alignment_; }
  void SetAlignment(fw::Alignment alignment);

  Rect AdjustClientRect() const override;

 protected:
  void Paint() override;
  void EraseBackground(Canvas& canvas) override {}
  void LayoutChanged();

 private:
  BevelCut bevel_inner_ = BevelCut::kNone;
  BevelCut bevel_outer_ = BevelCut::kRaised;
  int bevel_width_ = 1;
  int border_width_ = 0;
  ControlBorder border_style_ = ControlBorder::kNone;
  fw::Alignment alignment_ = fw::Alignment::kCenter;
};

}  // namespace somnara::fw
