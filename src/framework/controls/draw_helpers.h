#pragma once

#include <string_view>

#include "framework/controls/control_enums.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/color.h"
#include "platform/geometry.h"

namespace somnara::fw {

// The classic three-dimensional look, shared by the standard controls.

// `width` one-pixel rings inside r: top and left in `top_left`, bottom and right in
// `bottom_right`. r shrinks by the rings drawn.
void Frame3D(Canvas& canvas, Rect& r, Color top_left, Color bottom_right, int width);

// Two-ring edges: a raised button, a sunken field, a one-ring etched groove.
void DrawRaisedEdge(Canvas& canvas, Rect& r);
void DrawSunkenEdge(Canvas& canvas, Rect& r);
void DrawEtchedFrame(Canvas& canvas, const Rect& r);

// The box of a text field (edit, memo, combo box): with a border, two sunken rings under
// Ctl3D or one dark line without; inside it, `fill`. Returns the area inside the border.
Rect DrawFieldBox(Canvas& canvas, Rect r, ControlBorder border, bool ctl3d, Color fill);
// How many pixels that border takes from each side.
int FieldBorderSize(ControlBorder border, bool ctl3d);

// The selected bytes [from, to) of a line of text drawn at (x, y), a line `height` tall:
// highlight behind, highlight text over, both kept inside `clip`.
void DrawTextSelection(Canvas& canvas, const Font& font, std::string_view line, size_t from,
                       size_t to, int x, int y, int height, const Rect& clip);
// A text caret at x from top down to bottom.
void DrawCaret(Canvas& canvas, int x, int top, int bottom);

// Text in rect with DrawText flags; a disabled control's text is embossed in the button
// highlight and shadow colours. The canvas brush is left clear.
void DrawControlText(Canvas& canvas, std::string_view text, Rect rect, unsigned flags,
                     bool enabled);

// Size of text laid out with DrawText flags (DT_CALCRECT) in a font; `width` limits the
// lines when DT_WORDBREAK is among the flags.
Size MeasureText(const Font& font, std::string_view text, unsigned flags, int width = 0);

// A check mark of about 7 x 7 pixels with its top-left at (x, y).
void DrawCheckMark(Canvas& canvas, int x, int y, Color color);

// A small solid triangle pointing down, centred in r (drop-down buttons).
void DrawDownArrow(Canvas& canvas, const Rect& r, Color color);

}  // namespace somnara::fw
