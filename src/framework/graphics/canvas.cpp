#include "framework/graphics/canvas.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "framework/graphics/canvas_raster.h"

namespace somnara::fw {

using raster::FillSpan;
using raster::Paint;
using raster::PutPixel;
using raster::Target;

namespace {

// Exact products of up to three non-negative factors below 2^50, past 64 bits: two 64-bit
// halves, since 32-bit targets have no 128-bit integer type. Used on every target, so the
// 64-bit builds test the arithmetic the 32-bit one runs.
struct Int128 {
  uint64_t hi = 0, lo = 0;
  Int128() = default;
  explicit Int128(long long v) : lo(uint64_t(v)) {}
  friend Int128 operator*(Int128 a, Int128 b) {
    // The low 128 bits of the product; the factors here never make more.
    Int128 r = Mul64(a.lo, b.lo);
    r.hi += a.hi * b.lo + a.lo * b.hi;
    return r;
  }
  friend Int128 operator*(Int128 a, long long b) { return a * Int128(b); }
  friend bool operator<=(Int128 a, Int128 b) { return a.hi != b.hi ? a.hi < b.hi : a.lo <= b.lo; }
  friend bool operator>(Int128 a, Int128 b) { return !(a <= b); }

 private:
  static Int128 Mul64(uint64_t a, uint64_t b) {
    const uint64_t a0 = a & 0xFFFFFFFFu, a1 = a >> 32, b0 = b & 0xFFFFFFFFu, b1 = b >> 32;
    const uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    const uint64_t middle = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
    Int128 r;
    r.lo = (middle << 32) | (p00 & 0xFFFFFFFFu);
    r.hi = p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32);
    return r;
  }
};

// Coordinates beyond this are pulled in, so that no size computation can overflow.
constexpr int kCoordLimit = 1 << 24;
int ClampCoord(long long v) {
  return int(std::clamp<long long>(v, -kCoordLimit, kCoordLimit));
}

long long FloorDiv(long long a, long long b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}
long long CeilDiv(long long a, long long b) {
  return -FloorDiv(-a, b);
}

enum ShapeKind { kShapeRect, kShapeEllipse, kShapeRoundRect };

struct Shape {
  ShapeKind kind = kShapeRect;
  int l = 0, t = 0, r = 0, b = 0;
  int cw = 0, ch = 0;  // corner ellipse of a rounded rectangle
};

// The pixels of row y whose centres lie in the ellipse inscribed in [l, r) x [t, b); pixel
// centres are compared in doubled coordinates, so the result is exact and symmetric.
bool EllipseSpan(int l, int t, int r, int b, int y, int& x0, int& x1) {
  long long W = (long long)r - l, H = (long long)b - t;
  if (W <= 0 || H <= 0 || y < t || y >= b) return false;
  long long dy2 = 2LL * y + 1 - ((long long)t + b);
  Int128 rhs = Int128(W) * W * (H * H - dy2 * dy2);
  Int128 h2 = Int128(H) * H;
  long long d = (long long)(double(W) * std::sqrt(double(H * H - dy2 * dy2)) / double(H));
  while (d > 0 && Int128(d) * d * h2 > rhs) --d;
  while (Int128(d + 1) * (d + 1) * h2 <= rhs) ++d;
  long long c = (long long)l + r - 1;
  x0 = int(CeilDiv(c - d, 2));
  x1 = int(FloorDiv(c + d, 2)) + 1;
  return x0 < x1;
}

bool ShapeSpan(const Shape& s, int y, int& x0, int& x1) {
  if (y < s.t || y >= s.b || s.r <= s.l) return false;
  switch (s.kind) {
    case kShapeRect:
      x0 = s.l;
      x1 = s.r;
      return true;
    case kShapeEllipse:
      return EllipseSpan(s.l, s.t, s.r, s.b, y, x0, x1);
    case kShapeRoundRect: {
      int cw = std::min(s.cw, s.r - s.l), ch = std::min(s.ch, s.b - s.t);
      x0 = s.l;
      x1 = s.r;
      if (cw < 2 || ch < 2) return true;
      int corner_rows = ch / 2;
      int et;
      if (y < s.t + corner_rows)
        et = s.t;
      else if (y >= s.b - corner_rows)
        et = s.b - ch;
      else
        return true;
      int a0, a1, b0, b1;
      if (!EllipseSpan(s.l, et, s.l + cw, et + ch, y, a0, a1)) return false;
      if (!EllipseSpan(s.r - cw, et, s.r, et + ch, y, b0, b1)) return false;
      x0 = a0;
      x1 = b1;
      return x0 < x1;
    }
  }
  return false;
}

// Dash patterns of one-pixel pens: lengths of on, off, on, off, ...
struct DashPattern {
  const int* lengths;
  int count;
};
constexpr int kDash[] = {18, 6};
constexpr int kDot[] = {3, 3};
constexpr int kDashDot[] = {9, 6, 3, 6};
constexpr int kDashDotDot[] = {9, 3, 3, 3, 3, 3};

DashPattern PatternOf(PenStyle style) {
  switch (style) {
    case PenStyle::kDash:
      return {kDash, 2};
    case PenStyle::kDot:
      return {kDot, 2};
    case PenStyle::kDashDot:
      return {kDashDot, 4};
    case PenStyle::kDashDotDot:
      return {kDashDotDot, 6};
    default:
      return {nullptr, 0};
  }
}

bool DashOn(const DashPattern& p, int pos) {
  int total = 0;
  for (int i = 0; i < p.count; ++i) total += p.lengths[i];
  pos %= total;
  for (int i = 0; i < p.count; ++i) {
    if (pos < p.lengths[i]) return i % 2 == 0;
    pos -= p.lengths[i];
  }
  return true;
}

// Row spans of a round pen tip w pixels across, relative to its top-left corner.
void DiscRows(int w, std::vector<std::pair<int, int>>& rows) {
  rows.clear();
  for (int j = 0; j < w; ++j) {
    int first = w, last = -1;
    for (int i = 0; i < w; ++i) {
      long long dx = 2LL * i + 1 - w, dy = 2LL * j + 1 - w;
      if (dx * dx + dy * dy <= (long long)w * w) {
        first = std::min(first, i);
        last = i;
      }
    }
    rows.emplace_back(first, last + 1);
  }
}

}  // namespace

Canvas::Canvas(Bitmap& target) : bitmap_(&target) {}
Canvas::Canvas(const PixelBuffer& target) : buffer_(target) {}
Canvas::~Canvas() = default;

PixelBuffer Canvas::Buffer() const {
  if (!bitmap_) return buffer_;
  PixelBuffer b;
  b.pixels = const_cast<uint32_t*>(static_cast<const Bitmap*>(bitmap_)->Pixels());
  b.width = bitmap_->Width();
  b.height = bitmap_->Height();
  b.stride = bitmap_->Width();
  b.alpha = bitmap_->PixelFormat() == fw::PixelFormat::k32Bit ? 0xFF000000u : 0u;
  return b;
}

int Canvas::Width() const {
  return Buffer().width;
}
int Canvas::Height() const {
  return Buffer().height;
}

Rect Canvas::DeviceClip() const {
  PixelBuffer b = Buffer();
  Rect full{0, 0, b.width, b.height};
  if (!b.pixels) return Rect{};
  return clip_set_ ? clip_.Intersect(full) : full;
}

Rect Canvas::ClipRect() const {
  return clip_set_ ? clip_ : Rect{0, 0, Width(), Height()};
}

void Canvas::SetOrigin(Point origin) {
  origin_ = {ClampCoord(origin.x), ClampCoord(origin.y)};
}

void Canvas::SetClipRect(const Rect& clip) {
  clip_ = clip;
  clip_set_ = true;
}

void Canvas::ResetClip() {
  clip_set_ = false;
}

Rect Canvas::LogicalClipRect() const {
  return DeviceClip().Offset(-origin_.x, -origin_.y);
}

namespace {
Target MakeTarget(const PixelBuffer& b, const Rect& clip) {
  return Target{b, clip};
}

Paint BrushPaint(const Brush& brush, Point origin) {
  Paint p;
  p.rgb = ColorToRgb(brush.Color());
  if (brush.Bitmap() && !brush.Bitmap()->Empty()) {
    p.pattern = brush.Bitmap().get();
    p.pattern_origin = origin;
  }
  return p;
}
}  // namespace

void Canvas::DrawSegment(Point from, Point to, bool last_point) {
  if (pen_.Style() == PenStyle::kClear) return;
  Target t = MakeTarget(Buffer(), DeviceClip());
  long long x0 = ClampCoord((long long)from.x + origin_.x);
  long long y0 = ClampCoord((long long)from.y + origin_.y);
  long long x1 = ClampCoord((long long)to.x + origin_.x);
  long long y1 = ClampCoord((long long)to.y + origin_.y);
  int w = pen_.Width();
  long long dx = x1 - x0, dy = y1 - y0;
  long long n = std::max(std::llabs(dx), std::llabs(dy));
  // Points 0..n lie on the line; a one-pixel pen leaves the last one out.
  long long count = w == 1 && !last_point ? n : n + 1;
  int start_style = style_pos_;
  style_pos_ = int((style_pos_ + count) % 1000000);
  if (count <= 0 || t.clip.IsEmpty()) return;

  // Step along the major axis; the minor coordinate of step i is the rounded exact value.
  // Only the steps whose major coordinate can touch the clip area are visited.
  bool x_major = std::llabs(dx) >= std::llabs(dy);
  long long m0 = x_major ? x0 : y0, d_major = x_major ? dx : dy;
  long long n0 = x_major ? y0 : x0, d_minor = x_major ? dy : dx;
  long long step = d_major >= 0 ? 1 : -1;
  long long lo = (x_major ? t.clip.left : t.clip.top) - w;
  long long hi = (x_major ? t.clip.right : t.clip.bottom) + w;
  long long first = 0, last = count - 1;
  if (step > 0) {
    first = std::max(first, lo - m0);
    last = std::min(last, hi - m0);
  } else {
    first = std::max(first, m0 - hi);
    last = std::min(last, m0 - lo);
  }
  uint32_t rgb = ColorToRgb(pen_.Color());
  DashPattern dash = w == 1 ? PatternOf(pen_.Style()) : DashPattern{nullptr, 0};
  std::vector<std::pair<int, int>> disc;
  if (w > 1) DiscRows(w, disc);
  int half = (w - 1) / 2;
  Paint paint{rgb, nullptr, {}};
  for (long long i = first; i <= last; ++i) {
    long long m = m0 + i * step;
    long long minor = n == 0 ? n0 : n0 + FloorDiv(2 * i * d_minor + n, 2 * n);
    int x = int(x_major ? m : minor), y = int(x_major ? minor : m);
    if (w == 1) {
      if (!dash.lengths || DashOn(dash, int((start_style + i) % 1000000))) PutPixel(t, x, y, rgb);
    } else {
      for (int j = 0; j < w; ++j)
        FillSpan(t, y - half + j, x - half + disc[size_t(j)].first,
                 x - half + disc[size_t(j)].second, paint);
    }
  }
}

void Canvas::LineTo(int x, int y) {
  DrawSegment(pen_pos_, {x, y}, false);
  pen_pos_ = {x, y};
}

void Canvas::Polyline(std::span<const Point> points) {
  style_pos_ = 0;
  for (size_t i = 1; i < points.size(); ++i) DrawSegment(points[i - 1], points[i], false);
}

void Canvas::Polygon(std::span<const Point> points) {
  if (points.empty()) return;
  Target t = MakeTarget(Buffer(), DeviceClip());
  if (!brush_.IsClear() && points.size() >= 3 && !t.clip.IsEmpty()) {
    std::vector<std::pair<double, double>> v;
    v.reserve(points.size());
    double top = 1e18, bottom = -1e18;
    for (const Point& p : points) {
      double px = ClampCoord((long long)p.x + origin_.x),
             py = ClampCoord((long long)p.y + origin_.y);
      v.emplace_back(px, py);
      top = std::min(top, py);
      bottom = std::max(bottom, py);
    }
    Paint paint = BrushPaint(brush_, origin_);
    int y_first = std::max(t.clip.top, int(std::floor(top)));
    int y_last = std::min(t.clip.bottom, int(std::ceil(bottom)) + 1);
    std::vector<double> xs;
    for (int y = y_first; y < y_last; ++y) {
      double yc = y + 0.5;
      xs.clear();
      for (size_t i = 0; i < v.size(); ++i) {
        auto [ax, ay] = v[i];
        auto [bx, by] = v[(i + 1) % v.size()];
        if (ay == by) continue;
        if ((yc >= std::min(ay, by)) && (yc < std::max(ay, by)))
          xs.push_back(ax + (yc - ay) * (bx - ax) / (by - ay));
      }
      std::sort(xs.begin(), xs.end());
      // Alternate filling: pixels whose centres lie between pairs of crossings.
      for (size_t i = 0; i + 1 < xs.size(); i += 2) {
        int a = int(std::ceil(xs[i] - 0.5)), b = int(std::ceil(xs[i + 1] - 0.5));
        FillSpan(t, y, a, b, paint);
      }
    }
  }
  style_pos_ = 0;
  for (size_t i = 0; i < points.size(); ++i)
    DrawSegment(points[i], points[(i + 1) % points.size()], points.size() == 1);
}

void Canvas::FillShapeWithPen(int kind, int l, int t0, int r, int b, int cw, int ch) {
  Target t = MakeTarget(Buffer(), DeviceClip());
  if (t.clip.IsEmpty()) return;
  l = ClampCoord((long long)l + origin_.x);
  r = ClampCoord((long long)r + origin_.x);
  t0 = ClampCoord((long long)t0 + origin_.y);
  b = ClampCoord((long long)b + origin_.y);
  if (r < l) std::swap(l, r);
  if (b < t0) std::swap(t0, b);
  cw = std::abs(ClampCoord(cw));
  ch = std::abs(ClampCoord(ch));
  bool fill = !brush_.IsClear();
  Paint brush = BrushPaint(brush_, origin_);
  Paint pen{ColorToRgb(pen_.Color()), nullptr, {}};
  Shape outer{ShapeKind(kind), l, t0, r, b, cw, ch};
  if (pen_.Style() == PenStyle::kClear) {
    if (!fill) return;
    for (int y = std::max(t0, t.clip.top); y < std::min(b, t.clip.bottom); ++y) {
      int a0, a1;
      if (ShapeSpan(outer, y, a0, a1)) FillSpan(t, y, a0, a1, brush);
    }
    return;
  }
  int w = pen_.Width();
  if (w == 1) {
    for (int y = std::max(t0, t.clip.top); y < std::min(b, t.clip.bottom); ++y) {
      int a0, a1, p0, p1, n0, n1;
      if (!ShapeSpan(outer, y, a0, a1)) continue;
      int c = a1, d = a0;  // the part covered by both neighbouring rows
      if (ShapeSpan(outer, y - 1, p0, p1) && ShapeSpan(outer, y + 1, n0, n1)) {
        c = std::max(p0, n0);
        d = std::min(p1, n1);
      }
      int i0 = std::max(a0 + 1, c), i1 = std::min(a1 - 1, d);
      if (i0 < i1) {
        if (fill) FillSpan(t, y, i0, i1, brush);
        FillSpan(t, y, a0, i0, pen);
        FillSpan(t, y, i1, a1, pen);
      } else {
        FillSpan(t, y, a0, a1, pen);
      }
    }
    return;
  }
  // Wide pens lie centred on the outline.
  int lo = (w - 1) / 2, hi = w / 2;
  outer = Shape{ShapeKind(kind), l - lo, t0 - lo, r + hi, b + hi, cw + w - 1, ch + w - 1};
  Shape inner{ShapeKind(kind),
              outer.l + w,
              outer.t + w,
              outer.r - w,
              outer.b - w,
              std::max(0, cw - w - 1),
              std::max(0, ch - w - 1)};
  for (int y = std::max(outer.t, t.clip.top); y < std::min(outer.b, t.clip.bottom); ++y) {
    int a0, a1, i0, i1;
    if (!ShapeSpan(outer, y, a0, a1)) continue;
    if (ShapeSpan(inner, y, i0, i1) && i0 < i1) {
      if (fill) FillSpan(t, y, i0, i1, brush);
      FillSpan(t, y, a0, i0, pen);
      FillSpan(t, y, i1, a1, pen);
    } else {
      FillSpan(t, y, a0, a1, pen);
    }
  }
}

void Canvas::Rectangle(int left, int top, int right, int bottom) {
  left = ClampCoord(left);
  top = ClampCoord(top);
  right = ClampCoord(right);
  bottom = ClampCoord(bottom);
  PenStyle style = pen_.Style();
  if (pen_.Width() == 1 && style != PenStyle::kSolid && style != PenStyle::kClear) {
    // A patterned outline runs round the rectangle; the inside is the brush's.
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    if (!brush_.IsClear()) {
      Target t = MakeTarget(Buffer(), DeviceClip());
      Paint brush = BrushPaint(brush_, origin_);
      Rect inner = Rect{left + 1, top + 1, right - 1, bottom - 1}.Offset(origin_.x, origin_.y);
      for (int y = std::max(inner.top, t.clip.top); y < std::min(inner.bottom, t.clip.bottom); ++y)
        FillSpan(t, y, inner.left, inner.right, brush);
    }
    if (right - left < 1 || bottom - top < 1) return;
    Point corners[] = {{left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}};
    style_pos_ = 0;
    for (int i = 0; i < 4; ++i) DrawSegment(corners[i], corners[(i + 1) % 4], false);
    return;
  }
  FillShapeWithPen(kShapeRect, left, top, right, bottom, 0, 0);
}

void Canvas::Ellipse(int left, int top, int right, int bottom) {
  FillShapeWithPen(kShapeEllipse, left, top, right, bottom, 0, 0);
}

void Canvas::RoundRect(int left, int top, int right, int bottom, int corner_width,
                       int corner_height) {
  FillShapeWithPen(kShapeRoundRect, left, top, right, bottom, corner_width, corner_height);
}

void Canvas::FillRect(const Rect& r) {
  if (brush_.IsClear()) return;
  Target t = MakeTarget(Buffer(), DeviceClip());
  Paint brush = BrushPaint(brush_, origin_);
  Rect d{ClampCoord((long long)r.left + origin_.x), ClampCoord((long long)r.top + origin_.y),
         ClampCoord((long long)r.right + origin_.x), ClampCoord((long long)r.bottom + origin_.y)};
  for (int y = std::max(d.top, t.clip.top); y < std::min(d.bottom, t.clip.bottom); ++y)
    FillSpan(t, y, d.left, d.right, brush);
}

void Canvas::FrameRect(const Rect& area) {
  Rect r = raster::Limit(area);
  if (r.IsEmpty()) return;
  BrushStyle saved = brush_.Style();
  if (saved == BrushStyle::kClear && !brush_.Bitmap()) return;
  FillRect({r.left, r.top, r.right, r.top + 1});
  FillRect({r.left, r.bottom - 1, r.right, r.bottom});
  FillRect({r.left, r.top + 1, r.left + 1, r.bottom - 1});
  FillRect({r.right - 1, r.top + 1, r.right, r.bottom - 1});
}

void Canvas::DrawFocusRect(const Rect& area) {
  Rect r = raster::Limit(area);
  if (r.IsEmpty()) return;
  Target t = MakeTarget(Buffer(), DeviceClip());
  Rect d = r.Offset(origin_.x, origin_.y);
  auto invert = [&](int x, int y) {
    if (((x + y) & 1) == 0 && t.Inside(x, y)) t.Row(y)[x] ^= 0x00FFFFFF;
  };
  for (int x = d.left; x < d.right; ++x) {
    invert(x, d.top);
    if (d.bottom - 1 != d.top) invert(x, d.bottom - 1);
  }
  for (int y = d.top + 1; y < d.bottom - 1; ++y) {
    invert(d.left, y);
    if (d.right - 1 != d.left) invert(d.right - 1, y);
  }
}

void Canvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  for (int* v : {&x1, &y1, &x2, &y2, &x3, &y3, &x4, &y4}) *v = ClampCoord(*v);
  if (pen_.Style() == PenStyle::kClear) return;
  Target t = MakeTarget(Buffer(), DeviceClip());
  if (t.clip.IsEmpty()) return;
  int l = std::min(x1, x2), r = std::max(x1, x2), tp = std::min(y1, y2), b = std::max(y1, y2);
  double cx = (l + r) / 2.0, cy = (tp + b) / 2.0;
  // Angles counter-clockwise as seen on the screen (y grows downwards).
  auto angle = [&](double x, double y) { return std::atan2(-(y - cy), x - cx); };
  const double two_pi = 2 * std::numbers::pi;
  double start = angle(x3, y3), end = angle(x4, y4);
  double sweep = std::fmod(end - start + 2 * two_pi, two_pi);
  if (sweep == 0) sweep = two_pi;
  int ox = origin_.x, oy = origin_.y;
  uint32_t rgb = ColorToRgb(pen_.Color());
  // Pixels are judged by their centres, with a little slack so that the pixels on the
  // start and end rays belong to the arc.
  double slack = 0.7 / std::max(1.0, std::min(r - l, b - tp) / 2.0);
  auto put = [&](int dx, int dy) {  // device pixel
    double a = angle(dx - ox + 0.5, dy - oy + 0.5);
    double rel = std::fmod(a - start + slack + 2 * two_pi, two_pi);
    if (rel <= sweep + 2 * slack) PutPixel(t, dx, dy, rgb);
  };
  int w = pen_.Width();
  int lo = (w - 1) / 2, hi = w / 2;
  Shape outer{kShapeEllipse,
              ClampCoord((long long)l + ox - lo),
              ClampCoord((long long)tp + oy - lo),
              ClampCoord((long long)r + ox + hi),
              ClampCoord((long long)b + oy + hi),
              0,
              0};
  Shape inner{kShapeEllipse, outer.l + w, outer.t + w, outer.r - w, outer.b - w, 0, 0};
  for (int y = std::max(outer.t, t.clip.top); y < std::min(outer.b, t.clip.bottom); ++y) {
    int a0, a1;
    if (!ShapeSpan(outer, y, a0, a1)) continue;
    int c = a1, d = a0;
    if (w == 1) {
      int p0, p1, n0, n1;
      if (ShapeSpan(outer, y - 1, p0, p1) && ShapeSpan(outer, y + 1, n0, n1)) {
        c = std::max(a0 + 1, std::max(p0, n0));
        d = std::min(a1 - 1, std::min(p1, n1));
      }
    } else {
      int i0, i1;
      if (ShapeSpan(inner, y, i0, i1)) {
        c = i0;
        d = i1;
      }
    }
    if (c >= d) {
      c = a1;
      d = a1;
    }
    for (int x = std::max(a0, t.clip.left); x < std::min(c, t.clip.right); ++x) put(x, y);
    for (int x = std::max(d, t.clip.left); x < std::min(a1, t.clip.right); ++x) put(x, y);
  }
}

Color Canvas::GetPixel(int x, int y) const {
  Rect clip = DeviceClip();
  PixelBuffer b = Buffer();
  long long dx = (long long)x + origin_.x, dy = (long long)y + origin_.y;
  if (dx < clip.left || dx >= clip.right || dy < clip.top || dy >= clip.bottom) return clNone;
  return RgbToColor(b.pixels[size_t(dy) * size_t(b.stride) + size_t(dx)] & 0x00FFFFFF);
}

void Canvas::SetPixel(int x, int y, Color color) {
  Target t = MakeTarget(Buffer(), DeviceClip());
  long long dx = (long long)x + origin_.x, dy = (long long)y + origin_.y;
  if (dx < t.clip.left || dx >= t.clip.right || dy < t.clip.top || dy >= t.clip.bottom) return;
  PutPixel(t, int(dx), int(dy), ColorToRgb(color));
}

}  // namespace somnara::fw
