// Prints how long the skinned controls' most frequent drawing takes: a push button's face
// is cut from its strip and stretched over the button on every repaint.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "framework/resources.h"
#include "skin/styles/sui_public.h"
#include "skin/styles/sui_style_catalogue.h"

using namespace somnara;
using namespace somnara::skin;

namespace {

// Median of several timed runs, in microseconds per call.
double Measure(int rounds, int calls, const std::function<void()>& work) {
  std::vector<double> times;
  work();
  for (int r = 0; r < rounds; ++r) {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) work();
    std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
    times.push_back(spent.count() / calls);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  resources::RegisterProgramResources();
  struct Case {
    const char* name;
    TsuiUIStyle style;
    int width, height;
  };
  // 80 x 27: a new button; 73 x 25: the message dialog's; 200 x 60: a large one.
  const Case cases[] = {{"DeepBlue", TsuiUIStyle::DeepBlue, 80, 27},
                        {"MacOS (transparent)", TsuiUIStyle::MacOS, 80, 27},
                        {"BlueGlass (transparent)", TsuiUIStyle::BlueGlass, 73, 25},
                        {"WinXP", TsuiUIStyle::WinXP, 200, 60}};
  for (const Case& c : cases) {
    fw::Bitmap face;
    GetStyleBitmap(c.style, StyleItem::kButton, &face, 1, 3);
    bool transparent = GetStyleBool(c.style, StyleItem::kButtonTransparent);
    fw::Bitmap target(c.width, c.height);
    fw::Canvas& canvas = target.GetCanvas();
    double draw = Measure(9, 2000, [&] {
      DrawNineSlice(face, canvas, {0, 0, c.width, c.height}, transparent);
    });
    std::printf("DrawNineSlice of a button face, %s, %dx%d: %.2f us\n", c.name, c.width, c.height,
                draw);
  }
  fw::Bitmap face;
  double fetch = Measure(
      9, 2000, [&] { GetStyleBitmap(TsuiUIStyle::DeepBlue, StyleItem::kButton, &face, 2, 3); });
  std::printf("GetStyleBitmap of face frame 2 of 3 (DeepBlue): %.2f us\n", fetch);

  fw::Bitmap bar, strip(145, 4);
  GetStyleBitmap(TsuiUIStyle::DeepBlue, StyleItem::kTrackBarBar, &bar);
  double three = Measure(9, 2000, [&] {
    DrawThreeSlice(bar, strip.GetCanvas(), {0, 0, 145, 4}, kSkinMagenta);
  });
  std::printf("DrawThreeSlice of a track-bar bar, 145 wide: %.2f us\n", three);
  return 0;
}
