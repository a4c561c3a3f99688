#include "datagen/moon_picture.h"

#include <gif_lib.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

namespace somnara::datagen {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kSize = kMoonPictureSize;
constexpr int kFrames = kMoonPictureFrames;
constexpr int kDelayCentiseconds = 25;  // 12 frames: one breath of three seconds
constexpr int kSupersample = 4;

// The palette is one warm moonlight hue from black to full; a pixel's index is its
// brightness, which keeps the anti-aliased edges smooth.
constexpr double kMoonRed = 255, kMoonGreen = 238, kMoonBlue = 180;

struct Disc {
  double x, y, r;
  bool Inside(double px, double py) const {
    return (px - x) * (px - x) + (py - y) * (py - y) <= r * r;
  }
  double Distance(double px, double py) const { return std::hypot(px - x, py - y); }
};

const Disc kMoon{29, 34, 17};
const Disc kBite{37, 28, 15};  // what the shadow takes away, leaving the crescent

double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
  double dx = bx - ax, dy = by - ay;
  double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// A small "z" with its top-left corner at (x, y).
double ZCoverage(double px, double py, double x, double y, double size) {
  double d = std::min({SegmentDistance(px, py, x, y, x + size, y),
                       SegmentDistance(px, py, x + size, y, x, y + size),
                       SegmentDistance(px, py, x, y + size, x + size, y + size)});
  return std::clamp(1.0 - (d - 0.35) / 0.6, 0.0, 1.0);
}

// The moon's own light at a point on it, 0 where the point is off the crescent.
double MoonLight(double px, double py) {
  if (!kMoon.Inside(px, py) || kBite.Inside(px, py)) return 0;
  // Brighter towards the lit rim, with two faint grey seas.
  double rim = kMoon.Distance(px, py) / kMoon.r;
  double light = 0.78 + 0.2 * rim;
  if (std::hypot(px - 19, py - 38) < 3.2 || std::hypot(px - 25, py - 45) < 2.2) light -= 0.12;
  // A closed, sleeping eye: a short curved line on the thick of the crescent.
  double eye = std::fabs(std::hypot(px - 20, py - 30) - 3.2);
  if (eye < 0.55 && py > 30) light = 0.35;
  return light;
}

// The night around the moon at a point: twinkling stars and two rising letters.
double Sky(double px, double py, int frame) {
  const double phase = 2 * kPi * frame / kFrames;
  double value = 0;
  struct Star {
    double x, y, phase;
  };
  for (const Star& s : {Star{8, 9, 2.1}, Star{30, 5, 0.0}, Star{60, 36, 5.1}, Star{57, 52, 4.0},
                        Star{44, 59, 1.2}, Star{5, 50, 3.3}}) {
    double twinkle = 0.35 + 0.65 * (0.5 + 0.5 * std::sin(phase + s.phase));
    double d2 = (px - s.x) * (px - s.x) + (py - s.y) * (py - s.y);
    double arms = std::exp(-std::min(std::fabs(px - s.x), std::fabs(py - s.y)) * 2.5) *
                  std::exp(-std::sqrt(d2) / 1.6);
    value = std::max(value, twinkle * (std::exp(-d2 / 0.8) + 0.5 * arms));
  }
  for (int z = 0; z < 2; ++z) {
    double life = std::fmod(double(frame) / kFrames + 0.5 * z, 1.0);
    double alpha = std::sin(kPi * life);
    double size = 3.5 + 2.5 * life;
    double zx = 44 + 8 * life, zy = 24 - 16 * life;
    value = std::max(value, 0.7 * alpha * ZCoverage(px, py, zx, zy, size));
  }
  return value;
}

// Averages f over a grid of points inside each pixel: smooth edges.
template <typename F>
std::vector<double> Supersampled(F f) {
  std::vector<double> out(size_t(kSize * kSize));
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      double sum = 0;
      for (int sy = 0; sy < kSupersample; ++sy)
        for (int sx = 0; sx < kSupersample; ++sx)
          sum += f(x + (sx + 0.5) / kSupersample, y + (sy + 0.5) / kSupersample);
      out[size_t(y * kSize + x)] = sum / (kSupersample * kSupersample);
    }
  return out;
}

// The crescent's halo: its shape blurred, so the light spreads from the lit part only.
std::vector<double> Halo(const std::vector<double>& coverage) {
  constexpr int kRadius = 12;
  constexpr double kSigma = 4.0;
  double weights[2 * kRadius + 1];
  double total = 0;
  for (int k = -kRadius; k <= kRadius; ++k)
    total += weights[k + kRadius] = std::exp(-k * k / (2 * kSigma * kSigma));
  for (double& w : weights) w /= total;
  auto blur = [&](const std::vector<double>& in, int dx, int dy) {
    std::vector<double> out(in.size(), 0.0);
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x)
        for (int k = -kRadius; k <= kRadius; ++k) {
          int sx = x + k * dx, sy = y + k * dy;
          if (sx >= 0 && sx < kSize && sy >= 0 && sy < kSize)
            out[size_t(y * kSize + x)] += weights[k + kRadius] * in[size_t(sy * kSize + sx)];
        }
    return out;
  };
  return blur(blur(coverage, 1, 0), 0, 1);
}

std::vector<GifByteType> DrawFrame(int frame, const std::vector<double>& light,
                                   const std::vector<double>& coverage,
                                   const std::vector<double>& halo) {
  // The halo breathes: faint at the first frame, strongest halfway.
  const double breath = 0.5 - 0.5 * std::cos(2 * kPi * frame / kFrames);
  std::vector<double> sky = Supersampled([frame](double x, double y) { return Sky(x, y, frame); });
  std::vector<GifByteType> pixels(size_t(kSize * kSize));
  for (size_t i = 0; i < pixels.size(); ++i) {
    double around = std::max(sky[i], halo[i] * (0.45 + 0.55 * breath));
    double value = light[i] + (1 - coverage[i]) * around;
    pixels[i] = GifByteType(std::lround(std::clamp(value, 0.0, 1.0) * 255));
  }
  return pixels;
}

int AppendOutput(GifFileType* gif, const GifByteType* data, int length) {
  auto* out = static_cast<Bytes*>(gif->UserData);
  out->insert(out->end(), data, data + length);
  return length;
}

[[noreturn]] void Fail(const char* step, int code) {
  const char* text = GifErrorString(code);
  throw std::runtime_error(std::string("GIF encoder failed at ") + step + ": " +
                           (text ? text : "error " + std::to_string(code)));
}

}  // namespace

Bytes RenderMoonPicture() {
  Bytes out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, AppendOutput, &error);
  if (!gif) Fail("open", error);
  // Closes the encoder on every way out; the close of a finished file is checked below.
  auto closer = [](GifFileType* g) {
    if (g) {
      int ignored = 0;
      EGifCloseFile(g, &ignored);
    }
  };
  std::unique_ptr<GifFileType, decltype(closer)> guard(gif, closer);

  std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> palette(GifMakeMapObject(256, nullptr),
                                                                     GifFreeMapObject);
  if (!palette) throw std::runtime_error("GIF encoder failed: no memory for the palette");
  for (int i = 0; i < 256; ++i) {
    double v = i / 255.0;
    palette->Colors[i] = GifColorType{GifByteType(std::lround(kMoonRed * v)),
                                      GifByteType(std::lround(kMoonGreen * v)),
                                      GifByteType(std::lround(kMoonBlue * v))};
  }

  EGifSetGifVersion(gif, true);
  if (EGifPutScreenDesc(gif, kSize, kSize, 8, 0, palette.get()) != GIF_OK)
    Fail("screen", gif->Error);

  // Repeat for ever.
  const GifByteType loop_name[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
  const GifByteType loop_count[] = {1, 0, 0};
  if (EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
      EGifPutExtensionBlock(gif, sizeof loop_name, loop_name) != GIF_OK ||
      EGifPutExtensionBlock(gif, sizeof loop_count, loop_count) != GIF_OK ||
      EGifPutExtensionTrailer(gif) != GIF_OK)
    Fail("loop extension", gif->Error);

  const std::vector<double> light = Supersampled(MoonLight);
  const std::vector<double> coverage =
      Supersampled([](double x, double y) { return MoonLight(x, y) > 0 ? 1.0 : 0.0; });
  const std::vector<double> halo = Halo(coverage);
  for (int frame = 0; frame < kFrames; ++frame) {
    GraphicsControlBlock control{DISPOSE_DO_NOT, false, kDelayCentiseconds, NO_TRANSPARENT_COLOR};
    GifByteType block[4];
    size_t length = EGifGCBToExtension(&control, block);
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), block) != GIF_OK)
      Fail("frame timing", gif->Error);
    if (EGifPutImageDesc(gif, 0, 0, kSize, kSize, false, nullptr) != GIF_OK)
      Fail("frame", gif->Error);
    std::vector<GifByteType> pixels = DrawFrame(frame, light, coverage, halo);
    for (int y = 0; y < kSize; ++y)
      if (EGifPutLine(gif, pixels.data() + size_t(y * kSize), kSize) != GIF_OK)
        Fail("pixels", gif->Error);
  }

  if (EGifCloseFile(guard.release(), &error) != GIF_OK) Fail("close", error);
  return out;
}

}  // namespace somnara::datagen
