#include "style_paint.h"

#include <algorithm>

namespace resgen::style {

namespace {

constexpr double kPi = 3.14159265358979323846;

double Clamp01(double v) {
  return std::clamp(v, 0.0, 1.0);
}

// Opaque pixels never come out as the key colour by accident.
uint32_t ToPixel(Rgb c) {
  auto channel = [](double v) { return uint32_t(std::lround(std::clamp(v, 0.0, 255.0))); };
  uint32_t p = (channel(c.r) << 16) | (channel(c.g) << 8) | channel(c.b);
  return p == kMagenta ? 0xFE00FF : p;
}

}  // namespace

Rgb Hex(uint32_t rrggbb) {
  return {double((rrggbb >> 16) & 0xFF), double((rrggbb >> 8) & 0xFF), double(rrggbb & 0xFF)};
}

Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Ramp(double v, double from, Rgb a, double to, Rgb b) {
  if (to == from) return v < from ? a : b;
  return Mix(a, b, Clamp01((v - from) / (to - from)));
}

Paint Gloss(double y0, double y1, double split, Rgb top, Rgb upper_end, Rgb lower_start,
            Rgb bottom) {
  double mid = y0 + (y1 - y0) * split;
  return [=](double, double y) {
    return y < mid ? Ramp(y, y0, top, mid, upper_end) : Ramp(y, mid, lower_start, y1, bottom);
  };
}

Sdf Box(double x0, double y0, double x1, double y1, double radius) {
  double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
  double hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
  double r = std::min({radius, hx, hy});
  return [=](double x, double y) {
    double qx = std::abs(x - cx) - (hx - r), qy = std::abs(y - cy) - (hy - r);
    double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - r;
  };
}

Sdf Circle(double cx, double cy, double r) {
  return [=](double x, double y) { return std::hypot(x - cx, y - cy) - r; };
}

Sdf Ellipse(double cx, double cy, double rx, double ry) {
  return [=](double x, double y) {
    return (std::hypot((x - cx) / rx, (y - cy) / ry) - 1) * std::min(rx, ry);
  };
}

Sdf Segment(double ax, double ay, double bx, double by, double half_width) {
  return [=](double x, double y) {
    double dx = bx - ax, dy = by - ay;
    double len2 = dx * dx + dy * dy;
    double t = len2 == 0 ? 0 : Clamp01(((x - ax) * dx + (y - ay) * dy) / len2);
    return std::hypot(x - (ax + t * dx), y - (ay + t * dy)) - half_width;
  };
}

Sdf Polygon(std::vector<std::pair<double, double>> pts) {
  return [pts](double x, double y) {
    double d = 1e9;
    bool inside = false;
    size_t n = pts.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
      auto [xi, yi] = pts[i];
      auto [xj, yj] = pts[j];
      double ex = xj - xi, ey = yj - yi;
      double wx = x - xi, wy = y - yi;
      double len2 = ex * ex + ey * ey;
      double t = len2 == 0 ? 0 : Clamp01((wx * ex + wy * ey) / len2);
      d = std::min(d, std::hypot(wx - ex * t, wy - ey * t));
      if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
    }
    return inside ? -d : d;
  };
}

Sdf Arc(double cx, double cy, double radius, double half_width, double from, double to) {
  auto norm = [](double a) {
    a = std::fmod(a, 360.0);
    return a < 0 ? a + 360 : a;
  };
  double start = norm(from), span = norm(to - from);
  double ax = cx + radius * std::cos(from * kPi / 180),
         ay = cy - radius * std::sin(from * kPi / 180);
  double bx = cx + radius * std::cos(to * kPi / 180), by = cy - radius * std::sin(to * kPi / 180);
  return [=](double x, double y) {
    double angle = norm(std::atan2(-(y - cy), x - cx) * 180 / kPi);
    if (norm(angle - start) <= span)
      return std::abs(std::hypot(x - cx, y - cy) - radius) - half_width;
    return std::min(std::hypot(x - ax, y - ay), std::hypot(x - bx, y - by)) - half_width;
  };
}

Sdf Union(Sdf a, Sdf b) {
  return [a, b](double x, double y) { return std::min(a(x, y), b(x, y)); };
}
Sdf Intersect(Sdf a, Sdf b) {
  return [a, b](double x, double y) { return std::max(a(x, y), b(x, y)); };
}
Sdf Subtract(Sdf a, Sdf b) {
  return [a, b](double x, double y) { return std::max(a(x, y), -b(x, y)); };
}
Sdf Shrink(Sdf a, double by) {
  return [a, by](double x, double y) { return a(x, y) + by; };
}

Layer::Layer(int width, int height)
    : width_(width),
      height_(height),
      colour_(size_t(width) * height),
      alpha_(size_t(width) * height, 0.0) {}

void Layer::Put(int x, int y, Rgb c, double a) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_ || a <= 0) return;
  size_t i = size_t(y) * width_ + x;
  double below = alpha_[i] * (1 - a);
  double out = a + below;
  colour_[i] = {(c.r * a + colour_[i].r * below) / out, (c.g * a + colour_[i].g * below) / out,
                (c.b * a + colour_[i].b * below) / out};
  alpha_[i] = out;
}

void Layer::Fill(const Sdf& shape, const Paint& paint, double opacity) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      double cx = x + 0.5, cy = y + 0.5;
      double coverage = Clamp01(0.5 - shape(cx, cy));
      if (coverage > 0) Put(x, y, paint(cx, cy), coverage * opacity);
    }
}

void Layer::Stroke(const Sdf& shape, double width, const Paint& paint, double opacity) {
  Fill([&](double x, double y) { return std::abs(shape(x, y)) - width / 2; }, paint, opacity);
}

void Layer::Draw(const Layer& other, int dx, int dy) {
  for (int y = 0; y < other.height_; ++y)
    for (int x = 0; x < other.width_; ++x) {
      size_t i = size_t(y) * other.width_ + x;
      Put(x + dx, y + dy, other.colour_[i], other.alpha_[i]);
    }
}

PixelBuffer Layer::Flatten(const Paint& background) const {
  PixelBuffer p(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      size_t i = size_t(y) * width_ + x;
      p.At(x, y) = ToPixel(Mix(background(x + 0.5, y + 0.5), colour_[i], alpha_[i]));
    }
  return p;
}

PixelBuffer Layer::FlattenKeyed(Rgb halo) const {
  PixelBuffer p(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      size_t i = size_t(y) * width_ + x;
      p.At(x, y) = alpha_[i] < 0.5 ? kMagenta : ToPixel(Mix(halo, colour_[i], alpha_[i]));
    }
  return p;
}

Layer Strip(int count, int frame_width, int height,
            const std::function<void(Layer& frame, int index)>& draw) {
  Layer strip(count * frame_width, height);
  for (int i = 0; i < count; ++i) {
    Layer frame(frame_width, height);
    draw(frame, i);
    strip.Draw(frame, i * frame_width, 0);
  }
  return strip;
}

bool WriteStylePicture(const std::string& out_dir, const std::string& name, const PixelBuffer& p) {
  return WriteBmp24(out_dir + "/styles/" + name + ".bmp", p);
}

}  // namespace resgen::style
