#include "style_looks.h"

namespace resgen::style {

const Palette& PaletteOf(Look look) {
  // clang-format off
  static const Palette kPalettes[] = {
      // prefix, client, border, accent, keyed face, keyed title buttons,
      // face w, h, title button, button top, title h, left, client, right, corner,
      // bar h, slider w, h, vertical slider w, h
      {"MACOS", {231, 231, 231}, {127, 127, 127}, {57, 115, 196}, true, false,
       84, 23, 17, 4, 25, 30, 20, 30, 0, 5, 11, 20, 19, 11},
      {"WINXP", {239, 235, 222}, {0, 44, 200}, {198, 211, 239}, false, false,
       18, 21, 21, 5, 30, 30, 20, 30, 13, 8, 11, 21, 22, 11},
      {"DEEPBLUE", {232, 232, 232}, {0, 0, 0}, {68, 74, 160}, false, false,
       74, 21, 19, 2, 32, 30, 20, 30, 0, 4, 11, 20, 18, 11},
      {"PROTEIN", {251, 251, 251}, {0, 0, 0}, {45, 48, 196}, false, true,
       74, 21, 19, 2, 24, 30, 20, 30, 0, 4, 11, 20, 18, 11},
      {"BLUEGLASS", {231, 231, 231}, {0, 0, 0}, {94, 94, 236}, true, true,
       77, 27, 19, 6, 31, 30, 20, 30, 11, 4, 11, 20, 18, 11},
  };
  // clang-format on
  return kPalettes[int(look)];
}

Rgb TitleRow(Look look, double y) {
  const Palette& p = PaletteOf(look);
  double h = p.title_height;
  switch (look) {
    case Look::MacOS: {
      // Platinum with fine pinstripes and a white top highlight.
      if (y < 2) return Hex(0xFFFFFF);
      if (y >= h - 1) return Hex(0x9A9A9A);
      Rgb base = Ramp(y, 2, Hex(0xF2F2F2), h - 2, Hex(0xCFCFCF));
      return (int(y) % 2 == 0) ? base : Darker(base, 0.045);
    }
    case Look::WinXP: {
      // A bright edge, a lighter band at the top, then a deep blue that darkens downwards.
      if (y < 1) return Hex(0x0A4BE0);
      if (y < 4) return Ramp(y, 1, Hex(0x3C9BFF), 4, Hex(0x1275F4));
      if (y < h - 4) return Ramp(y, 4, Hex(0x0862E8), h - 4, Hex(0x0350D8));
      return Ramp(y, h - 4, Hex(0x0047CC), h - 1, Hex(0x0036B0));
    }
    case Look::DeepBlue: {
      if (y < 2) return Hex(0x8FA8F0);
      if (y >= h - 1) return Hex(0x0C1640);
      return Gloss(2, h - 1, 0.5, Hex(0x5E82E0), Hex(0x3A5CC4), Hex(0x23409E), Hex(0x1A2E78))(0, y);
    }
    case Look::Protein: {
      if (y < 2) return Hex(0xB9BCCD);
      if (y >= h - 2) return y >= h - 1 ? Hex(0x22243A) : Hex(0x5A5EE0);
      return Gloss(2, h - 2, 0.48, Hex(0x8E91A6), Hex(0x6C6F86), Hex(0x4D5066), Hex(0x5D6078))(0,
                                                                                               y);
    }
    case Look::BlueGlass:
      break;
  }
  if (y < 2) return Ramp(y, 0, Hex(0xD8ECFF), 2, Hex(0xA9D0FA));
  if (y >= h - 1) return Hex(0x10285E);
  return Gloss(2, h - 1, 0.45, Hex(0x7FB4F0), Hex(0x4C88DA), Hex(0x1B55B4), Hex(0x2E74CE))(0, y);
}

Rgb TitleOutline(Look look) {
  switch (look) {
    case Look::MacOS:
      return Hex(0x6E6E6E);
    case Look::WinXP:
      return Hex(0x002CC8);
    case Look::DeepBlue:
      return Hex(0x0A1030);
    case Look::Protein:
      return Hex(0x1E2030);
    case Look::BlueGlass:
      break;
  }
  return Hex(0x0A1A3A);
}

}  // namespace resgen::style
