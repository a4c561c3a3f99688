// Track bars of the built-in styles: the bar (three equal slices of 15 pixels: left cap,
// stretchable middle, right cap; magenta around the rounded ends), the horizontal slider
// (a pointer towards the bar's ticks below, magenta around it, so its bottom-left pixel
// is the key) and the vertical slider (pointing right, on the window colour, because a
// vertical slider is drawn opaque).
#include "style_looks.h"

namespace resgen::style {
namespace {

struct TrackColours {
  Rgb groove_border, groove_top, groove_bottom;
  Rgb slider_border, slider_top, slider_upper, slider_lower, slider_bottom;
  Rgb accent;  // the pointing edge; opacity 0 for none
  double accent_opacity;
};

TrackColours ColoursOf(Look look) {
  switch (look) {
    case Look::MacOS:
      return {Hex(0x6E6E6E),
              Hex(0xA4A4A4),
              Hex(0xE2E2E2),
              Hex(0x2C5A9A),
              Hex(0xEEF5FF),
              Hex(0xAFCDF4),
              Hex(0x6A9DE0),
              Hex(0xA8D2FC),
              {},
              0};
    case Look::WinXP:
      return {Hex(0x9D9C99), Hex(0xC9C7BF), Hex(0xF6F5F1), Hex(0x1C5180), Hex(0xFFFFFF),
              Hex(0xF6F5F1), Hex(0xEDEBE4), Hex(0xDAD6CC), Hex(0x21A121), 0.95};
    case Look::DeepBlue:
      return {Hex(0x14205A),
              Hex(0x34529E),
              Hex(0x7090E4),
              Hex(0x0C1640),
              Hex(0xC4D2F6),
              Hex(0x6A88DA),
              Hex(0x3656B4),
              Hex(0x5070D0),
              {},
              0};
    case Look::Protein:
      return {Hex(0x3A3C50), Hex(0x8A8DA4), Hex(0xCDD0DE), Hex(0x2A2C40), Hex(0xFFFFFF),
              Hex(0xE2E2EC), Hex(0xC2C4D4), Hex(0xE6E6F0), Hex(0x2D30C4), 0.9};
    case Look::BlueGlass:
      break;
  }
  return {Hex(0x1E3C7A),
          Hex(0x4C8ADA),
          Hex(0xB0DAFF),
          Hex(0x14306E),
          Hex(0xF0F8FF),
          Hex(0xA4CCF6),
          Hex(0x3C82DC),
          Hex(0x84C0F6),
          {},
          0};
}

PixelBuffer Bar(Look look) {
  const Palette& p = PaletteOf(look);
  TrackColours c = ColoursOf(look);
  double h = p.bar_height;
  Layer layer(45, p.bar_height);
  Sdf groove = Box(0, 0, 45, h, h / 2);
  layer.Fill(groove, Solid(c.groove_border));
  layer.Fill(Shrink(groove, 1), VGradient(1, c.groove_top, h - 1, c.groove_bottom));
  return layer.FlattenKeyed(p.client);
}

// The slider's outline: a body with rounded corners and a point on one side.
Sdf Pointer(double w, double h, bool vertical) {
  double tip = vertical ? std::min(5.0, w / 3) : std::min(5.0, h / 3);
  if (!vertical) {
    Sdf body = Box(0, 0, w, h - tip, 2);
    Sdf point = Polygon({{0, h - tip - 3}, {w, h - tip - 3}, {w / 2, h}});
    return Union(body, point);
  }
  Sdf body = Box(0, 0, w - tip, h, 2);
  Sdf point = Polygon({{w - tip - 3, 0}, {w - tip - 3, h}, {w, h / 2}});
  return Union(body, point);
}

Layer Slider(Look look, int w, int h, bool vertical) {
  TrackColours c = ColoursOf(look);
  Layer layer(w, h);
  Sdf shape = Pointer(w, h, vertical);
  layer.Fill(shape, Solid(c.slider_border));
  Sdf body = Shrink(shape, 1);
  Paint gloss = vertical ? Paint([&](double x, double y) {
    return Gloss(1, w - 1, 0.5, c.slider_top, c.slider_upper, c.slider_lower, c.slider_bottom)(y,
                                                                                               x);
  })
                         : Gloss(1, h - 1, 0.5, c.slider_top, c.slider_upper, c.slider_lower,
                                 c.slider_bottom);
  layer.Fill(body, gloss);
  if (c.accent_opacity > 0) {
    // The pointing edge carries the style's accent, two pixels deep.
    double tip = vertical ? std::min(5.0, w / 3.0) : std::min(5.0, h / 3.0);
    Sdf near_point = vertical ? Sdf([=](double x, double) { return (w - tip - 2) - x; })
                              : Sdf([=](double, double y) { return (h - tip - 2) - y; });
    layer.Fill(Intersect(Subtract(body, Shrink(body, 2)), near_point), Solid(c.accent),
               c.accent_opacity);
  }
  layer.Stroke(Shrink(shape, 1.5), 1, Solid(Hex(0xFFFFFF)), 0.45);
  return layer;
}

bool Draw(const std::string& dir) {
  for (Look look : kLooks) {
    const Palette& p = PaletteOf(look);
    std::string prefix = p.prefix;
    PixelBuffer horizontal =
        Slider(look, p.slider_width, p.slider_height, false).FlattenKeyed(p.client);
    PixelBuffer vertical =
        Slider(look, p.vslider_width, p.vslider_height, true).Flatten(Solid(p.client));
    if (!WriteStylePicture(dir, prefix + "_TRACKBAR_BAR", Bar(look)) ||
        !WriteStylePicture(dir, prefix + "_TRACKBAR_SLIDER", horizontal) ||
        !WriteStylePicture(dir, prefix + "_TRACKBAR_SLIDER_V", vertical))
      return false;
  }
  return true;
}

Registration registration("style_trackbar", Draw);

}  // namespace
}  // namespace resgen::style
