#pragma once

// The small symbols of the skin pictures, as shapes centred on (cx, cy) and scaled by
// `size` (about the symbol's height in pixels).

#include "style_paint.h"

namespace resgen::style {

enum class TitleGlyph { ControlBox, Help, Maximise, Restore, Minimise, Close };
enum class Direction { Up, Down, Left, Right };

Sdf CloseGlyph(double cx, double cy, double size, double stroke);
Sdf MinimiseGlyph(double cx, double cy, double size, double stroke);
Sdf MaximiseGlyph(double cx, double cy, double size, double stroke);
Sdf RestoreGlyph(double cx, double cy, double size, double stroke);
Sdf HelpGlyph(double cx, double cy, double size, double stroke);
Sdf MenuGlyph(double cx, double cy, double size, double stroke);
Sdf TitleGlyphShape(TitleGlyph glyph, double cx, double cy, double size, double stroke);

Sdf Arrow(Direction d, double cx, double cy, double size);
Sdf CheckMark(double cx, double cy, double size, double stroke);
Sdf Exclamation(double cx, double cy, double size, double stroke);
Sdf InfoLetter(double cx, double cy, double size, double stroke);
Sdf Plus(double cx, double cy, double size, double stroke);
Sdf Minus(double cx, double cy, double size, double stroke);
// Rows of small dots, the grip of handles: `columns` x `rows` dots `step` apart.
Sdf Grip(double cx, double cy, int columns, int rows, double step, double radius);

}  // namespace resgen::style
