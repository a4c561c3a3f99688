#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "framework/graphics/color.h"
#include "framework/graphics/font.h"
#include "framework/graphics/pixel_buffer.h"
#include "platform/geometry.h"

namespace somnara::fw {

// Vertical measures of a font in pixels, as the desktop platform reports them.
struct FontMetrics {
  int ascent = 0;            // baseline to the top of the cell
  int descent = 0;           // baseline to the bottom of the cell
  int height = 0;            // cell height = ascent + descent
  int internal_leading = 0;  // cell height less the em size
  int average_char_width = 0;
  int max_char_width = 0;
  int underline_position = 0;  // below the baseline
  int underline_thickness = 1;
};

// Text through FreeType; font files are found through the desktop's font catalogue
// (font_catalogue.h: fontconfig on Linux, font folders on Windows). Any face name maps to an
// installed sans face (DejaVu Sans first); characters the face lacks come from a fallback
// face that has them (CJK text from WenQuanYi Micro Hei or whatever the catalogue offers).
// Glyphs are greyscale-antialiased with fixed settings, so the same text always gives the
// same pixels. Glyph bitmaps are cached. All calls are serialised by one lock.
class TextRenderer {
 public:
  static TextRenderer& Instance();

  FontMetrics Metrics(const Font& font);
  // Advance width of UTF-8 text on one line (control characters count as nothing).
  int Width(const Font& font, std::string_view utf8);
  // Draws one line with the top of the cell at y and the pen starting at x; pixels are
  // blended with the colour and limited to clip (device pixels, already inside the buffer).
  // Underline and strike-out follow the font style. Returns the advance width.
  int Draw(const PixelBuffer& buffer, const Rect& clip, int x, int y, const Font& font,
           std::string_view utf8, Color color);
  // Underlines the cell part [x0, x1) as the font's underline would.
  void DrawUnderline(const PixelBuffer& buffer, const Rect& clip, int x0, int x1, int y,
                     const Font& font, Color color);

  // The file of the main face a font name maps to (for diagnostics and tests).
  std::string FaceFile(const Font& font);
  // The file that supplies a code point for this font, empty when none does.
  std::string FileForCodePoint(const Font& font, char32_t code_point);

  ~TextRenderer();

 private:
  TextRenderer();
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace somnara::fw
