#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/controls/text_edit_state.h"
#include "framework/graphics/color.h"
#include "framework/graphics/font.h"
#include "platform/geometry.h"
#include "platform/utf8.h"

namespace somnara::fw {

class Canvas;

// The single-line editing that the edit field and the combo box's text share: keys,
// typing, the caret and selection, horizontal scrolling and painting.
class LineEditor {
 public:
  TextEditState& State() { return state_; }
  const TextEditState& State() const { return state_; }

  // Caret keys, Delete and Ctrl+A. Returns true when the key was used; `changed` tells
  // whether the text changed.
  bool KeyDown(uint32_t key, unsigned shift, bool read_only, bool& changed);
  // Typed characters and Backspace (character 8).
  bool KeyPress(char32_t ch, bool read_only, size_t max_chars, bool& changed);

  // The character boundary nearest to x (pixels from the text area's left edge).
  size_t OffsetAt(const Font& font, int x) const;
  // Keeps the caret inside a text area of this width.
  void ScrollToCaret(const Font& font, int width);
  int ScrollX() const { return scroll_x_; }

  // Draws the text in r (clipped to it), vertically centred; with focus, the selection and
  // the caret too.
  void Paint(Canvas& canvas, const Rect& r, const Font& font, bool focused, bool enabled) const;

 private:
  TextEditState state_;
  int scroll_x_ = 0;
};

using platform::EncodeUtf8;

}  // namespace somnara::fw
