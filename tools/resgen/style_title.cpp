// Title bars of the built-in styles: the left, client and right title pictures and the
// strip of 18 title-bar buttons (control box, help, maximise, restore, minimise, close;
// each normal, hot, pressed).
#include "style_glyphs.h"
#include "style_looks.h"

namespace resgen::style {
namespace {

enum class Part { Left, Client, Right };

// One of the three title pictures. Row 0 is the window's top outline; for styles with a
// one-pixel frame border the two outer columns show in the frame's side bands and get a
// soft highlight (left) or shadow (right); with the wide border they lie under it.
PixelBuffer TitlePicture(Look look, Part part) {
  const Palette& p = PaletteOf(look);
  int w = part == Part::Left ? p.title_left : part == Part::Right ? p.title_right : p.title_client;
  int h = p.title_height;
  bool wide_border = look == Look::WinXP;
  Layer layer(w, h);
  layer.Fill(Box(-1, -1, w + 1, h + 1), [&](double x, double y) {
    Rgb row = TitleRow(look, y);
    if (part == Part::Left && x < 2) return wide_border ? p.border : Lighter(row, 0.22);
    if (part == Part::Right && x > w - 2) return wide_border ? p.border : Darker(row, 0.18);
    if (part == Part::Right && wide_border && x > w - 3) return p.border;
    return row;
  });
  Rgb outline = TitleOutline(look);
  layer.Fill(Box(-1, -1, w + 1, 1), Solid(outline));
  if (p.round_corner > 0 && part != Part::Client) {
    // The window region rounds the top corners with an ellipse of round_corner pixels;
    // the picture follows it with a smooth outline so the cut edge looks drawn.
    double radius = p.round_corner / 2.0;
    Sdf shape = part == Part::Left ? Box(0, 0, 4.0 * w, 4.0 * h, radius)
                                   : Box(-3.0 * w, 0, w, 4.0 * h, radius);
    layer.Fill([&](double x, double y) { return -shape(x, y); }, Solid(outline));
    layer.Stroke(Shrink(shape, 0.5), 1.0, Solid(outline));
  }
  return layer.Flatten(Solid(outline));
}

enum State { kNormal, kHot, kPressed };

struct ButtonColours {
  Rgb border, top, upper, lower, bottom, glyph;
};

TitleGlyph GlyphOfFrame(int index) {
  static const TitleGlyph order[] = {TitleGlyph::ControlBox, TitleGlyph::Help,
                                     TitleGlyph::Maximise,   TitleGlyph::Restore,
                                     TitleGlyph::Minimise,   TitleGlyph::Close};
  return order[index / 3];
}

void MacGem(Layer& f, double s, TitleGlyph glyph, State state, Rgb halo) {
  Rgb base, edge;
  switch (glyph) {
    case TitleGlyph::Close:
      base = Hex(0xFF5F57), edge = Hex(0xC8352E);
      break;
    case TitleGlyph::Minimise:
      base = Hex(0xFFBD2E), edge = Hex(0xC98B12);
      break;
    case TitleGlyph::Maximise:
    case TitleGlyph::Restore:
      base = Hex(0x32C84A), edge = Hex(0x16962A);
      break;
    case TitleGlyph::Help:
      base = Hex(0xA98CF6), edge = Hex(0x6E4FC8);
      break;
    default:
      base = Hex(0xB9BAC4), edge = Hex(0x80828E);
      break;
  }
  if (state == kPressed) base = Darker(base, 0.22), edge = Darker(edge, 0.2);
  double c = s / 2, r = s / 2 - 2;
  f.Fill(Circle(c, c + 0.3, r + 1.4), Solid(Darker(halo, 0.25)), 0.55);  // socket
  f.Fill(Circle(c, c, r), Solid(edge));
  f.Fill(Circle(c, c, r - 1), VGradient(c - r, Lighter(base, 0.45), c + r, base));
  f.Fill(Ellipse(c, c - r * 0.45, r * 0.62, r * 0.34), Solid(Hex(0xFFFFFF)), 0.6);
  if (state != kNormal)
    f.Fill(TitleGlyphShape(glyph, c, c + 0.2, r * 1.05, 1.35), Solid(Darker(base, 0.65)), 0.9);
}

ButtonColours SquareColours(Look look, TitleGlyph glyph, State state) {
  bool close = glyph == TitleGlyph::Close;
  ButtonColours c;
  if (look == Look::WinXP) {
    c = close ? ButtonColours{Hex(0xFFFFFF), Hex(0xF29A78), Hex(0xE5673F),
                              Hex(0xD9522B), Hex(0xC23E1A), Hex(0xFFFFFF)}
              : ButtonColours{Hex(0xFFFFFF), Hex(0x7DB4FF), Hex(0x3F86F5),
                              Hex(0x2A6FEC), Hex(0x1A58D8), Hex(0xFFFFFF)};
  } else {  // DeepBlue
    c = close ? ButtonColours{Hex(0x0C1640), Hex(0xE27A84), Hex(0xC2444F),
                              Hex(0xA82C3A), Hex(0x7C1628), Hex(0xFDF2F4)}
              : ButtonColours{Hex(0x0C1640), Hex(0x8FA8F0), Hex(0x5676D2),
                              Hex(0x3656B4), Hex(0x25408E), Hex(0xEEF2FF)};
  }
  if (state == kHot) {
    c.top = Lighter(c.top, 0.3), c.upper = Lighter(c.upper, 0.25);
    c.lower = Lighter(c.lower, 0.2), c.bottom = Lighter(c.bottom, 0.15);
  } else if (state == kPressed) {
    // Pressed: darker and lit from below.
    ButtonColours d = c;
    c.top = Darker(d.bottom, 0.2), c.upper = Darker(d.lower, 0.15);
    c.lower = Darker(d.upper, 0.1), c.bottom = d.top;
  }
  return c;
}

void SquareButton(Layer& f, Look look, double s, TitleGlyph glyph, State state) {
  ButtonColours c = SquareColours(look, glyph, state);
  bool xp = look == Look::WinXP;
  double radius = xp ? 3.5 : 2.5;
  f.Fill(Box(0, 0, s, s, radius), Solid(c.border), xp ? 0.92 : 1.0);
  f.Fill(Box(1, 1, s - 1, s - 1, radius - 1),
         Gloss(1, s - 1, 0.45, c.top, c.upper, c.lower, c.bottom));
  if (state == kHot && !xp)
    f.Stroke(Box(1.5, 1.5, s - 1.5, s - 1.5, radius - 1), 1, Solid(Hex(0xB8CCFF)), 0.8);
  double g = xp ? s * 0.42 : s * 0.44;
  double offset = state == kPressed ? 0.6 : 0;
  f.Fill(TitleGlyphShape(glyph, s / 2 + offset, s / 2 + offset, g, xp ? 2.1 : 1.8), Solid(c.glyph));
}

void Orb(Layer& f, Look look, double s, TitleGlyph glyph, State state) {
  bool close = glyph == TitleGlyph::Close;
  ButtonColours c;
  if (look == Look::Protein) {
    c = close ? ButtonColours{Hex(0x2A1420), Hex(0xD88AA4), Hex(0xB0486A),
                              Hex(0x7E2040), Hex(0x9C3A5C), Hex(0xFFFFFF)}
              : ButtonColours{Hex(0x24263A), Hex(0xC4C7D8), Hex(0x8E91A8),
                              Hex(0x4E5168), Hex(0x6A6D86), Hex(0xFFFFFF)};
    if (state == kHot)
      c = close ? ButtonColours{Hex(0x3A1020), Hex(0xF4A8BC), Hex(0xE0607A),
                                Hex(0x9A2040), Hex(0xC0405E), Hex(0xFFFFFF)}
                : ButtonColours{Hex(0x14165A), Hex(0xB8BAFF), Hex(0x7074F4),
                                Hex(0x2D30C4), Hex(0x4A4EE4), Hex(0xFFFFFF)};
  } else {  // BlueGlass
    c = close ? ButtonColours{Hex(0x4A0E08), Hex(0xFFC8BC), Hex(0xEE6A52),
                              Hex(0xA8220F), Hex(0xE85A3A), Hex(0xFFFFFF)}
              : ButtonColours{Hex(0x0E2A60), Hex(0xCFE8FF), Hex(0x5C9CEA),
                              Hex(0x1A4FA8), Hex(0x4A9AF0), Hex(0xFFFFFF)};
    if (state == kHot)
      c.top = Lighter(c.top, 0.3), c.upper = Lighter(c.upper, 0.3),
      c.lower = Lighter(c.lower, 0.25), c.bottom = Lighter(c.bottom, 0.35);
  }
  if (state == kPressed) {
    ButtonColours d = c;
    c.top = Darker(d.lower, 0.2), c.upper = Darker(d.lower, 0.1);
    c.lower = Darker(d.upper, 0.15), c.bottom = d.bottom;
  }
  double ctr = s / 2, r = s / 2 - 1;
  f.Fill(Circle(ctr, ctr, r), Solid(c.border));
  f.Fill(Circle(ctr, ctr, r - 1), Gloss(ctr - r, ctr + r, 0.5, c.top, c.upper, c.lower, c.bottom));
  f.Fill(Ellipse(ctr, ctr - r * 0.5, r * 0.62, r * 0.36), Solid(Hex(0xFFFFFF)), 0.45);
  double offset = state == kPressed ? 0.5 : 0;
  f.Fill(TitleGlyphShape(glyph, ctr + offset, ctr + offset, r * 0.95, 1.6), Solid(c.glyph), 0.95);
}

PixelBuffer TitleButtons(Look look) {
  const Palette& p = PaletteOf(look);
  int s = p.title_button;
  auto row_under_button = [&](double, double y) { return TitleRow(look, p.title_button_top + y); };
  Layer strip = Strip(18, s, s, [&](Layer& f, int i) {
    TitleGlyph glyph = GlyphOfFrame(i);
    State state = State(i % 3);
    switch (look) {
      case Look::MacOS:
        MacGem(f, s, glyph, state, TitleRow(look, p.title_button_top + s / 2.0));
        break;
      case Look::WinXP:
      case Look::DeepBlue:
        SquareButton(f, look, s, glyph, state);
        break;
      case Look::Protein:
      case Look::BlueGlass:
        Orb(f, look, s, glyph, state);
        break;
    }
  });
  if (p.title_keyed) return strip.FlattenKeyed(TitleRow(look, p.title_button_top + s / 2.0));
  return strip.Flatten(row_under_button);
}

bool Draw(const std::string& dir) {
  for (Look look : kLooks) {
    std::string prefix = PaletteOf(look).prefix;
    if (!WriteStylePicture(dir, prefix + "_TITLE_LEFT", TitlePicture(look, Part::Left)) ||
        !WriteStylePicture(dir, prefix + "_TITLE_CLIENT", TitlePicture(look, Part::Client)) ||
        !WriteStylePicture(dir, prefix + "_TITLE_RIGHT", TitlePicture(look, Part::Right)) ||
        !WriteStylePicture(dir, prefix + "_TITLEBTN", TitleButtons(look)))
      return false;
  }
  return true;
}

Registration registration("style_title", Draw);

}  // namespace
}  // namespace resgen::style
