// The other control pictures of the built-in styles, which this program carries for the
// skin library's wider control set. Layouts (frames side by side, 1-based):
//   <STYLE>_CHECKBOX        4 frames 13 x 13: unchecked, checked, unchecked disabled,
//                           checked disabled; magenta around the rounded box
//   <STYLE>_RADIOBUTTON     4 frames 13 x 13, the same states; magenta around the circle
//   <STYLE>_CHECKLIST       2 frames 13 x 13: unchecked, checked; flat, on white
//   <STYLE>_PROGRESSBAR     2 frames 30 x 14: empty track, filled bar; each three slices
//   <STYLE>_SCROLLBAR_BUTTON 12 frames 16 x 16: up, down, left, right; each normal, hot,
//                           pressed
//   <STYLE>_SCROLLBAR_TRACK 3 frames 16 x 16: track, thumb, hot thumb (nine-slice)
//   <STYLE>_SCROLLBUTTON, MORE_SCROLLBUTTON
//                           6 frames 16 x 16: up normal, hot, pressed; down the same
//   <STYLE>_TAB             3 frames 30 x 22: inactive, hot, active (nine-slice, the
//                           bottom edge open); magenta around the rounded top
//   <STYLE>_TAB_LINE        30 x 3, three slices: the line under the tabs
//   <STYLE>_SIDECHENNEL_HANDLE 3 frames 12 x 60: normal, hot, pressed
//   <STYLE>_SIDECHENNEL_BAR 45 x 22, three slices: the side channel's caption bar
#include "style_glyphs.h"
#include "style_looks.h"

namespace resgen::style {
namespace {

struct Kit {
  Rgb border, light, dark, accent, mark;
  double radius;
  Rgb hot;    // hot frames are tinted towards this
  Rgb arrow;  // arrows of scroll buttons
};

Kit KitOf(Look look) {
  switch (look) {
    case Look::MacOS:
      return {Hex(0x7A7A7A), Hex(0xFFFFFF), Hex(0xD6D6D6), Hex(0x3F7FD8), Hex(0x1E1E1E), 3,
              Hex(0xB9D3F5), Hex(0x2A2A2A)};
    case Look::WinXP:
      return {Hex(0x1C5180), Hex(0xFFFFFF), Hex(0xE3E1D9), Hex(0x2A6FEC), Hex(0x21A121), 1,
              Hex(0xF8B330), Hex(0x4D6185)};
    case Look::DeepBlue:
      return {Hex(0x1E3282), Hex(0xFBFCFF), Hex(0xC6D4F2), Hex(0x2A48A8),
              Hex(0x14205A), 1.5,           Hex(0x7DA6F5), Hex(0x14205A)};
    case Look::Protein:
      return {Hex(0x6C6E8A), Hex(0xFFFFFF), Hex(0xDCDCE8), Hex(0x2D30C4), Hex(0x2D30C4), 3,
              Hex(0x9A9CF4), Hex(0x2A2C40)};
    case Look::BlueGlass:
      break;
  }
  return {Hex(0x284A8C), Hex(0xF2F8FF), Hex(0x8FBDF0), Hex(0x1A4FA8), Hex(0x0E2A60), 3,
          Hex(0x8FE0FF), Hex(0x0E2A60)};
}

Rgb Grey(Rgb c) {
  double v = (c.r + c.g + c.b) / 3;
  return Mix(c, Rgb{v, v, v}, 0.85);
}

// A small raised face: border, body gradient, white inner edge.
void RaisedFace(Layer& f, const Sdf& shape, const Kit& k, int state) {
  double h = f.Height();
  Rgb light = k.light, dark = k.dark, border = k.border;
  if (state == 1) light = Mix(light, k.hot, 0.25), dark = Mix(dark, k.hot, 0.45);
  if (state == 2) std::swap(light, dark), light = Darker(light, 0.08);
  f.Fill(shape, Solid(border));
  f.Fill(Shrink(shape, 1), VGradient(1, light, h - 1, dark));
  f.Stroke(Shrink(shape, 1.5), 1, Solid(Hex(0xFFFFFF)), state == 2 ? 0.2 : 0.55);
}

PixelBuffer CheckBox(Look look) {
  Kit k = KitOf(look);
  Layer strip = Strip(4, 13, 13, [&](Layer& f, int i) {
    bool disabled = i >= 2, checked = i % 2 == 1;
    Kit kit = k;
    if (disabled)
      kit.border = Grey(Lighter(k.border, 0.45)), kit.light = Grey(k.light),
      kit.dark = Grey(Lighter(k.dark, 0.3)), kit.mark = Grey(Lighter(k.mark, 0.4));
    RaisedFace(f, Box(0, 0, 13, 13, std::min(k.radius, 3.0)), kit, 0);
    if (checked) f.Fill(CheckMark(6.5, 6.5, 7, 1.9), Solid(kit.mark));
  });
  return strip.FlattenKeyed(PaletteOf(look).client);
}

PixelBuffer RadioButton(Look look) {
  Kit k = KitOf(look);
  Layer strip = Strip(4, 13, 13, [&](Layer& f, int i) {
    bool disabled = i >= 2, checked = i % 2 == 1;
    Kit kit = k;
    if (disabled)
      kit.border = Grey(Lighter(k.border, 0.45)), kit.light = Grey(k.light),
      kit.dark = Grey(Lighter(k.dark, 0.3)), kit.mark = Grey(Lighter(k.mark, 0.4));
    RaisedFace(f, Circle(6.5, 6.5, 6.3), kit, 0);
    if (checked) {
      f.Fill(Circle(6.5, 6.5, 2.6), VGradient(4, Lighter(kit.mark, 0.4), 9, kit.mark));
      f.Fill(Circle(5.8, 5.6, 0.9), Solid(Hex(0xFFFFFF)), 0.6);
    }
  });
  return strip.FlattenKeyed(PaletteOf(look).client);
}

PixelBuffer CheckList(Look look) {
  Kit k = KitOf(look);
  Layer strip = Strip(2, 13, 13, [&](Layer& f, int i) {
    f.Fill(Box(0, 0, 13, 13), Solid(k.border));
    f.Fill(Box(1, 1, 12, 12), Solid(Hex(0xFFFFFF)));
    if (i == 1) f.Fill(CheckMark(6.5, 6.5, 7, 1.8), Solid(k.mark));
  });
  return strip.Flatten(Solid(Hex(0xFFFFFF)));
}

PixelBuffer ProgressBar(Look look) {
  Kit k = KitOf(look);
  const Palette& p = PaletteOf(look);
  Layer strip = Strip(2, 30, 14, [&](Layer& f, int i) {
    Sdf shape = Box(0, 0, 30, 14, std::min(k.radius + 1, 6.0));
    if (i == 0) {
      f.Fill(shape, Solid(k.border));
      f.Fill(Shrink(shape, 1), VGradient(1, Darker(p.client, 0.12), 13, Lighter(p.client, 0.5)));
    } else {
      f.Fill(shape, Solid(Darker(k.accent, 0.35)));
      f.Fill(Shrink(shape, 1), Gloss(1, 13, 0.45, Lighter(k.accent, 0.6), Lighter(k.accent, 0.2),
                                     k.accent, Lighter(k.accent, 0.3)));
    }
  });
  return strip.FlattenKeyed(p.client);
}

PixelBuffer ScrollBarButtons(Look look) {
  Kit k = KitOf(look);
  static const Direction order[] = {Direction::Up, Direction::Down, Direction::Left,
                                    Direction::Right};
  Layer strip = Strip(12, 16, 16, [&](Layer& f, int i) {
    RaisedFace(f, Box(0, 0, 16, 16, std::min(k.radius, 2.0)), k, i % 3);
    double o = i % 3 == 2 ? 0.5 : 0;
    f.Fill(Arrow(order[i / 3], 8 + o, 8 + o, 7), Solid(k.arrow));
  });
  return strip.Flatten(Solid(PaletteOf(look).client));
}

PixelBuffer ScrollBarTrack(Look look) {
  Kit k = KitOf(look);
  const Palette& p = PaletteOf(look);
  Layer strip = Strip(3, 16, 16, [&](Layer& f, int i) {
    if (i == 0) {
      f.Fill(Box(0, 0, 16, 16), HGradient(0, Darker(p.client, 0.08), 16, Lighter(p.client, 0.4)));
      return;
    }
    RaisedFace(f, Box(0, 0, 16, 16, std::min(k.radius, 3.0)), k, i == 2 ? 1 : 0);
    f.Fill(Grip(8, 8, 1, 3, 3, 0.8), Solid(Darker(k.border, 0.1)), 0.8);
  });
  return strip.Flatten(Solid(p.client));
}

PixelBuffer ScrollButtons(const Kit& k, Rgb background) {
  Layer strip = Strip(6, 16, 16, [&](Layer& f, int i) {
    RaisedFace(f, Box(0, 0, 16, 16, std::min(k.radius, 2.0)), k, i % 3);
    double o = i % 3 == 2 ? 0.5 : 0;
    f.Fill(Arrow(i < 3 ? Direction::Up : Direction::Down, 8 + o, 8 + o, 8), Solid(k.arrow));
  });
  return strip.Flatten(Solid(background));
}

PixelBuffer Tab(Look look) {
  Kit k = KitOf(look);
  const Palette& p = PaletteOf(look);
  Layer strip = Strip(3, 30, 22, [&](Layer& f, int i) {
    // Taller box than the frame, so its bottom corners fall outside: the tab is open below.
    Sdf shape = Box(0, i == 2 ? 0 : 2, 30, 26, std::max(3.0, k.radius + 1));
    Rgb top = i == 2 ? Hex(0xFFFFFF) : Mix(p.client, Hex(0xFFFFFF), 0.4);
    Rgb bottom = i == 2 ? p.client : Darker(p.client, 0.06);
    if (i == 1) top = Mix(top, k.hot, 0.3);
    f.Fill(shape, Solid(k.border));
    f.Fill(Shrink(shape, 1), VGradient(1, top, 22, bottom));
    if (i != 0)
      f.Fill(Box(2, i == 2 ? 1 : 3, 28, i == 2 ? 3 : 5, 1), Solid(i == 2 ? k.accent : k.hot));
  });
  return strip.FlattenKeyed(p.client);
}

PixelBuffer TabLine(Look look) {
  Kit k = KitOf(look);
  Layer line(30, 3);
  line.Fill(Box(0, 0, 30, 1), Solid(k.border));
  line.Fill(Box(0, 1, 30, 3), Solid(Hex(0xFFFFFF)), 0.7);
  return line.Flatten(Solid(PaletteOf(look).client));
}

PixelBuffer SideChannelHandle(Look look) {
  Kit k = KitOf(look);
  Layer strip = Strip(3, 12, 60, [&](Layer& f, int i) {
    Sdf shape = Box(0, 0, 12, 60, 4);
    RaisedFace(f, shape, k, i);
    f.Fill(Grip(6, 30, 1, 5, 4, 1), Solid(k.border), 0.85);
  });
  return strip.FlattenKeyed(PaletteOf(look).client);
}

PixelBuffer SideChannelBar(Look look) {
  const Palette& p = PaletteOf(look);
  Layer bar(45, 22);
  bar.Fill(Box(0, 0, 45, 22, 0),
           [&](double, double y) { return TitleRow(look, 1 + y * (p.title_height - 2) / 22.0); });
  bar.Fill(Box(0, 0, 45, 1), Solid(TitleOutline(look)));
  bar.Fill(Box(0, 21, 45, 22), Solid(Darker(TitleOutline(look), 0.2)));
  return bar.Flatten(Solid(p.client));
}

bool Draw(const std::string& dir) {
  for (Look look : kLooks) {
    std::string s = PaletteOf(look).prefix;
    struct Item {
      const char* suffix;
      PixelBuffer picture;
    };
    Item items[] = {{"_CHECKBOX", CheckBox(look)},
                    {"_RADIOBUTTON", RadioButton(look)},
                    {"_CHECKLIST", CheckList(look)},
                    {"_PROGRESSBAR", ProgressBar(look)},
                    {"_SCROLLBAR_BUTTON", ScrollBarButtons(look)},
                    {"_SCROLLBAR_TRACK", ScrollBarTrack(look)},
                    {"_TAB", Tab(look)},
                    {"_TAB_LINE", TabLine(look)},
                    {"_SIDECHENNEL_HANDLE", SideChannelHandle(look)},
                    {"_SIDECHENNEL_BAR", SideChannelBar(look)}};
    for (const Item& item : items)
      if (!WriteStylePicture(dir, s + item.suffix, item.picture)) return false;
  }
  // Two styles have scroll buttons of their own; the others share a neutral pair.
  Kit neutral{Hex(0x6A7488), Hex(0xFFFFFF), Hex(0xD4D9E4), Hex(0x4A6AB0), Hex(0x2A3450), 2,
              Hex(0xA8C4F0), Hex(0x2A3450)};
  return WriteStylePicture(dir, "MACOS_SCROLLBUTTON",
                           ScrollButtons(KitOf(Look::MacOS), PaletteOf(Look::MacOS).client)) &&
         WriteStylePicture(dir, "WINXP_SCROLLBUTTON",
                           ScrollButtons(KitOf(Look::WinXP), PaletteOf(Look::WinXP).client)) &&
         WriteStylePicture(dir, "MORE_SCROLLBUTTON", ScrollButtons(neutral, Hex(0xE8E8E8)));
}

Registration registration("style_controls", Draw);

}  // namespace
}  // namespace resgen::style
