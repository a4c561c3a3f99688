#pragma once

#include <optional>
#include <vector>

#include "platform/geometry.h"

struct _XDisplay;

namespace somnara::testing {

// The bounds of a viewable top-level window whose top-left corner is at `corner`, named or
// not (a dropped menu has no name).
std::optional<Rect> ViewableWindowAt(_XDisplay* display, Point corner);
// The rectangles of a window's bounding shape (its outline), in the window's coordinates.
std::vector<Rect> WindowShape(_XDisplay* display, unsigned long window);
// Whether the X server gives the keyboard to one of these windows.
bool HasInputFocus(_XDisplay* display, unsigned long window, unsigned long frame);

}  // namespace somnara::testing
