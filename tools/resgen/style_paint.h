#pragma once

// A small vector painter for the skin pictures: shapes are signed distance functions
// (negative inside, in pixels), filled with smooth edges by a paint that gives the colour
// at each point. Pictures meant to show what lies behind them get magenta (255,0,255)
// wherever less than half of a pixel is covered.

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "generator.h"

namespace resgen::style {

struct Rgb {
  double r = 0, g = 0, b = 0;
};
Rgb Hex(uint32_t rrggbb);
Rgb Mix(Rgb a, Rgb b, double t);  // t = 0: a, t = 1: b
inline Rgb Lighter(Rgb c, double t) {
  return Mix(c, Rgb{255, 255, 255}, t);
}
inline Rgb Darker(Rgb c, double t) {
  return Mix(c, Rgb{0, 0, 0}, t);
}
// Linear from `a` at `from` to `b` at `to`, held beyond either end.
Rgb Ramp(double v, double from, Rgb a, double to, Rgb b);

using Sdf = std::function<double(double x, double y)>;
using Paint = std::function<Rgb(double x, double y)>;

inline Paint Solid(Rgb c) {
  return [c](double, double) { return c; };
}
// Vertical gradient over [y0, y1].
inline Paint VGradient(double y0, Rgb top, double y1, Rgb bottom) {
  return [=](double, double y) { return Ramp(y, y0, top, y1, bottom); };
}
inline Paint HGradient(double x0, Rgb left, double x1, Rgb right) {
  return [=](double x, double) { return Ramp(x, x0, left, x1, right); };
}
// A glossy body: the upper part runs top -> upper_end, the lower part lower_start ->
// bottom, split at `split` (fraction of the height between y0 and y1).
Paint Gloss(double y0, double y1, double split, Rgb top, Rgb upper_end, Rgb lower_start,
            Rgb bottom);

// Shapes. Coordinates are continuous: pixel (x, y) covers [x, x + 1) x [y, y + 1).
Sdf Box(double x0, double y0, double x1, double y1, double radius = 0);
Sdf Circle(double cx, double cy, double r);
Sdf Ellipse(double cx, double cy, double rx, double ry);
Sdf Segment(double ax, double ay, double bx, double by, double half_width);
// A convex or concave polygon (points in order).
Sdf Polygon(std::vector<std::pair<double, double>> points);
// The part of a ring (centre, radius, half width) between two angles in degrees,
// counter-clockwise from `from` to `to`, with round ends; y grows downwards, so 90 is up.
Sdf Arc(double cx, double cy, double radius, double half_width, double from, double to);
Sdf Union(Sdf a, Sdf b);
Sdf Intersect(Sdf a, Sdf b);
Sdf Subtract(Sdf a, Sdf b);
Sdf Shrink(Sdf a, double by);  // the shape moved inwards by `by` pixels

// A picture being composed: colour and coverage for every pixel.
class Layer {
 public:
  Layer(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Lays colour `c` with opacity `a` (0..1) over pixel (x, y).
  void Put(int x, int y, Rgb c, double a = 1);
  void Fill(const Sdf& shape, const Paint& paint, double opacity = 1);
  // A line along the shape's outline, `width` pixels wide, centred on it.
  void Stroke(const Sdf& shape, double width, const Paint& paint, double opacity = 1);
  // Lays another layer over this one with its top-left corner at (dx, dy).
  void Draw(const Layer& other, int dx, int dy);

  // The finished picture over an opaque background.
  PixelBuffer Flatten(const Paint& background) const;
  // The finished picture for keyed transparency: magenta where less than half covered;
  // partly covered edge pixels are mixed with `halo`, the colour they are expected to sit on.
  PixelBuffer FlattenKeyed(Rgb halo) const;

 private:
  int width_, height_;
  std::vector<Rgb> colour_;
  std::vector<double> alpha_;
};

// Draws `count` frames of `frame_width` x `height` side by side; `draw` paints frame i
// (0-based) on a layer of one frame's size.
Layer Strip(int count, int frame_width, int height,
            const std::function<void(Layer& frame, int index)>& draw);

// Writes "<out>/styles/<name>.bmp" (24 bits).
bool WriteStylePicture(const std::string& out_dir, const std::string& name, const PixelBuffer& p);

inline constexpr uint32_t kMagenta = 0xFF00FF;

}  // namespace resgen::style
