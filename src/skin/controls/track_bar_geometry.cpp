#include "skin/controls/track_bar_geometry.h"

#include <algorithm>

namespace somnara::skin {

namespace {

// The room the slider's corner travels along the bar and where its centre starts.
struct Travel {
  int64_t length;  // control length - slider length
  int centre;      // half the slider's length
};

Travel TravelOf(const TrackBarGeometry& g) {
  return g.horizontal ? Travel{int64_t(g.width) - g.slider_width, g.slider_width / 2}
                      : Travel{int64_t(g.height) - g.slider_height, g.slider_height / 2};
}

int64_t Range(const TrackBarGeometry& g) {
  return int64_t(g.max) - g.min;
}

// num / den rounded to the nearest integer, halves to the even neighbour; den != 0.
int64_t RoundHalfEven(int64_t num, int64_t den) {
  if (den < 0) {
    num = -num;
    den = -den;
  }
  int64_t q = num / den;
  int64_t r = num % den;
  if (r < 0) {
    q -= 1;
    r += den;
  }
  if (2 * r > den || (2 * r == den && q % 2 != 0)) ++q;
  return q;
}

int TickAt(const Travel& t, int64_t range, int64_t offset) {
  return int(t.length * offset / range + t.centre);
}

}  // namespace

Point SliderOrigin(const TrackBarGeometry& g, int position) {
  const int64_t range = Range(g);
  const Travel t = TravelOf(g);
  const int along = range == 0 ? 0 : int((int64_t(position) - g.min) * t.length / range);
  if (g.horizontal) return {along, std::max(g.height - g.slider_height, 0) / 2};
  return {std::max(g.width - g.slider_width, 0) / 2, along};
}

int64_t ValueAtPointer(const TrackBarGeometry& g, Point pointer) {
  const Travel t = TravelOf(g);
  if (t.length == 0) return 0;
  // A pointer beyond either end of the travel only needs to stay beyond it; bounding it
  // there keeps the product below within 64 bits for every range.
  const int64_t reach = (t.length < 0 ? -t.length : t.length) + 1;
  const int64_t along =
      std::clamp<int64_t>(int64_t(g.horizontal ? pointer.x : pointer.y) - t.centre, -reach, reach);
  return RoundHalfEven(along * Range(g), t.length) + g.min;
}

int64_t PageTowardPointer(int64_t position, int64_t step, int slider_at, int pointer_at,
                          int64_t pointer_value) {
  if (slider_at < pointer_at) return std::min(position + step, pointer_value);
  if (pointer_at < slider_at) return std::max(position - step, pointer_value);
  return position;
}

std::vector<int> TickOffsets(const TrackBarGeometry& g, int frequency) {
  std::vector<int> ticks;
  const int64_t range = Range(g);
  if (range <= 0) return ticks;
  const Travel t = TravelOf(g);
  auto add = [&ticks](int at) {
    if (ticks.empty() || ticks.back() != at) ticks.push_back(at);
  };
  if (frequency >= 1 && t.length * frequency <= range) {
    // Neighbouring ticks are at most one pixel apart: every pixel of the travel has one.
    for (int64_t p = std::min<int64_t>(0, t.length); p <= std::max<int64_t>(0, t.length); ++p)
      add(int(p + t.centre));
    return ticks;
  }
  if (frequency >= 1) {
    for (int64_t offset = 0; offset <= range; offset += frequency) add(TickAt(t, range, offset));
  } else {
    add(TickAt(t, range, 0));
  }
  add(TickAt(t, range, range));
  return ticks;
}

}  // namespace somnara::skin
