#pragma once

#include <optional>

#include "platform/geometry.h"

struct _XDisplay;

namespace somnara::testing {

// The bounds of a viewable top-level window whose top-left corner is at `corner`, named or
// not (a dropped menu has no name).
std::optional<Rect> ViewableWindowAt(_XDisplay* display, Point corner);

}  // namespace somnara::testing
