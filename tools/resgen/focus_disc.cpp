// The focus step's picture: a red disc crossed by black horizontal stripes, on black,
// 477 x 489. The disc sits in the upper 469 rows, which are what the window shows.
#include <algorithm>
#include <cmath>

#include "generator.h"

namespace {

constexpr int kWidth = 477;
constexpr int kHeight = 489;
constexpr double kCentreX = 238.0;
constexpr double kCentreY = 234.0;
constexpr double kRadius = 218.0;
constexpr int kStripePeriod = 24;  // rows from one stripe to the next
constexpr int kStripeRows = 7;     // black rows in each stripe

uint32_t Red(double coverage, double shade) {
  int r = int(std::lround(std::clamp(coverage * shade, 0.0, 1.0) * 255.0));
  int g = int(std::lround(std::clamp(coverage * shade, 0.0, 1.0) * 16.0));
  return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(g);
}

bool Draw(const std::string& dir) {
  resgen::PixelBuffer picture(kWidth, kHeight, 0);
  for (int y = 0; y < kHeight; ++y) {
    // The stripes are centred on the disc's middle row so it looks the same both ways.
    int phase =
        ((y - int(kCentreY) + kStripeRows / 2) % kStripePeriod + kStripePeriod) % kStripePeriod;
    if (phase < kStripeRows) continue;
    for (int x = 0; x < kWidth; ++x) {
      // Four samples per pixel smooth the rim.
      double coverage = 0;
      for (double sy : {0.25, 0.75})
        for (double sx : {0.25, 0.75}) {
          double dx = x + sx - kCentreX, dy = y + sy - kCentreY;
          if (dx * dx + dy * dy <= kRadius * kRadius) coverage += 0.25;
        }
      if (coverage == 0) continue;
      // A little darker towards the rim, so the disc has some depth.
      double distance = std::hypot(x + 0.5 - kCentreX, y + 0.5 - kCentreY) / kRadius;
      double shade = 1.0 - 0.25 * distance * distance;
      picture.At(x, y) = Red(coverage, shade);
    }
  }
  return resgen::WriteBmp24(dir + "/focus_disc.bmp", picture);
}

resgen::Registration registration("focus_disc", Draw);

}  // namespace
