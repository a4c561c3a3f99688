#pragma once

#include "framework/controls/speed_button.h"
#include "framework/graphics/bitmap.h"
#include "platform/geometry.h"

namespace somnara::skin {

// Where a skinned button puts its glyph and its caption.
struct ButtonGlyphPlaces {
  Point glyph;
  Point text;
};

// The size of the picture a glyph shows: a glyph twice as wide as high holds two square
// frames (enabled, disabled).
Size GlyphFrameSize(const fw::Bitmap& glyph);

// Glyph and caption centred together in a button of size `button`, `spacing` apart, the
// glyph on the side `layout` names. Halves round toward zero.
ButtonGlyphPlaces PlaceGlyph(fw::ButtonLayout layout, Size button, Size text, Size glyph,
                             int spacing);

// The picture to draw for a glyph, keyed on the glyph's top-left pixel: the second frame of
// a two-frame glyph when disabled, else the first; a one-frame glyph comes out greyed when
// disabled.
fw::Bitmap GlyphPicture(const fw::Bitmap& glyph, bool enabled);

}  // namespace somnara::skin
