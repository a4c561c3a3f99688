// Push-button faces of the built-in styles: three frames side by side (normal, hot,
// pressed), stretched by nine-slice drawing, so every frame keeps its corners within half
// its size and is even along its middle row and column.
#include "style_looks.h"

namespace resgen::style {
namespace {

struct Face {
  double radius;
  Rgb border;
  Rgb top, upper, lower, bottom;  // body: upper part top -> upper, lower part lower -> bottom
  double split;                   // where the upper part ends (fraction of the height)
  Rgb inner;                      // a thin line just inside the border
  double inner_opacity;
  Rgb glow;  // a second ring inside the border (hot frames); opacity 0 for none
  double glow_opacity;
  double shine;  // white sheen over the upper part
};

Face FaceOf(Look look, int state) {
  switch (look) {
    case Look::MacOS: {
      // A rounded pill: pale platinum, light blue when hot, deep aqua when pressed.
      Face f{11.5,
             Hex(0x7A7A7A),
             Hex(0xFFFFFF),
             Hex(0xEDEDED),
             Hex(0xDADADA),
             Hex(0xF7F7F7),
             0.5,
             Hex(0xFFFFFF),
             0.7,
             {},
             0,
             0.35};
      if (state == 1)
        f = {11.5, Hex(0x4F7DBA), Hex(0xF4F9FF), Hex(0xD6E6FB), Hex(0xB9D3F5), Hex(0xE4F0FF),
             0.5,  Hex(0xFFFFFF), 0.75,          Hex(0x9CC2F2), 0.55,          0.4};
      if (state == 2)
        f = {11.5,
             Hex(0x24508E),
             Hex(0xA9CBF4),
             Hex(0x6FA3E8),
             Hex(0x3F7FD8),
             Hex(0x8DC1F7),
             0.5,
             Hex(0xD4E6FF),
             0.5,
             {},
             0,
             0.45};
      return f;
    }
    case Look::WinXP: {
      Face f{3,
             Hex(0x003C74),
             Hex(0xFFFFFF),
             Hex(0xF7F7F4),
             Hex(0xF1EFE8),
             Hex(0xD6D0C5),
             0.55,
             Hex(0xFFFFFF),
             0.8,
             {},
             0,
             0};
      if (state == 1)
        f = {3,    Hex(0x003C74), Hex(0xFFFFFF), Hex(0xF8F7F3), Hex(0xF2F0E9), Hex(0xDCD6CB),
             0.55, Hex(0xFFF0CF), 1.0,           Hex(0xF8B330), 0.9,           0};
      if (state == 2)
        f = {3,
             Hex(0x003C74),
             Hex(0xD1CCC1),
             Hex(0xE3E1D9),
             Hex(0xE6E4DD),
             Hex(0xF1F0EC),
             0.3,
             Hex(0xCFC9BD),
             0.6,
             {},
             0,
             0};
      return f;
    }
    case Look::DeepBlue: {
      Face f{2.5,
             Hex(0x1E3282),
             Hex(0xFBFCFF),
             Hex(0xE2E9FA),
             Hex(0xCCD8F4),
             Hex(0xB7C8EE),
             0.5,
             Hex(0xFFFFFF),
             0.7,
             {},
             0,
             0.2};
      if (state == 1)
        f = {2.5, Hex(0x1450C8), Hex(0xFFFFFF), Hex(0xEAF1FF), Hex(0xCFDFFF), Hex(0xA9C4FA),
             0.5, Hex(0xFFFFFF), 0.8,           Hex(0x7DA6F5), 0.7,           0.25};
      if (state == 2)
        f = {2.5,
             Hex(0x142364),
             Hex(0x9FB2E2),
             Hex(0xB9C8EE),
             Hex(0xC9D5F2),
             Hex(0xDCE4F8),
             0.5,
             Hex(0x8397CF),
             0.6,
             {},
             0,
             0};
      return f;
    }
    case Look::Protein: {
      Face f{4.5,
             Hex(0x6C6E8A),
             Hex(0xFFFFFF),
             Hex(0xEEEEF4),
             Hex(0xDCDCE8),
             Hex(0xEFEFF6),
             0.5,
             Hex(0xFFFFFF),
             0.8,
             {},
             0,
             0.3};
      if (state == 1)
        f = {4.5, Hex(0x3D40C8), Hex(0xF8F8FF), Hex(0xE0E0FF), Hex(0xC6C8FA), Hex(0xE2E2FF),
             0.5, Hex(0xFFFFFF), 0.8,           Hex(0x9A9CF4), 0.6,           0.35};
      if (state == 2)
        f = {4.5,
             Hex(0x2D3096),
             Hex(0xB5B7E6),
             Hex(0xC8CAF0),
             Hex(0xB4B6EA),
             Hex(0xD2D3F6),
             0.5,
             Hex(0x9EA0DA),
             0.6,
             {},
             0,
             0.15};
      return f;
    }
    case Look::BlueGlass:
      break;
  }
  // A glass capsule: bright sheen over the upper half, light rising from below.
  Face f{8.5,
         Hex(0x284A8C),
         Hex(0xF2F8FF),
         Hex(0xC9E0FA),
         Hex(0x8FBDF0),
         Hex(0xC0E2FF),
         0.48,
         Hex(0xFFFFFF),
         0.65,
         {},
         0,
         0.5};
  if (state == 1)
    f = {8.5,  Hex(0x1C6AB8), Hex(0xFAFEFF), Hex(0xD4F0FF), Hex(0x86D0F8), Hex(0xC8F4FF),
         0.48, Hex(0xFFFFFF), 0.75,          Hex(0x8FE0FF), 0.6,           0.55};
  if (state == 2)
    f = {8.5,
         Hex(0x142C66),
         Hex(0xA8C6EC),
         Hex(0x7FA6DE),
         Hex(0x5E8ED6),
         Hex(0x8AB8EC),
         0.48,
         Hex(0xB8D4F4),
         0.5,
         {},
         0,
         0.3};
  return f;
}

void DrawFace(Layer& layer, const Face& f) {
  double w = layer.Width(), h = layer.Height();
  Sdf outer = Box(0, 0, w, h, f.radius);
  layer.Fill(outer, Solid(f.border));
  Sdf body = Shrink(outer, 1);
  layer.Fill(body, Gloss(1, h - 1, f.split, f.top, f.upper, f.lower, f.bottom));
  if (f.glow_opacity > 0) layer.Stroke(Shrink(outer, 2), 2, Solid(f.glow), f.glow_opacity);
  if (f.inner_opacity > 0) layer.Stroke(Shrink(outer, 1.5), 1, Solid(f.inner), f.inner_opacity);
  if (f.shine > 0) {
    // The sheen fades out towards the middle of the face.
    double r = std::max(0.0, f.radius - 2);
    layer.Fill(Box(2, 1.5, w - 2, h * f.split, r),
               VGradient(1.5, Hex(0xFFFFFF), h * f.split, f.upper), f.shine);
  }
}

bool Draw(const std::string& dir) {
  for (Look look : kLooks) {
    const Palette& p = PaletteOf(look);
    Layer strip = Strip(3, p.button_width, p.button_height,
                        [&](Layer& frame, int i) { DrawFace(frame, FaceOf(look, i)); });
    PixelBuffer picture =
        p.button_keyed ? strip.FlattenKeyed(p.client) : strip.Flatten(Solid(p.client));
    if (!WriteStylePicture(dir, std::string(p.prefix) + "_BUTTON", picture)) return false;
  }
  return true;
}

Registration registration("style_buttons", Draw);

}  // namespace
}  // namespace resgen::style
