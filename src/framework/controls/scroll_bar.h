#pragma once

#include "framework/graphics/canvas.h"
#include "platform/geometry.h"

namespace somnara::fw {

// A vertical scroll bar inside a control that scrolls rows (the memo's lines, the combo
// box list's items). The owner keeps the truth of what is shown: it hands the bar its
// place and its rows with Update before painting or pressing, and after an input that
// changed Position it scrolls there. Coordinates are the owner's client coordinates.
//
// Arrow boxes at both ends scroll a row; the track above or below the thumb a page;
// the thumb follows the pointer while held, never past either end.
class ScrollBar {
 public:
  // `arrow_length` is the height of each arrow box, 0 for a bar without arrows; the thumb
  // is never shorter than `min_thumb`.
  ScrollBar(int arrow_length, int min_thumb) : arrow_length_(arrow_length), min_thumb_(min_thumb) {}

  // `total` rows of which `page` fit; the first row shown is `position`.
  void Update(const Rect& bounds, int total, int page, int position);
  int Position() const { return position_; }

  // A press inside the bar; true when Position changed. A press outside lets go of it.
  bool Press(Point p);
  // The pointer moved while the button is down; true when Position changed.
  bool Drag(Point p);
  void Release() { held_ = dragging_ = false; }
  // From a press on the bar until Release: the owner's other mouse handling stays out.
  bool Held() const { return held_; }

  void Paint(Canvas& canvas) const;

 private:
  int MaxPosition() const;
  Rect UpArrow() const;
  Rect DownArrow() const;
  Rect Track() const;
  // Empty when there is nothing to scroll or no room for it.
  Rect Thumb() const;
  bool ScrollTo(int position);

  int arrow_length_;
  int min_thumb_;
  Rect bounds_;
  int total_ = 0;
  int page_ = 1;
  int position_ = 0;
  bool held_ = false;
  bool dragging_ = false;
  int drag_start_y_ = 0;
  int drag_start_position_ = 0;
};

}  // namespace somnara::fw
