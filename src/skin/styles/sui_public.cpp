#include "skin/styles/sui_public.h"

#include <algorithm>
#include <string>
#include <vector>

#include "framework/class_info.h"
#include "framework/exceptions.h"
#include "framework/messages.h"
#include "framework/win_control.h"
#include "skin/styles/tsui_theme_base.h"

namespace somnara::skin {

namespace {

bool Drawable(const Rect& r) {
  return r.right > r.left && r.bottom > r.top;
}

// Copies a part of the picture, leaving out `key` unless it is clNone.
void Blit(fw::Canvas& canvas, const Rect& dest, const fw::Bitmap& picture, const Rect& source,
          fw::Color key) {
  if (!Drawable(dest) || !Drawable(source)) return;
  if (key == fw::clNone)
    canvas.CopyRect(dest, picture, source);
  else
    canvas.TransparentCopy(dest, picture, source, key);
}

// Pixel words are kept in the target's own format: 24-bit pictures carry no alpha.
uint32_t Convert(uint32_t pixel, fw::PixelFormat from, fw::PixelFormat to) {
  if (to == fw::PixelFormat::k24Bit) return pixel & 0x00FFFFFF;
  if (from == fw::PixelFormat::k24Bit) return pixel | 0xFF000000;
  return pixel;
}

int FloorDiv(int a, int b) {
  int q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

void SplitPiece(const fw::Bitmap& source, fw::Bitmap& target, int frame_count, int frame_index) {
  if (frame_count < 1 || frame_index < 1 || frame_index > frame_count)
    throw fw::Exception("Frame " + std::to_string(frame_index) + " of " +
                        std::to_string(frame_count) + " does not exist");
  int width = source.Width() / frame_count;
  int height = source.Height();
  int left = frame_index == frame_count ? source.Width() - width : (frame_index - 1) * width;
  // Read everything first: source and target may be the same bitmap.
  std::vector<uint32_t> piece(size_t(width) * size_t(height));
  for (int y = 0; y < height; ++y)
    std::copy_n(source.Scanline(y) + left, width, piece.begin() + ptrdiff_t(y) * width);
  fw::PixelFormat from = source.PixelFormat();
  target.SetSize(width, height);
  fw::PixelFormat to = target.PixelFormat();
  for (int y = 0; y < height; ++y) {
    uint32_t* row = target.Scanline(y);
    for (int x = 0; x < width; ++x) row[x] = Convert(piece[size_t(y) * width + x], from, to);
  }
}

void DrawThreeSlice(const fw::Bitmap& picture, fw::Canvas& canvas, const Rect& rect,
                    fw::Color transparent) {
  int slice = picture.Width() / 3;
  int height = picture.Height();
  if (slice == 0 || height == 0 || !Drawable(rect)) return;
  int top = rect.top;
  if (rect.Width() < slice) {
    Blit(canvas, {rect.left, top, rect.right, top + height}, picture, {0, 0, rect.Width(), height},
         transparent);
    return;
  }
  // The right cap is cut like the last frame of SplitPiece: from the picture's right edge.
  Rect left_cap{0, 0, slice, height};
  Rect middle{slice, 0, 2 * slice, height};
  Rect right_cap{picture.Width() - slice, 0, picture.Width(), height};
  Blit(canvas, {rect.left, top, rect.left + slice, top + height}, picture, left_cap, transparent);
  Blit(canvas, {rect.right - slice, top, rect.right, top + height}, picture, right_cap,
       transparent);
  Blit(canvas, {rect.left + slice, top, rect.right - slice, top + height}, picture, middle,
       transparent);
}

void DrawNineSlice(const fw::Bitmap& picture, fw::Canvas& canvas, const Rect& rect,
                   bool transparent) {
  int pw = picture.Width(), ph = picture.Height();
  if (pw == 0 || ph == 0 || !Drawable(rect)) return;
  int cx = pw / 2, cy = ph / 2;  // the middle column and row, one pixel each
  int w = rect.Width(), h = rect.Height();
  int lw = std::min(cx, w / 2), rw = std::min(pw - cx - 1, w / 2);
  int th = std::min(cy, h / 2), bh = std::min(ph - cy - 1, h / 2);
  int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
  fw::Color corner_key = transparent ? kSkinMagenta : fw::clNone;

  Blit(canvas, {l, t, l + lw, t + th}, picture, {0, 0, lw, th}, corner_key);
  Blit(canvas, {r - rw, t, r, t + th}, picture, {pw - rw, 0, pw, th}, corner_key);
  Blit(canvas, {l, b - bh, l + lw, b}, picture, {0, ph - bh, lw, ph}, corner_key);
  Blit(canvas, {r - rw, b - bh, r, b}, picture, {pw - rw, ph - bh, pw, ph}, corner_key);

  Blit(canvas, {l + lw, t, r - rw, t + th}, picture, {cx, 0, cx + 1, th}, kSkinMagenta);
  Blit(canvas, {l + lw, b - bh, r - rw, b}, picture, {cx, ph - bh, cx + 1, ph}, kSkinMagenta);
  Blit(canvas, {l, t + th, l + lw, b - bh}, picture, {0, cy, lw, cy + 1}, kSkinMagenta);
  Blit(canvas, {r - rw, t + th, r, b - bh}, picture, {pw - rw, cy, pw, cy + 1}, kSkinMagenta);
  Blit(canvas, {l + lw, t + th, r - rw, b - bh}, picture, {cx, cy, cx + 1, cy + 1}, kSkinMagenta);
}

void ReplaceColour(fw::Bitmap& bitmap, fw::Color from, fw::Color to) {
  bitmap.SetPixelFormat(fw::PixelFormat::k24Bit);
  uint32_t old_rgb = fw::ColorToRgb(from) & 0x00FFFFFF;
  uint32_t new_rgb = fw::ColorToRgb(to) & 0x00FFFFFF;
  uint32_t* p = bitmap.Pixels();
  size_t count = size_t(bitmap.Width()) * size_t(bitmap.Height());
  for (size_t i = 0; i < count; ++i)
    if ((p[i] & 0x00FFFFFF) == old_rgb) p[i] = new_rgb;
}

void RotateBitmap(fw::Bitmap& bitmap) {
  int w = bitmap.Width(), h = bitmap.Height();
  std::vector<uint32_t> old(bitmap.Pixels(), bitmap.Pixels() + size_t(w) * size_t(h));
  bitmap.SetSize(h, w);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bitmap.Scanline(w - 1 - x)[y] = old[size_t(y) * w + x];
}

void PaintParentBackground(fw::Canvas& canvas, const fw::Control& control) {
  fw::WinControl* parent = control.Parent();
  if (parent == nullptr) return;

  const fw::Canvas::State state = canvas.SaveState();
  const fw::Font font = canvas.Font();
  const fw::Brush brush = canvas.Brush();
  const fw::Pen pen = canvas.Pen();
  const Point shifted{state.origin.x - control.Left(), state.origin.y - control.Top()};
  const Rect clip = parent->ClientRect().Offset(shifted.x, shifted.y).Intersect(canvas.ClipRect());

  // The parent paints only within a paint pass of its own, which also paints all its
  // children, this control included. So the pass is started on this canvas, the parent's
  // erase and paint are pointed at the shifted place, and the pass is cut short right
  // after the parent's own paint, before any child is drawn.
  struct EndOfParentPaint {};
  fw::WindowProcedure original = parent->WindowProc;
  struct Restore {
    fw::WinControl& parent;
    fw::WindowProcedure& original;
    fw::Canvas& canvas;
    const fw::Canvas::State& state;
    const fw::Font& font;
    const fw::Brush& brush;
    const fw::Pen& pen;
    ~Restore() {
      parent.WindowProc = original;
      canvas.RestoreState(state);
      canvas.Font() = font;
      canvas.Brush() = brush;
      canvas.Pen() = pen;
    }
  } restore{*parent, original, canvas, state, font, brush, pen};
  if (clip.IsEmpty()) return;

  const auto canvas_word = reinterpret_cast<uintptr_t>(&canvas);
  parent->WindowProc = [&](fw::Message& m) {
    bool ours = (m.msg == fw::WM_ERASEBKGND || m.msg == fw::WM_PAINT) && m.wParam == canvas_word;
    if (ours) {
      canvas.SetOrigin(shifted);
      canvas.SetClipRect(clip);
    }
    if (original) original(m);
    if (ours && m.msg == fw::WM_PAINT) throw EndOfParentPaint{};
  };
  Point o = parent->WindowOrigin();
  try {
    parent->PaintTree(canvas, parent->ClientRect().Offset(o.x, o.y));
  } catch (const EndOfParentPaint&) {
  }
}

void TileDraw(fw::Canvas& canvas, const fw::Bitmap& picture, const Rect& rect) {
  int pw = picture.Width(), ph = picture.Height();
  if (pw == 0 || ph == 0 || !Drawable(rect)) return;
  // The grid is anchored at (0, 0), so neighbouring tiled areas line up; only the tiles
  // that reach into the rectangle are drawn, and nothing outside it.
  const fw::Canvas::State state = canvas.SaveState();
  Point o = canvas.Origin();
  canvas.SetClipRect(rect.Offset(o.x, o.y).Intersect(canvas.ClipRect()));
  for (long long y = (long long)FloorDiv(rect.top, ph) * ph; y < rect.bottom; y += ph)
    for (long long x = (long long)FloorDiv(rect.left, pw) * pw; x < rect.right; x += pw)
      canvas.Draw(int(x), int(y), picture);
  canvas.RestoreState(state);
}

void PropagateTheme(fw::WinControl& container, TsuiUIStyle ui_style, TsuiThemeBase* file_theme) {
  const std::vector<fw::Control*> children = container.Controls();
  for (fw::Control* child : children) {
    if (!fw::HasProperty(*child, "FileTheme") || !fw::HasProperty(*child, "UIStyle")) continue;
    fw::SetProperty(*child, "FileTheme", fw::Value::Of(file_theme));
    fw::SetProperty(*child, "UIStyle", fw::Value::Identifier(UIStyleName(ui_style)));
  }
}

}  // namespace somnara::skin
