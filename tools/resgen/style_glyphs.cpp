#include "style_glyphs.h"

namespace resgen::style {

Sdf CloseGlyph(double cx, double cy, double size, double stroke) {
  double h = size / 2;
  return Union(Segment(cx - h, cy - h, cx + h, cy + h, stroke / 2),
               Segment(cx - h, cy + h, cx + h, cy - h, stroke / 2));
}

Sdf MinimiseGlyph(double cx, double cy, double size, double stroke) {
  double h = size / 2;
  return Box(cx - h, cy + h - stroke, cx + h, cy + h, stroke / 3);
}

Sdf MaximiseGlyph(double cx, double cy, double size, double stroke) {
  double h = size / 2;
  Sdf outer = Box(cx - h, cy - h, cx + h, cy + h, 0.5);
  // The top edge is heavier, like a window's caption.
  Sdf inner = Box(cx - h + stroke * 0.75, cy - h + stroke * 1.5, cx + h - stroke * 0.75,
                  cy + h - stroke * 0.75);
  return Subtract(outer, inner);
}

Sdf RestoreGlyph(double cx, double cy, double size, double stroke) {
  double s = size * 0.7, off = size - s;
  auto frame = [&](double x0, double y0) {
    Sdf outer = Box(x0, y0, x0 + s, y0 + s, 0.5);
    Sdf inner =
        Box(x0 + stroke * 0.7, y0 + stroke * 1.4, x0 + s - stroke * 0.7, y0 + s - stroke * 0.7);
    return std::make_pair(outer, inner);
  };
  double left = cx - size / 2, top = cy - size / 2;
  auto [back_outer, back_inner] = frame(left + off, top);
  auto [front_outer, front_inner] = frame(left, top + off);
  Sdf back = Subtract(Subtract(back_outer, back_inner), front_outer);
  return Union(back, Subtract(front_outer, front_inner));
}

Sdf HelpGlyph(double cx, double cy, double size, double stroke) {
  double r = size * 0.27;
  double top = cy - size / 2 + r;
  Sdf hook = Arc(cx, top, r, stroke / 2, -60, 180);
  double ex = cx + r * 0.5, ey = top + r * 0.866;
  Sdf stem = Segment(ex, ey, cx, cy + size * 0.12, stroke / 2);
  Sdf dot = Circle(cx, cy + size / 2 - stroke * 0.55, stroke * 0.62);
  return Union(Union(hook, stem), dot);
}

Sdf MenuGlyph(double cx, double cy, double size, double stroke) {
  double h = size / 2;
  Sdf a = Segment(cx - h, cy - h * 0.6, cx + h, cy - h * 0.6, stroke / 2);
  Sdf b = Segment(cx - h, cy, cx + h, cy, stroke / 2);
  Sdf c = Segment(cx - h, cy + h * 0.6, cx + h, cy + h * 0.6, stroke / 2);
  return Union(Union(a, b), c);
}

Sdf TitleGlyphShape(TitleGlyph glyph, double cx, double cy, double size, double stroke) {
  switch (glyph) {
    case TitleGlyph::ControlBox:
      return MenuGlyph(cx, cy, size, stroke);
    case TitleGlyph::Help:
      return HelpGlyph(cx, cy, size, stroke);
    case TitleGlyph::Maximise:
      return MaximiseGlyph(cx, cy, size, stroke);
    case TitleGlyph::Restore:
      return RestoreGlyph(cx, cy, size, stroke);
    case TitleGlyph::Minimise:
      return MinimiseGlyph(cx, cy, size, stroke);
    case TitleGlyph::Close:
      break;
  }
  return CloseGlyph(cx, cy, size * 0.85, stroke);
}

Sdf Arrow(Direction d, double cx, double cy, double size) {
  double h = size / 2, q = size / 4;
  switch (d) {
    case Direction::Up:
      return Polygon({{cx - h, cy + q}, {cx, cy - q}, {cx + h, cy + q}});
    case Direction::Down:
      return Polygon({{cx - h, cy - q}, {cx + h, cy - q}, {cx, cy + q}});
    case Direction::Left:
      return Polygon({{cx + q, cy - h}, {cx + q, cy + h}, {cx - q, cy}});
    case Direction::Right:
      break;
  }
  return Polygon({{cx - q, cy - h}, {cx + q, cy}, {cx - q, cy + h}});
}

Sdf CheckMark(double cx, double cy, double size, double stroke) {
  double h = size / 2;
  double kx = cx - h * 0.25, ky = cy + h * 0.6;
  return Union(Segment(cx - h, cy, kx, ky, stroke / 2),
               Segment(kx, ky, cx + h, cy - h * 0.7, stroke / 2));
}

Sdf Exclamation(double cx, double cy, double size, double stroke) {
  double h = size / 2;
  Sdf bar = Polygon({{cx - stroke * 0.6, cy - h},
                     {cx + stroke * 0.6, cy - h},
                     {cx + stroke * 0.35, cy + h * 0.35},
                     {cx - stroke * 0.35, cy + h * 0.35}});
  return Union(bar, Circle(cx, cy + h - stroke * 0.5, stroke * 0.55));
}

Sdf InfoLetter(double cx, double cy, double size, double stroke) {
  double h = size / 2;
  Sdf dot = Circle(cx, cy - h + stroke * 0.55, stroke * 0.6);
  Sdf stem = Box(cx - stroke / 2, cy - h * 0.35, cx + stroke / 2, cy + h, stroke * 0.2);
  Sdf serif = Box(cx - stroke * 1.1, cy - h * 0.35, cx, cy - h * 0.35 + stroke * 0.45);
  Sdf foot = Box(cx - stroke * 1.1, cy + h - stroke * 0.5, cx + stroke * 1.1, cy + h);
  return Union(Union(dot, stem), Union(serif, foot));
}

Sdf Plus(double cx, double cy, double size, double stroke) {
  double h = size / 2;
  return Union(Box(cx - h, cy - stroke / 2, cx + h, cy + stroke / 2),
               Box(cx - stroke / 2, cy - h, cx + stroke / 2, cy + h));
}

Sdf Minus(double cx, double cy, double size, double stroke) {
  double h = size / 2;
  return Box(cx - h, cy - stroke / 2, cx + h, cy + stroke / 2);
}

Sdf Grip(double cx, double cy, int columns, int rows, double step, double radius) {
  double x0 = cx - (columns - 1) * step / 2, y0 = cy - (rows - 1) * step / 2;
  return [=](double x, double y) {
    double best = 1e9;
    for (int j = 0; j < rows; ++j)
      for (int i = 0; i < columns; ++i)
        best = std::min(best, std::hypot(x - (x0 + i * step), y - (y0 + j * step)) - radius);
    return best;
  };
}

}  // namespace resgen::style
