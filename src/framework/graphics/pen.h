#pragma once

#include "framework/graphics/color.h"

namespace somnara::fw {

enum class PenStyle { kSolid, kDash, kDot, kDashDot, kDashDotDot, kClear };

// How lines are drawn: colour, width in pixels (widths above 1 give thick lines) and style.
// Dashed and dotted styles apply to one-pixel lines and rectangle outlines, with the gaps left
// untouched; wider pens, ellipses and arcs draw them solid.
class Pen {
 public:
  Pen() = default;

  fw::Color Color() const { return color_; }
  void SetColor(fw::Color color) { color_ = color; }
  int Width() const { return width_; }
  void SetWidth(int width) { width_ = width < 1 ? 1 : width; }
  PenStyle Style() const { return style_; }
  void SetStyle(PenStyle style) { style_ = style; }

  friend bool operator==(const Pen&, const Pen&) = default;

 private:
  fw::Color color_ = clBlack;
  int width_ = 1;
  PenStyle style_ = PenStyle::kSolid;
};

}  // namespace somnara::fw
