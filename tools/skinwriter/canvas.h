#pragma once

#include <cstdint>
#include <vector>

#include "picture/pixel_buffer.h"
#include "picture/rgb.h"

namespace somnara::skinwriter {

using picture::kMagenta;
using picture::Mix;
using picture::Rgb;

// The platform colour word of a colour: red in the low byte.
int32_t ColorWord(Rgb c);

// The skin's pictures being drawn, rows top to bottom, with the shapes they are made of.
// Drawing outside it is clipped.
class Canvas {
 public:
  Canvas(int width, int height, Rgb fill = kMagenta);

  int Width() const { return pixels_.width; }
  int Height() const { return pixels_.height; }
  const picture::PixelBuffer& Pixels() const { return pixels_; }
  Rgb Get(int x, int y) const;
  void Put(int x, int y, Rgb c);
  // Covers the pixel by `alpha` (0..1) of c.
  void Blend(int x, int y, Rgb c, double alpha);

  void FillRect(int x0, int y0, int x1, int y1, Rgb c);  // half-open ranges
  void VerticalGradient(int x0, int y0, int x1, int y1, Rgb top, Rgb bottom);
  void HorizontalGradient(int x0, int y0, int x1, int y1, Rgb left, Rgb right);
  void HLine(int x0, int x1, int y, Rgb c);  // inclusive
  void VLine(int x, int y0, int y1, Rgb c);  // inclusive
  // A line of the given thickness, anti-aliased.
  void Line(double x0, double y0, double x1, double y1, double thickness, Rgb c);
  // Paints `outside` on every pixel that lies outside the rounded rectangle (x0, y0) ..
  // (x1, y1) (half-open) with the given corner radius. With `smooth`, edge pixels are mixed
  // with their current colour instead (for opaque pictures).
  void ClearOutsideRoundRect(int x0, int y0, int x1, int y1, double radius, Rgb outside,
                             bool smooth);
  // Traces the border of that rounded rectangle in c.
  void RoundRectBorder(int x0, int y0, int x1, int y1, double radius, Rgb c);
  void Blit(const Canvas& source, int x, int y);

  // A 24-bit bottom-up BMP file image.
  std::vector<uint8_t> ToBmp() const;

 private:
  picture::PixelBuffer pixels_;
};

}  // namespace somnara::skinwriter
