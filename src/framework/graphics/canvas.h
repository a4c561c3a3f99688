#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/brush.h"
#include "framework/graphics/color.h"
#include "framework/graphics/font.h"
#include "framework/graphics/pen.h"
#include "framework/graphics/pixel_buffer.h"
#include "platform/geometry.h"

namespace somnara::fw {

// DrawText flags, with the desktop platform's names and values.
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_HIDEPREFIX = 0x100000;  // "&" is removed but nothing is underlined

// Draws on a Bitmap or on any pixel buffer. Coordinates given to the drawing calls are
// logical; the origin (device pixels) is added to them. Everything is clipped to the clip
// rectangle (device pixels) and to the buffer. Shapes follow the desktop platform's rules:
// right and bottom edges of rectangles lie outside, LineTo does not draw its end point.
// Colours are colour words (system colours allowed).
class Canvas {
 public:
  explicit Canvas(Bitmap& target);
  explicit Canvas(const PixelBuffer& target);
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas();

  fw::Pen& Pen() { return pen_; }
  const fw::Pen& Pen() const { return pen_; }
  fw::Brush& Brush() { return brush_; }
  const fw::Brush& Brush() const { return brush_; }
  fw::Font& Font() { return font_; }
  const fw::Font& Font() const { return font_; }

  // Pixel size of what the canvas draws on.
  int Width() const;
  int Height() const;

  Point Origin() const { return origin_; }
  void SetOrigin(Point origin);
  // Device pixels; intersected with the buffer when used. ResetClip: the whole buffer.
  Rect ClipRect() const;
  void SetClipRect(const Rect& clip);
  void ResetClip();
  // Clip rectangle in logical coordinates (the device rectangle less the origin).
  Rect LogicalClipRect() const;

  // Origin and clip together, for painting a child and putting things back afterwards.
  struct State {
    Point origin;
    Rect clip;
    bool clipped = false;
  };
  State SaveState() const { return {origin_, clip_, clip_set_}; }
  void RestoreState(const State& s) {
    origin_ = s.origin;
    clip_ = s.clip;
    clip_set_ = s.clipped;
  }

  Point PenPos() const { return pen_pos_; }
  void SetPenPos(Point p) { pen_pos_ = p; }
  void MoveTo(int x, int y) { pen_pos_ = {x, y}; }
  void LineTo(int x, int y);
  void Polyline(std::span<const Point> points);
  // Outline with the pen, inside with the brush; the figure closes itself.
  void Polygon(std::span<const Point> points);

  void Rectangle(int left, int top, int right, int bottom);
  void Rectangle(const Rect& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
  void FillRect(const Rect& r);
  // One-pixel frame in the brush colour (pattern brushes frame with their pattern).
  void FrameRect(const Rect& r);
  // Inverts every other pixel along the rectangle's edges; drawing it twice restores.
  void DrawFocusRect(const Rect& r);
  void Ellipse(int left, int top, int right, int bottom);
  void Ellipse(const Rect& r) { Ellipse(r.left, r.top, r.right, r.bottom); }
  void RoundRect(int left, int top, int right, int bottom, int corner_width, int corner_height);
  // The part of the ellipse bounded by (x1,y1)-(x2,y2) running counter-clockwise from the
  // ray towards (x3,y3) to the ray towards (x4,y4), drawn with the pen.
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);

  // Text: UTF-8. TextOut draws from (x, y) = top-left of the text cell; with a clear brush
  // only the glyphs are drawn, else the cell behind them is filled with the brush colour.
  // The pen position moves to the end of the text.
  void TextOut(int x, int y, std::string_view text);
  // TextOut limited to a rectangle (the background fill, when any, covers the rectangle).
  void TextRect(const Rect& r, int x, int y, std::string_view text);
  int TextWidth(std::string_view text);
  int TextHeight(std::string_view text);
  Size TextExtent(std::string_view text);
  // Lays out and draws text in rect. Returns the height of the drawn text (from rect's top
  // when vertically aligned). DT_CALCRECT draws nothing and moves rect's right and bottom
  // to the text's extent. DT_VCENTER and DT_BOTTOM act with DT_SINGLELINE only; word breaks
  // fall at spaces, a word wider than the rectangle stays whole; line breaks are CR, LF and
  // CR LF; tabs (DT_EXPANDTABS) stop every eight average character widths; with a solid
  // brush each line's cell is filled with the brush colour first.
  int DrawText(std::string_view text, Rect& rect, unsigned flags);

  // Bitmaps: pixels are copied unscaled; a Transparent bitmap skips its transparent colour.
  void Draw(int x, int y, const Bitmap& bitmap);
  // Scaled by nearest-neighbour sampling to fill dest; honours transparency like Draw.
  void StretchDraw(const Rect& dest, const Bitmap& bitmap);
  // Only the source part of the bitmap (its pixel coordinates), scaled to dest, with the
  // bitmap's transparency: for slicing one picture into corners, edges and middle.
  void StretchDraw(const Rect& dest, const Bitmap& bitmap, const Rect& source);
  // Copies a part of a bitmap, scaled to dest, leaving out every pixel of colour key
  // whatever the bitmap's own transparency settings.
  void TransparentCopy(const Rect& dest, const Bitmap& bitmap, const Rect& source, fw::Color key);
  // Copies (scaled when the sizes differ) a part of another picture, no transparency.
  void CopyRect(const Rect& dest, const Canvas& source, const Rect& source_rect);
  void CopyRect(const Rect& dest, const Bitmap& source, const Rect& source_rect);

  // "Pixels[x, y]" in logical coordinates; outside the clip or buffer reads clNone and
  // writes nothing.
  fw::Color GetPixel(int x, int y) const;
  void SetPixel(int x, int y, fw::Color color);

 private:
  PixelBuffer Buffer() const;
  Rect DeviceClip() const;
  void DrawSegment(Point from, Point to, bool last_point);
  void FillShapeWithPen(int kind, int left, int top, int right, int bottom, int cw, int ch);
  void BlitScaled(const Rect& dest, const PixelBuffer& src, const Rect& src_rect, bool use_key,
                  uint32_t key, bool blend);

  Bitmap* bitmap_ = nullptr;
  PixelBuffer buffer_;
  Point origin_;
  Rect clip_;
  bool clip_set_ = false;
  Point pen_pos_;
  int style_pos_ = 0;  // place in the pen's dash pattern
  fw::Pen pen_;
  fw::Brush brush_;
  fw::Font font_;
};

}  // namespace somnara::fw
