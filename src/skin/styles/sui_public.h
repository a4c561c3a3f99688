#pragma once

#include "framework/exceptions.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/color.h"
#include "platform/geometry.h"
#include "skin/styles/tsui_ui_style.h"

namespace somnara::fw {
class Control;
class WinControl;
}  // namespace somnara::fw

namespace somnara::skin {

class TsuiThemeBase;

// Drawing routines every skinned control shares.

// The colour of picture pixels that skinned pictures leave out (255,0,255).
inline constexpr fw::Color kSkinMagenta = fw::MakeColor(255, 0, 255);

// Frame `frame_index` (1-based) of `frame_count` equal frames side by side in `source`:
// frames are source width / count wide (integer division) and start at (index - 1) x
// that width, except the last, which is taken from the right edge so that a remainder of
// the division falls before it. `target` becomes a copy of the frame (pixels and size).
// A count below 1 or an index outside 1..count throws fw::Exception, `target` unchanged.
void SplitPiece(const fw::Bitmap& source, fw::Bitmap& target, int frame_count, int frame_index);

// Three equal slices (left cap, middle, right cap) along `rect`, at its top, unscaled in
// height: the caps at the two ends and the middle stretched between them; a rectangle
// narrower than one slice shows only the left cap, cut to its width. Pixels of
// `transparent` are left out; clNone leaves nothing out.
void DrawThreeSlice(const fw::Bitmap& picture, fw::Canvas& canvas, const Rect& rect,
                    fw::Color transparent = fw::clNone);

// A picture stretched over `rect` by its middle column and row: the four corners keep
// their size (each at most half of the rectangle), the one-pixel middle column, row and
// centre are stretched over the edges and the middle. With `transparent`, magenta
// pixels of the corners are left out; magenta pixels of the stretched parts always are.
void DrawNineSlice(const fw::Bitmap& picture, fw::Canvas& canvas, const Rect& rect,
                   bool transparent);

// Makes the bitmap 24 bits per pixel and replaces every pixel of colour `from` by `to`.
void ReplaceColour(fw::Bitmap& bitmap, fw::Color from, fw::Color to);

// A quarter turn: the pixel at (x, y) moves to (y, W - 1 - x), so the left end of the
// picture ends up at the bottom. The bitmap takes the new size.
void RotateBitmap(fw::Bitmap& bitmap);

// Has the control's parent erase and paint its own client area into `canvas`, shifted so
// that the control's top-left corner lands on the canvas origin and clipped to the
// parent's client area: what a transparent control shows behind itself. Nothing happens
// for a control without a parent.
void PaintParentBackground(fw::Canvas& canvas, const fw::Control& control);

// Repeats `picture` from (0, 0) in steps of its size until `rect` is covered.
void TileDraw(fw::Canvas& canvas, const fw::Bitmap& picture, const Rect& rect);

// Gives every direct child of `container` that publishes both FileTheme and UIStyle the
// theme and then the style.
void PropagateTheme(fw::WinControl& container, TsuiUIStyle ui_style, TsuiThemeBase* file_theme);

}  // namespace somnara::skin
