#pragma once

#include <cstdint>
#include <vector>

#include "platform/geometry.h"

namespace somnara::skin {

// The sizes and range the skinned track bar's arithmetic works on. Along the bar the
// slider's left (or top) edge runs from 0 to the control's length minus the slider's, so
// the whole slider always stays inside the control.
struct TrackBarGeometry {
  bool horizontal = true;
  int width = 0;  // the control
  int height = 0;
  int slider_width = 0;
  int slider_height = 0;
  int min = 0;
  int max = 10;
};

// The slider's top-left corner for `position`: along the bar in proportion to the range
// (at the start when the range is empty), centred across it. Divisions truncate.
Point SliderOrigin(const TrackBarGeometry& g, int position);

// The value whose slider centre lies at `pointer`, rounded to the nearest value (halves to
// even); not clamped to the range, so a pointer beyond an end gives a value beyond it. A
// slider as long as the control gives 0.
int64_t ValueAtPointer(const TrackBarGeometry& g, Point pointer);

// One paging step of `step` from `position` toward the pointer: up to `pointer_value` when
// the pointer lies beyond the slider's corner `slider_at`, down to it when before, nothing
// when level; the step never passes the value under the pointer.
int64_t PageTowardPointer(int64_t position, int64_t step, int slider_at, int pointer_at,
                          int64_t pointer_value);

// Where the tick marks go along the bar (x when horizontal, y when vertical): for Min,
// every `frequency`-th value after it, and Max; none for an empty range. A frequency below
// 1 marks the two ends only. Ticks that would fall on one pixel are given once.
std::vector<int> TickOffsets(const TrackBarGeometry& g, int frequency);

}  // namespace somnara::skin
