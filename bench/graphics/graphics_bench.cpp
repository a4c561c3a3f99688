// Prints how long the drawing library takes for the work a window repaint does most.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "framework/graphics/bmp_codec.h"
#include "framework/graphics/canvas.h"

using namespace somnara;
using namespace somnara::fw;

namespace {

// Median of several timed runs, in microseconds per call.
double Measure(int rounds, int calls, const std::function<void()>& work) {
  std::vector<double> times;
  work();  // warm caches (glyphs, fonts)
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
  Bitmap screen(1920, 1080);
  Canvas& canvas = screen.GetCanvas();

  // The backdrop's star tile size.
  auto tile = std::make_shared<Bitmap>(290, 217);
  for (int y = 0; y < tile->Height(); ++y)
    for (int x = 0; x < tile->Width(); ++x)
      tile->Scanline(y)[x] = uint32_t((x * 7 + y * 13) & 0xFF);
  canvas.Brush().SetBitmap(tile);
  double pattern = Measure(9, 5, [&] { canvas.FillRect({0, 0, 1920, 1080}); });
  std::printf("pattern brush fill 1920x1080: %.2f ms\n", pattern / 1000.0);

  canvas.Brush().SetBitmap(nullptr);
  canvas.Brush().SetColor(clBtnFace);
  double solid = Measure(9, 5, [&] { canvas.FillRect({0, 0, 1920, 1080}); });
  std::printf("solid fill 1920x1080: %.2f ms\n", solid / 1000.0);

  static constexpr char line[] = "Put a glass of water by the bed, then press Next to go on...";
  static_assert(sizeof line - 1 == 60);
  canvas.Brush().SetStyle(BrushStyle::kClear);
  Rect r{10, 10, 900, 40};
  double text = Measure(9, 200, [&] {
    Rect box = r;
    canvas.DrawText(line, box, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  });
  std::printf("DrawText of a 60-character line: %.1f us\n", text);

  Rect wrap{10, 50, 200, 400};
  double wrapped = Measure(9, 100, [&] {
    Rect box = wrap;
    canvas.DrawText(line, box, DT_WORDBREAK | DT_CENTER);
  });
  std::printf("DrawText of the same line wrapped at 190 px: %.1f us\n", wrapped);

  Bitmap face(222, 21);
  face.SetTransparent(true);
  double stretch = Measure(9, 200, [&] { canvas.StretchDraw({100, 100, 400, 127}, face); });
  std::printf("StretchDraw of a button face to 300x27: %.1f us\n", stretch);

  std::vector<uint8_t> file = EncodeBmp24(screen);
  double decode = Measure(5, 3, [&] { DecodeBmp(file); });
  std::printf("BMP decode 1920x1080 24-bit: %.2f ms\n", decode / 1000.0);
  return 0;
}
