#pragma once

#include <memory>

#include "framework/graphics/color.h"

namespace somnara::fw {

class Bitmap;

enum class BrushStyle { kSolid, kClear };

// How areas are filled: a solid colour, nothing (clear), or a pattern bitmap. A pattern is
// tiled from the canvas origin, so neighbouring fills line up; it wins over the colour and
// style while set.
class Brush {
 public:
  Brush() = default;

  fw::Color Color() const { return color_; }
  void SetColor(fw::Color color) {
    color_ = color;
    if (style_ == BrushStyle::kClear) style_ = BrushStyle::kSolid;
  }
  BrushStyle Style() const { return style_; }
  void SetStyle(BrushStyle style) { style_ = style; }

  const std::shared_ptr<const fw::Bitmap>& Bitmap() const { return bitmap_; }
  void SetBitmap(std::shared_ptr<const fw::Bitmap> bitmap) { bitmap_ = std::move(bitmap); }

  // True when fills with this brush leave the area alone.
  bool IsClear() const { return !bitmap_ && style_ == BrushStyle::kClear; }

  friend bool operator==(const Brush&, const Brush&) = default;

 private:
  fw::Color color_ = clWhite;
  BrushStyle style_ = BrushStyle::kSolid;
  std::shared_ptr<const fw::Bitmap> bitmap_;
};

}  // namespace somnara::fw
