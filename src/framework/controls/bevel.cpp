#include "framework/controls/bevel.h"

#include <array>

#include "framework/graphics/canvas.h"

namespace somnara::fw {

const ClassInfo& Bevel::StaticClassInfo() {
  static const RegisteredClassInfo info = [] {
    ClassInfo i("TBevel", &GraphicControl::StaticClassInfo(),
                [](Component* o) { return new Bevel(o); });
    i.Add(EnumProperty<Bevel, BevelShape>("Shape", kBevelShapeNames, &Bevel::Shape,
                                          &Bevel::SetShape));
    i.Add(EnumProperty<Bevel, BevelStyle>("Style", kBevelStyleNames, &Bevel::Style,
                                          &Bevel::SetStyle));
    return i;
  }();
  return info;
}

Bevel::Bevel(Component* owner) : GraphicControl(owner) {
  SetBounds(0, 0, 50, 50);
}

Bevel::~Bevel() {
  BeginDestruction();
}

void Bevel::SetShape(BevelShape shape) {
  if (shape_ == shape) return;
  shape_ = shape;
  Invalidate();
}

void Bevel::SetStyle(BevelStyle style) {
  if (style_ == style) return;
  style_ = style;
  Invalidate();
}

void Bevel::Paint() {
  Canvas& c = GetCanvas();
  Color first = clBtnShadow, second = clBtnHighlight;
  if (style_ == BevelStyle::kRaised) std::swap(first, second);
  const int w = Width(), h = Height();
  c.Pen() = Pen();
  auto line = [&c](Color color, int x1, int y1, int x2, int y2) {
    c.Pen().SetColor(color);
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
  };
  // Top and left in the first colour, bottom and right in the second; corners as drawn
  // by two polylines whose end points stay empty.
  auto box = [&c](Color top_left, Color bottom_right, int l, int t, int r, int b) {
    c.Pen().SetColor(top_left);
    std::array<Point, 3> a{Point{l, b}, Point{l, t}, Point{r, t}};
    c.Polyline(a);
    c.Pen().SetColor(bottom_right);
    std::array<Point, 3> d{Point{r, t}, Point{r, b}, Point{l, b}};
    c.Polyline(d);
  };
  switch (shape_) {
    case BevelShape::kBox:
      box(first, second, 0, 0, w - 1, h - 1);
      break;
    case BevelShape::kFrame:
      box(second, second, 1, 1, w - 1, h - 1);
      box(first, first, 0, 0, w - 2, h - 2);
      break;
    case BevelShape::kTopLine:
      line(first, 0, 0, w, 0);
      line(second, 0, 1, w, 1);
      break;
    case BevelShape::kBottomLine:
      line(first, 0, h - 2, w, h - 2);
      line(second, 0, h - 1, w, h - 1);
      break;
    case BevelShape::kLeftLine:
      line(first, 0, 0, 0, h);
      line(second, 1, 0, 1, h);
      break;
    case BevelShape::kRightLine:
      line(first, w - 2, 0, w - 2, h);
      line(second, w - 1, 0, w - 1, h);
      break;
    case BevelShape::kSpacer:
      break;
  }
}

}  // namespace somnara::fw
