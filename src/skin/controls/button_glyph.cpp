#include "skin/controls/button_glyph.h"

#include <algorithm>

namespace somnara::skin {

Size GlyphFrameSize(const fw::Bitmap& glyph) {
  const int h = glyph.Height();
  const int w = glyph.Width() == 2 * h ? h : glyph.Width();
  return {w, h};
}

ButtonGlyphPlaces PlaceGlyph(fw::ButtonLayout layout, Size button, Size text, Size glyph,
                             int spacing) {
  const int W = button.width, H = button.height;
  const int tw = text.width, th = text.height, gw = glyph.width, gh = glyph.height;
  const int S = spacing;
  ButtonGlyphPlaces p;
  switch (layout) {
    case fw::ButtonLayout::kGlyphLeft:
      p.glyph = {(W - gw - tw - S) / 2, (H - gh) / 2};
      p.text = {p.glyph.x + gw + S, (H - th) / 2};
      break;
    case fw::ButtonLayout::kGlyphRight:
      p.glyph = {(W + tw + S - gw) / 2, (H - gh) / 2};
      p.text = {p.glyph.x - tw - S, (H - th) / 2};
      break;
    case fw::ButtonLayout::kGlyphTop:
      p.glyph = {(W - gw) / 2, (H - th - gh - S) / 2};
      p.text = {(W - tw) / 2, p.glyph.y + gh + S};
      break;
    case fw::ButtonLayout::kGlyphBottom:
      p.glyph = {(W - gw) / 2, (H + th + S - gh) / 2};
      p.text = {(W - tw) / 2, p.glyph.y - th - S};
      break;
  }
  return p;
}

fw::Bitmap GlyphPicture(const fw::Bitmap& glyph, bool enabled) {
  const Size frame = GlyphFrameSize(glyph);
  const bool two_frames = frame.width != glyph.Width();
  // The key is the bottom-left pixel, the first one a bitmap file stores; the top-left one
  // would be the tip row of a glyph such as the Menu button's downward triangle and wipe it
  // out whole.
  const fw::Color key = glyph.Height() > 0 ? glyph.GetPixel(0, glyph.Height() - 1) : 0;
  fw::Bitmap out(frame.width, frame.height);
  const int from = two_frames && !enabled ? frame.width : 0;
  for (int y = 0; y < frame.height; ++y)
    std::transform(glyph.Scanline(y) + from, glyph.Scanline(y) + from + frame.width,
                   out.Scanline(y), [](uint32_t c) { return c & 0xFFFFFFu; });
  if (!enabled && !two_frames) {
    // Greyed: every pixel but the key turns a light grey of its own brightness.
    for (int y = 0; y < frame.height; ++y)
      for (int x = 0; x < frame.width; ++x) {
        const fw::Color c = out.GetPixel(x, y);
        if (c == key) continue;
        const int lum = (fw::RedOf(c) * 30 + fw::GreenOf(c) * 59 + fw::BlueOf(c) * 11) / 100;
        const auto grey = uint8_t(128 + lum / 2);
        out.SetPixel(x, y, fw::MakeColor(grey, grey, grey));
      }
  }
  out.SetTransparentColor(key);
  out.SetTransparent(true);
  return out;
}

}  // namespace somnara::skin
