// Pictures of the skin library that belong to no single style. Layouts:
//   MSGDLG               4 frames 42 x 42: warning, stop, information, help; on the message
//                        dialog's colour (232,232,232)
//   MENU_CHECKED         16 x 16: the menu check mark, black on white (white is masked)
//   MDI_CONTROL_BUTTON   9 frames 16 x 14: minimise, restore, close; each normal, hot, pressed
//   PANEL_BUTTON         4 frames 16 x 16: collapse normal, hot; expand normal, hot
//   SIDECHANNEL_BTN      4 frames 16 x 16: pin normal, hot; pinned normal, hot
//   STATUSBAR_HANDLE     12 x 12: the size grip, magenta around the dots
//   MSNPOPFORM           180 x 116: the pop-up notice window, magenta outside its corners
//   MACOS_MENU_BAR       8 x 22: MacOS menu bar and menu item background (items use the
//                        top 20 rows, separators the top 12), stretched
//   MACOS_MENU_SELECT    8 x 20: MacOS selected menu item, stretched
//   MACOS_FORM_BACKGROUND, PROTEIN_FORM_BACKGROUND
//                        16 x 4 and 32 x 32: tiles for the window client area
#include "style_glyphs.h"
#include "style_looks.h"

namespace resgen::style {
namespace {

PixelBuffer MessageIcons() {
  Rgb background{232, 232, 232};
  Layer strip = Strip(4, 42, 42, [](Layer& f, int i) {
    if (i == 0) {
      Sdf triangle = Shrink(Polygon({{21, 7}, {36.5, 35}, {5.5, 35}}), -2.5);
      f.Fill([&](double x, double y) { return triangle(x - 1.2, y - 1.6) + 0.8; },
             Solid(Hex(0x000000)), 0.22);
      f.Fill(triangle, Solid(Hex(0x7A5600)));
      f.Fill(Shrink(triangle, 1.2), VGradient(5, Hex(0xFFF29A), 37, Hex(0xF0B400)));
      f.Fill(Shrink(Polygon({{21, 9}, {30, 24}, {12, 24}}), -1), Solid(Hex(0xFFFFFF)), 0.3);
      f.Fill(Exclamation(21, 25.5, 16, 3.6), Solid(Hex(0x1A1A1A)));
      return;
    }
    Rgb top, bottom, edge;
    if (i == 1) top = Hex(0xFF8C80), bottom = Hex(0xC8180E), edge = Hex(0x7A0A06);
    if (i == 2) top = Hex(0x9CCCFF), bottom = Hex(0x1658C8), edge = Hex(0x0A2E78);
    if (i == 3) top = Hex(0xB4BEFF), bottom = Hex(0x3442B8), edge = Hex(0x1A2070);
    f.Fill(Circle(22.2, 22.6, 17.5), Solid(Hex(0x000000)), 0.2);
    f.Fill(Circle(21, 21, 17.5), Solid(edge));
    f.Fill(Circle(21, 21, 16.3), Gloss(4.7, 37.3, 0.5, top, Mix(top, bottom, 0.55),
                                       Mix(top, bottom, 0.8), Mix(top, bottom, 0.55)));
    f.Fill(Ellipse(21, 12.5, 11, 6.5), Solid(Hex(0xFFFFFF)), 0.35);
    Sdf glyph = i == 1   ? CloseGlyph(21, 21, 14, 4.2)
                : i == 2 ? InfoLetter(21, 21.5, 20, 3.8)
                         : HelpGlyph(21, 21.5, 21, 3.8);
    f.Fill([&](double x, double y) { return glyph(x - 0.7, y - 0.8); }, Solid(Hex(0x000000)), 0.25);
    f.Fill(glyph, Solid(Hex(0xFFFFFF)));
  });
  return strip.Flatten(Solid(background));
}

PixelBuffer MenuChecked() {
  Layer layer(16, 16);
  layer.Fill(CheckMark(8, 8, 9, 2.1), Solid(Hex(0x000000)));
  return layer.Flatten(Solid(Hex(0xFFFFFF)));
}

PixelBuffer MdiControlButtons() {
  Layer strip = Strip(9, 16, 14, [](Layer& f, int i) {
    int state = i % 3;
    Rgb top = Hex(0xFFFFFF), bottom = Hex(0xDCDAD4), border = Hex(0x8C8A86);
    if (state == 1) top = Hex(0xF2F7FF), bottom = Hex(0xBCD2F6), border = Hex(0x3C6CC8);
    if (state == 2) top = Hex(0xA8BEE6), bottom = Hex(0xD4E0F6), border = Hex(0x24448C);
    Sdf shape = Box(0, 0, 16, 14, 2);
    f.Fill(shape, Solid(border));
    f.Fill(Shrink(shape, 1), VGradient(1, top, 13, bottom));
    double o = state == 2 ? 0.5 : 0;
    TitleGlyph glyph = i < 3   ? TitleGlyph::Minimise
                       : i < 6 ? TitleGlyph::Restore
                               : TitleGlyph::Close;
    Rgb ink = i >= 6 && state != 0 ? Hex(0xB81C10) : Hex(0x202020);
    f.Fill(TitleGlyphShape(glyph, 8 + o, 7 + o, 7, 1.6), Solid(ink));
  });
  return strip.Flatten(Solid(Hex(0xD6D3CE)));
}

PixelBuffer PanelButtons() {
  Layer strip = Strip(4, 16, 16, [](Layer& f, int i) {
    bool hot = i % 2 == 1, collapse = i < 2;
    Rgb top = hot ? Hex(0xFFFFFF) : Hex(0xF4F6FA), bottom = hot ? Hex(0xB6CCF2) : Hex(0xD2D8E4);
    f.Fill(Circle(8, 8, 7.5), Solid(hot ? Hex(0x3C6CC8) : Hex(0x7A8496)));
    f.Fill(Circle(8, 8, 6.5), VGradient(1.5, top, 14.5, bottom));
    double dir = collapse ? -1 : 1;
    Sdf chevron = Union(Segment(4.5, 8 - dir * 1.5, 8, 8 + dir * 2, 0.9),
                        Segment(8, 8 + dir * 2, 11.5, 8 - dir * 1.5, 0.9));
    f.Fill(chevron, Solid(hot ? Hex(0x1A3C84) : Hex(0x3A4250)));
  });
  return strip.FlattenKeyed(Hex(0xE8E8E8));
}

PixelBuffer SideChannelButtons() {
  Layer strip = Strip(4, 16, 16, [](Layer& f, int i) {
    bool hot = i % 2 == 1, pinned = i >= 2;
    if (hot) {
      f.Fill(Box(0, 0, 16, 16, 2), Solid(Hex(0x3C6CC8)));
      f.Fill(Box(1, 1, 15, 15, 1.5), VGradient(1, Hex(0xFFFFFF), 15, Hex(0xC4D8F8)));
    }
    Rgb ink = Hex(0x2A3040), head = pinned ? Hex(0x4A7AD8) : Hex(0xD8DCE6);
    if (pinned) {  // standing: needle down
      f.Fill(Segment(8, 9, 8, 14, 0.6), Solid(ink));
      f.Fill(Box(4, 8, 12, 9.6), Solid(ink));
      f.Fill(Box(5.5, 2, 10.5, 8.5, 0.8), Solid(ink));
      f.Fill(Box(6.5, 3, 9.5, 8, 0.5), VGradient(3, Lighter(head, 0.5), 8, head));
    } else {  // lying: needle to the left
      f.Fill(Segment(2, 8, 7, 8, 0.6), Solid(ink));
      f.Fill(Box(6.4, 4, 8, 12), Solid(ink));
      f.Fill(Box(7.5, 5.5, 14, 10.5, 0.8), Solid(ink));
      f.Fill(Box(8.5, 6.5, 13, 9.5, 0.5), VGradient(6.5, Lighter(head, 0.5), 9.5, head));
    }
  });
  return strip.FlattenKeyed(Hex(0xE8E8E8));
}

PixelBuffer StatusBarHandle() {
  Layer layer(12, 12);
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col <= row; ++col) {
      // Dots fill the lower-right triangle; each has a light dot below and to its right.
      double cx = 10 - 4.0 * col, cy = 10 - 4.0 * (row - col);
      layer.Fill(Box(cx - 1, cy - 1, cx + 1, cy + 1), Solid(Hex(0xFFFFFF)));
      layer.Fill(Box(cx - 2, cy - 2, cx, cy), Solid(Hex(0x8A8884)));
    }
  return layer.FlattenKeyed(Hex(0xD6D3CE));
}

PixelBuffer PopupNotice() {
  Layer layer(180, 116);
  Sdf shape = Box(0, 0, 180, 116, 6);
  layer.Fill(shape, Solid(Hex(0x3A5A9E)));
  layer.Fill(Shrink(shape, 1), VGradient(1, Hex(0xFFFFFF), 115, Hex(0xD6E4FA)));
  layer.Fill(Intersect(Shrink(shape, 1), Box(0, 0, 180, 22)),
             Gloss(1, 22, 0.5, Hex(0xA8C8F6), Hex(0x7AA4EA), Hex(0x4A7CD4), Hex(0x5E8EDE)));
  layer.Fill(Box(1, 22, 179, 23), Solid(Hex(0x3A5A9E)), 0.6);
  layer.Stroke(Shrink(shape, 1.5), 1, Solid(Hex(0xFFFFFF)), 0.5);
  return layer.FlattenKeyed(Hex(0xE8E8E8));
}

PixelBuffer MacMenuBar() {
  Layer layer(8, 22);
  layer.Fill(Box(0, 0, 8, 22), [](double, double y) {
    if (y >= 21) return Hex(0xA8A8A8);
    Rgb base = Ramp(y, 0, Hex(0xFDFDFD), 21, Hex(0xE6E6E6));
    return int(y) % 2 ? Darker(base, 0.02) : base;
  });
  return layer.Flatten(Solid(Hex(0xFFFFFF)));
}

PixelBuffer MacMenuSelect() {
  Layer layer(8, 20);
  layer.Fill(Box(0, 0, 8, 20),
             Gloss(0, 20, 0.5, Hex(0x8CB4EE), Hex(0x4A82D2), Hex(0x3470C4), Hex(0x5A94DE)));
  layer.Fill(Box(0, 0, 8, 1), Solid(Hex(0x2C5A9A)));
  layer.Fill(Box(0, 19, 8, 20), Solid(Hex(0x2C5A9A)));
  return layer.Flatten(Solid(Hex(0xFFFFFF)));
}

PixelBuffer MacFormBackground() {
  // Fine horizontal pinstripes around the MacOS window colour (231,231,231).
  PixelBuffer tile(16, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 16; ++x) tile.At(x, y) = y < 2 ? 0xEDEDED : 0xE1E1E1;
  return tile;
}

PixelBuffer ProteinFormBackground() {
  // A faint diamond weave on the Protein window colour (251,251,251); repeats seamlessly.
  PixelBuffer tile(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      int a = (x + y) % 16, b = (x - y + 32) % 16;
      int level = 251;
      if (a == 0 || b == 0)
        level = 244;
      else if (a == 1 || b == 1)
        level = 254;
      tile.At(x, y) = uint32_t(level) * 0x010101u;
    }
  return tile;
}

bool Draw(const std::string& dir) {
  return WriteStylePicture(dir, "MSGDLG", MessageIcons()) &&
         WriteStylePicture(dir, "MENU_CHECKED", MenuChecked()) &&
         WriteStylePicture(dir, "MDI_CONTROL_BUTTON", MdiControlButtons()) &&
         WriteStylePicture(dir, "PANEL_BUTTON", PanelButtons()) &&
         WriteStylePicture(dir, "SIDECHANNEL_BTN", SideChannelButtons()) &&
         WriteStylePicture(dir, "STATUSBAR_HANDLE", StatusBarHandle()) &&
         WriteStylePicture(dir, "MSNPOPFORM", PopupNotice()) &&
         WriteStylePicture(dir, "MACOS_MENU_BAR", MacMenuBar()) &&
         WriteStylePicture(dir, "MACOS_MENU_SELECT", MacMenuSelect()) &&
         WriteStylePicture(dir, "MACOS_FORM_BACKGROUND", MacFormBackground()) &&
         WriteStylePicture(dir, "PROTEIN_FORM_BACKGROUND", ProteinFormBackground());
}

Registration registration("style_common", Draw);

}  // namespace
}  // namespace resgen::style
