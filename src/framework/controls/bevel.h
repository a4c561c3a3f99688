#pragma once

#include <string>
#include <vector>

#include "framework/control.h"

namespace somnara::fw {

enum class BevelShape { kBox, kFrame, kTopLine, kBottomLine, kLeftLine, kRightLine, kSpacer };
inline const std::vector<std::string> kBevelShapeNames = {
    "bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer"};

enum class BevelStyle { kLowered, kRaised };
inline const std::vector<std::string> kBevelStyleNames = {"bsLowered", "bsRaised"};

// A box, frame or line in the classic three-dimensional look: one edge in the button
// shadow colour and the other in the button highlight, swapped for a raised bevel.
class Bevel : public GraphicControl {
 public:
  explicit Bevel(Component* owner);
  ~Bevel() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  BevelShape Shape() const { return shape_; }
  void SetShape(BevelShape shape);
  BevelStyle Style() const { return style_; }
  void SetStyle(BevelStyle style);

 protected:
  void Paint() override;

 private:
  BevelShape shape_ = BevelShape::kBox;
  BevelStyle style_ = BevelStyle::kLowered;
};

}  // namespace somnara::fw
