#pragma once

// The five built-in styles as the picture generator sees them: names, colours shared with
// the style catalogue, and the sizes of the pictures whose size the controls rely on.

#include <array>

#include "style_paint.h"

namespace resgen::style {

enum class Look { MacOS, WinXP, DeepBlue, Protein, BlueGlass };
inline constexpr std::array<Look, 5> kLooks = {Look::MacOS, Look::WinXP, Look::DeepBlue,
                                               Look::Protein, Look::BlueGlass};

struct Palette {
  const char* prefix;  // resource name prefix: "MACOS", ...
  Rgb client;          // window client colour (catalogue item 15)
  Rgb border;          // frame border colour (item 16)
  Rgb accent;          // selection colour (item 19)
  bool button_keyed;   // button face drawn with transparency (item 2)
  bool title_keyed;    // title-bar button pictures transparent (item 6)
  int button_width;    // one face frame; the picture holds three
  int button_height;
  int title_button;      // one title-bar button frame (square); the strip holds 18
  int title_button_top;  // item 9: where the buttons sit in the full title picture
  int title_height;
  int title_left, title_client, title_right;  // widths of the three title pictures
  int round_corner;                           // item 14
  int bar_height;                             // track-bar bar: 45 x this
  int slider_width, slider_height;            // horizontal slider
  int vslider_width, vslider_height;          // vertical slider
};

const Palette& PaletteOf(Look look);

// The title strip's colour at row y (0 = the window's top edge), without the outline.
Rgb TitleRow(Look look, double y);
// The title's outline colour (its top row and rounded corners).
Rgb TitleOutline(Look look);

}  // namespace resgen::style
