#include "skinwriter/canvas.h"

#include <algorithm>
#include <cmath>

#include "picture/bmp_writer.h"
#include "picture/gradient.h"

namespace somnara::skinwriter {

int32_t ColorWord(Rgb c) {
  return int32_t(c.r) | (int32_t(c.g) << 8) | (int32_t(c.b) << 16);
}

Canvas::Canvas(int width, int height, Rgb fill) : pixels_(width, height, picture::Packed(fill)) {}

Rgb Canvas::Get(int x, int y) const {
  if (!pixels_.Contains(x, y)) return {};
  return picture::Unpacked(pixels_.At(x, y));
}

void Canvas::Put(int x, int y, Rgb c) {
  pixels_.Put(x, y, picture::Packed(c));
}

void Canvas::Blend(int x, int y, Rgb c, double alpha) {
  if (alpha <= 0) return;
  Put(x, y, Mix(Get(x, y), c, alpha));
}

void Canvas::FillRect(int x0, int y0, int x1, int y1, Rgb c) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) Put(x, y, c);
}

void Canvas::VerticalGradient(int x0, int y0, int x1, int y1, Rgb top, Rgb bottom) {
  picture::FillVerticalGradient(pixels_, x0, y0, x1, y1, top, bottom);
}

void Canvas::HorizontalGradient(int x0, int y0, int x1, int y1, Rgb left, Rgb right) {
  picture::FillHorizontalGradient(pixels_, x0, y0, x1, y1, left, right);
}

void Canvas::HLine(int x0, int x1, int y, Rgb c) {
  for (int x = x0; x <= x1; ++x) Put(x, y, c);
}

void Canvas::VLine(int x, int y0, int y1, Rgb c) {
  for (int y = y0; y <= y1; ++y) Put(x, y, c);
}

void Canvas::Line(double x0, double y0, double x1, double y1, double thickness, Rgb c) {
  const double dx = x1 - x0;
  const double dy = y1 - y0;
  const double length_sq = dx * dx + dy * dy;
  const double half = thickness / 2;
  const int left = int(std::floor(std::min(x0, x1) - half - 1));
  const int right = int(std::ceil(std::max(x0, x1) + half + 1));
  const int top = int(std::floor(std::min(y0, y1) - half - 1));
  const int bottom = int(std::ceil(std::max(y0, y1) + half + 1));
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      // Distance from the pixel centre to the segment.
      const double px = x + 0.5 - x0;
      const double py = y + 0.5 - y0;
      const double t = length_sq > 0 ? std::clamp((px * dx + py * dy) / length_sq, 0.0, 1.0) : 0;
      const double ex = px - t * dx;
      const double ey = py - t * dy;
      const double distance = std::sqrt(ex * ex + ey * ey);
      Blend(x, y, c, std::clamp(half + 0.5 - distance, 0.0, 1.0));
    }
  }
}

namespace {

// How much of pixel (x, y) lies inside the rounded rectangle, estimated on a 4 x 4 grid.
double Coverage(int x, int y, int x0, int y0, int x1, int y1, double r) {
  int inside = 0;
  for (int sy = 0; sy < 4; ++sy) {
    for (int sx = 0; sx < 4; ++sx) {
      const double px = x + (sx + 0.5) / 4;
      const double py = y + (sy + 0.5) / 4;
      const double cx = std::clamp(px, x0 + r, x1 - r);
      const double cy = std::clamp(py, y0 + r, y1 - r);
      const double ddx = px - cx;
      const double ddy = py - cy;
      if (px >= x0 && px <= x1 && py >= y0 && py <= y1 && ddx * ddx + ddy * ddy <= r * r) ++inside;
    }
  }
  return inside / 16.0;
}

}  // namespace

void Canvas::ClearOutsideRoundRect(int x0, int y0, int x1, int y1, double radius, Rgb outside,
                                   bool smooth) {
  for (int y = 0; y < Height(); ++y) {
    for (int x = 0; x < Width(); ++x) {
      const double cover = Coverage(x, y, x0, y0, x1, y1, radius);
      if (cover >= 1) continue;
      if (smooth) {
        Put(x, y, Mix(outside, Get(x, y), cover));
      } else if (cover < 0.5) {
        Put(x, y, outside);
      }
    }
  }
}

void Canvas::RoundRectBorder(int x0, int y0, int x1, int y1, double radius, Rgb c) {
  // A pixel is on the border when it is inside but one of its neighbours is not.
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      if (Coverage(x, y, x0, y0, x1, y1, radius) < 0.5) continue;
      const bool edge = Coverage(x - 1, y, x0, y0, x1, y1, radius) < 0.5 ||
                        Coverage(x + 1, y, x0, y0, x1, y1, radius) < 0.5 ||
                        Coverage(x, y - 1, x0, y0, x1, y1, radius) < 0.5 ||
                        Coverage(x, y + 1, x0, y0, x1, y1, radius) < 0.5;
      if (edge) Put(x, y, c);
    }
  }
}

void Canvas::Blit(const Canvas& source, int x, int y) {
  for (int sy = 0; sy < source.Height(); ++sy)
    for (int sx = 0; sx < source.Width(); ++sx) Put(x + sx, y + sy, source.Get(sx, sy));
}

std::vector<uint8_t> Canvas::ToBmp() const {
  return picture::EncodeBmp24(pixels_);
}

}  // namespace somnara::skinwriter
