// Pictures onto the canvas: Draw, StretchDraw and CopyRect.
#include <cstdlib>
#include <vector>

#include "framework/graphics/canvas.h"
#include "framework/graphics/canvas_raster.h"

namespace somnara::fw {

namespace {

PixelBuffer BufferOf(const Bitmap& b) {
  return PixelBuffer{const_cast<uint32_t*>(b.Pixels()), b.Width(), b.Height(), b.Width(), 0};
}

uint8_t Mix(uint32_t d, uint32_t s, uint32_t a) {
  return uint8_t((s * a + d * (255 - a) + 127) / 255);
}

}  // namespace

void Canvas::BlitScaled(const Rect& dest_in, const PixelBuffer& src_in, const Rect& src_in_rect,
                        bool use_key, uint32_t key, bool blend) {
  Rect dest = raster::Limit(dest_in), src_rect = raster::Limit(src_in_rect);
  raster::Target t{Buffer(), DeviceClip()};
  if (t.clip.IsEmpty() || !src_in.pixels) return;
  long long dl = (long long)dest.left + origin_.x, dr = (long long)dest.right + origin_.x;
  long long dt = (long long)dest.top + origin_.y, db = (long long)dest.bottom + origin_.y;
  long long sl = src_rect.left, sr = src_rect.right, st = src_rect.top, sb = src_rect.bottom;
  if (dl == dr || dt == db || sl == sr || st == sb) return;
  // Opposite directions of source and destination mirror the picture.
  bool mirror_x = (dr < dl) != (sr < sl), mirror_y = (db < dt) != (sb < st);
  if (dr < dl) std::swap(dl, dr);
  if (db < dt) std::swap(dt, db);
  if (sr < sl) std::swap(sl, sr);
  if (sb < st) std::swap(st, sb);
  long long dw = dr - dl, dh = db - dt, sw = sr - sl, sh = sb - st;

  int x_first = int(std::max<long long>(dl, t.clip.left));
  int x_last = int(std::min<long long>(dr, t.clip.right));
  int y_first = int(std::max<long long>(dt, t.clip.top));
  int y_last = int(std::min<long long>(db, t.clip.bottom));
  if (x_first >= x_last || y_first >= y_last) return;

  // Reading and writing the same pixels: read from a copy.
  PixelBuffer src = src_in;
  std::vector<uint32_t> copy;
  if (src.pixels == t.buf.pixels) {
    copy.assign(src.pixels, src.pixels + size_t(src.stride) * size_t(src.height));
    src.pixels = copy.data();
  }

  // Source column for each destination column: pixel centres map onto pixel centres.
  std::vector<int> columns(size_t(x_last - x_first));
  for (int x = x_first; x < x_last; ++x) {
    long long i = x - dl;
    long long si = dw == sw ? i : ((2 * i + 1) * sw) / (2 * dw);
    if (mirror_x) si = sw - 1 - si;
    long long sx = sl + si;
    columns[size_t(x - x_first)] = sx < 0 || sx >= src.width ? -1 : int(sx);
  }
  uint32_t alpha = t.buf.alpha;
  for (int y = y_first; y < y_last; ++y) {
    long long j = y - dt;
    long long sj = dh == sh ? j : ((2 * j + 1) * sh) / (2 * dh);
    if (mirror_y) sj = sh - 1 - sj;
    long long sy = st + sj;
    if (sy < 0 || sy >= src.height) continue;
    const uint32_t* srow = src.pixels + size_t(sy) * size_t(src.stride);
    uint32_t* drow = t.Row(y);
    for (int x = x_first; x < x_last; ++x) {
      int sx = columns[size_t(x - x_first)];
      if (sx < 0) continue;
      uint32_t p = srow[sx];
      if (use_key && (p & 0x00FFFFFF) == key) continue;
      if (blend) {
        uint32_t a = p >> 24;
        if (a == 0) continue;
        if (a < 255) {
          uint32_t d = drow[x];
          uint32_t r = Mix((d >> 16) & 0xFF, (p >> 16) & 0xFF, a);
          uint32_t g = Mix((d >> 8) & 0xFF, (p >> 8) & 0xFF, a);
          uint32_t b = Mix(d & 0xFF, p & 0xFF, a);
          drow[x] = (r << 16) | (g << 8) | b | alpha;
          continue;
        }
      }
      drow[x] = (p & 0x00FFFFFF) | alpha;
    }
  }
}

void Canvas::Draw(int x, int y, const Bitmap& bitmap) {
  x = raster::Limit(x);
  y = raster::Limit(y);
  StretchDraw(Rect::FromSize(x, y, bitmap.Width(), bitmap.Height()), bitmap);
}

void Canvas::StretchDraw(const Rect& dest, const Bitmap& bitmap) {
  if (bitmap.Empty()) return;
  bool keyed = bitmap.Transparent();
  uint32_t key = keyed ? ColorToRgb(bitmap.TransparentColor()) : 0;
  BlitScaled(dest, BufferOf(bitmap), Rect{0, 0, bitmap.Width(), bitmap.Height()}, keyed, key,
             bitmap.PixelFormat() == fw::PixelFormat::k32Bit);
}

void Canvas::StretchDraw(const Rect& dest, const Bitmap& bitmap, const Rect& source) {
  if (bitmap.Empty()) return;
  bool keyed = bitmap.Transparent();
  uint32_t key = keyed ? ColorToRgb(bitmap.TransparentColor()) : 0;
  BlitScaled(dest, BufferOf(bitmap), source, keyed, key,
             bitmap.PixelFormat() == fw::PixelFormat::k32Bit);
}

void Canvas::TransparentCopy(const Rect& dest, const Bitmap& bitmap, const Rect& source,
                             Color key) {
  BlitScaled(dest, BufferOf(bitmap), source, true, ColorToRgb(key), false);
}

void Canvas::CopyRect(const Rect& dest, const Canvas& source, const Rect& source_rect) {
  PixelBuffer src = source.Buffer();
  src.alpha = 0;
  BlitScaled(dest, src, raster::Limit(source_rect).Offset(source.origin_.x, source.origin_.y),
             false, 0, false);
}

void Canvas::CopyRect(const Rect& dest, const Bitmap& source, const Rect& source_rect) {
  BlitScaled(dest, BufferOf(source), source_rect, false, 0, false);
}

}  // namespace somnara::fw
