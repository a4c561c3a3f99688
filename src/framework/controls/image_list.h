#pragma once

#include <vector>

#include "framework/component.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/color.h"

namespace somnara::fw {

class Canvas;

// Small pictures of one size, drawn by index (menu items, tool buttons). A picture added
// with a mask colour leaves the pixels of that colour out when drawn.
class ImageList : public Component {
 public:
  explicit ImageList(Component* owner);
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  int Width() const { return width_; }
  void SetWidth(int width);
  int Height() const { return height_; }
  void SetHeight(int height);
  int Count() const { return int(images_.size()); }

  // A strip of pictures side by side is cut into pictures of the list's width. Returns
  // the index of the first one added, -1 when the strip holds none.
  int Add(const Bitmap& strip);
  int AddMasked(const Bitmap& strip, Color mask);
  void Clear() { images_.clear(); }

  // Draws picture `index` with its top-left at (x, y); a disabled picture is greyed. An
  // index outside the list draws nothing.
  void Draw(Canvas& canvas, int x, int y, int index, bool enabled = true) const;
  const Bitmap& Image(int index) const { return images_.at(size_t(index)); }

 private:
  int AddStrip(const Bitmap& strip, bool masked, Color mask);

  int width_ = 16;
  int height_ = 16;
  std::vector<Bitmap> images_;
};

}  // namespace somnara::fw
