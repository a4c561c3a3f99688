// The main window's photograph: a couple dozing off in bed at night, a lamp glowing at the
// bedside and the moon in the window, 300 x 365, stored as a JPEG. The window shows its
// upper part, so the sleepers sit there.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>

// jpeglib.h expects size_t and FILE to be declared before it.
#include <jpeglib.h>

#include "generator.h"
#include "style_paint.h"

namespace {

using namespace resgen::style;

constexpr int kWidth = 300;
constexpr int kHeight = 365;

// A "z" of the given height, top-left at (x, y), drawn as three strokes.
Sdf LetterZ(double x, double y, double size, double half_width) {
  Sdf top = Segment(x, y, x + size * 0.8, y, half_width);
  Sdf diagonal = Segment(x + size * 0.8, y, x, y + size, half_width);
  Sdf bottom = Segment(x, y + size, x + size * 0.8, y + size, half_width);
  return Union(top, Union(diagonal, bottom));
}

// A closed eye: a downward curve under the brow.
Sdf ClosedEye(double cx, double cy, double half_span) {
  return Arc(cx, cy - half_span * 0.6, half_span, 0.9, 210, 330);
}

struct Sleeper {
  double cx, cy;  // centre of the face
  double rx, ry;  // face radii
  Rgb skin, hair;
  bool long_hair;
  bool yawning;
  double tilt;  // sideways lean of the head in pixels (top moves by this much)
};

void DrawSleeper(Layer& layer, const Sleeper& s) {
  Rgb shade = Darker(s.skin, 0.25);
  if (s.long_hair)  // hair spread over the pillow behind the head
    layer.Fill(Ellipse(s.cx + s.tilt * 0.5, s.cy + 4, s.rx + 13, s.ry + 8),
               VGradient(s.cy - s.ry, Lighter(s.hair, 0.15), s.cy + s.ry, Darker(s.hair, 0.3)));
  // Face with a soft shadow towards the lamp-less side.
  layer.Fill(Ellipse(s.cx, s.cy, s.rx, s.ry),
             [=](double x, double y) { return Ramp(x, s.cx + s.rx, s.skin, s.cx - s.rx, shade); });
  // Hair on top of the head.
  layer.Fill(Intersect(Ellipse(s.cx + s.tilt, s.cy - s.ry * 0.35, s.rx * 1.08, s.ry * 0.85),
                       Subtract(Box(s.cx - 60, s.cy - 80, s.cx + 60, s.cy - s.ry * 0.28),
                                Ellipse(s.cx + s.tilt * 2, s.cy + 4, s.rx * 0.75, s.ry * 0.7))),
             VGradient(s.cy - s.ry, Lighter(s.hair, 0.2), s.cy, s.hair));
  Rgb line = Hex(0x4A2E22);
  double eye_y = s.cy + s.ry * 0.05;
  layer.Fill(ClosedEye(s.cx - s.rx * 0.38, eye_y, s.rx * 0.2), Solid(line));
  layer.Fill(ClosedEye(s.cx + s.rx * 0.38, eye_y, s.rx * 0.2), Solid(line));
  // Cheeks flushed with sleep.
  layer.Fill(Ellipse(s.cx - s.rx * 0.55, s.cy + s.ry * 0.3, s.rx * 0.18, s.ry * 0.1),
             Solid(Hex(0xE58A7C)), 0.45);
  layer.Fill(Ellipse(s.cx + s.rx * 0.55, s.cy + s.ry * 0.3, s.rx * 0.18, s.ry * 0.1),
             Solid(Hex(0xE58A7C)), 0.45);
  layer.Fill(Ellipse(s.cx, s.cy + s.ry * 0.18, s.rx * 0.09, s.ry * 0.08), Solid(shade), 0.6);
  if (s.yawning) {
    layer.Fill(Ellipse(s.cx, s.cy + s.ry * 0.52, s.rx * 0.2, s.ry * 0.22), Solid(Hex(0x5A1E1E)));
    layer.Fill(Ellipse(s.cx, s.cy + s.ry * 0.62, s.rx * 0.12, s.ry * 0.08), Solid(Hex(0xB8555A)));
  } else {
    layer.Fill(Arc(s.cx, s.cy + s.ry * 0.3, s.rx * 0.22, 0.8, 220, 320), Solid(line));
  }
}

bool WriteJpeg(const std::string& path, const resgen::PixelBuffer& p, int quality) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = JDIMENSION(p.width);
  info.image_height = JDIMENSION(p.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(size_t(p.width) * 3);
  while (info.next_scanline < info.image_height) {
    const uint32_t* in = &p.pixels[size_t(info.next_scanline) * size_t(p.width)];
    for (int x = 0; x < p.width; ++x) {
      row[size_t(x) * 3] = JSAMPLE((in[x] >> 16) & 0xFF);
      row[size_t(x) * 3 + 1] = JSAMPLE((in[x] >> 8) & 0xFF);
      row[size_t(x) * 3 + 2] = JSAMPLE(in[x] & 0xFF);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return std::fclose(file) == 0;
}

bool Draw(const std::string& dir) {
  Layer layer(kWidth, kHeight);
  // Night-blue wall, warmer towards the lamp on the right.
  const Rgb wall_dark = Hex(0x1E2140), wall_warm = Hex(0x5A4660);
  layer.Fill(Box(0, 0, kWidth, kHeight), [&](double x, double y) {
    double d = std::hypot(x - 262, y - 70) / 260;
    return Mix(wall_warm, wall_dark, std::min(1.0, d));
  });
  // The window with the night sky and the moon.
  layer.Fill(Box(16, 14, 118, 108, 3), Solid(Hex(0x3B2C2A)));
  layer.Fill(Box(22, 20, 112, 102), VGradient(20, Hex(0x0B1030), 102, Hex(0x22305E)));
  layer.Fill(Subtract(Circle(86, 44, 14), Circle(80, 40, 12)), Solid(Hex(0xF4EBC0)));
  resgen::Random random(3650300);
  for (int i = 0; i < 14; ++i) {
    double x = 24 + random.Below(86), y = 22 + random.Below(78);
    layer.Fill(Circle(x + 0.5, y + 0.5, 0.7 + random.Below(3) * 0.3), Solid(Hex(0xE8ECFF)), 0.8);
  }
  layer.Fill(Box(65, 20, 69, 102), Solid(Hex(0x3B2C2A)));
  layer.Fill(Box(22, 59, 112, 63), Solid(Hex(0x3B2C2A)));
  // The bedside lamp and its glow.
  layer.Fill(Circle(268, 64, 70), Solid(Hex(0xFFD9A0)), 0.12);
  layer.Fill(Circle(268, 64, 38), Solid(Hex(0xFFE2B0)), 0.18);
  layer.Fill(Polygon({{250, 40}, {286, 40}, {296, 78}, {240, 78}}),
             VGradient(40, Hex(0xFFE9C2), 78, Hex(0xF0B870)));
  layer.Fill(Box(265, 78, 271, 120), Solid(Hex(0x6B4B2E)));
  // Headboard.
  layer.Fill(Box(6, 112, 294, 190, 14), VGradient(112, Hex(0x8A5A3A), 190, Hex(0x4E2F1E)));
  layer.Fill(Box(14, 120, 286, 126, 3), Solid(Hex(0xA5734E)), 0.6);
  // Pillows.
  layer.Fill(Ellipse(95, 178, 62, 26), VGradient(152, Hex(0xF4F1EA), 204, Hex(0xB9B4C9)));
  layer.Fill(Ellipse(207, 176, 62, 26), VGradient(150, Hex(0xF4F1EA), 202, Hex(0xB9B4C9)));
  // The two sleepers.
  DrawSleeper(layer, {94, 166, 23, 27, Hex(0xF1C6A4), Hex(0x3A2418), false, true, -3});
  DrawSleeper(layer, {206, 164, 22, 26, Hex(0xF5D0B2), Hex(0xC99A4E), true, false, 3});
  // The quilt over both, its top edge folded back.
  const Rgb quilt_top = Hex(0x6A5AA8), quilt_bottom = Hex(0x2F2660);
  Sdf quilt = Polygon({{0, 200},
                       {40, 194},
                       {90, 200},
                       {150, 196},
                       {210, 199},
                       {260, 194},
                       {300, 198},
                       {300, 365},
                       {0, 365}});
  layer.Fill(quilt, VGradient(194, quilt_top, 365, quilt_bottom));
  layer.Fill(Box(0, 196, 300, 212), VGradient(196, Hex(0xE9E4F2), 212, Hex(0xB2ABCF)));
  for (int row = 0; row < 5; ++row)
    for (int col = 0; col < 7; ++col) {
      double x = 20 + col * 45 + (row % 2) * 22, y = 232 + row * 30;
      layer.Fill(Circle(x, y, 3), Solid(Hex(0xD9D2F5)), 0.55);
    }
  // A hand resting on the quilt.
  layer.Fill(Ellipse(232, 214, 17, 8), Solid(Hex(0xF5D0B2)));
  layer.Fill(Box(244, 206, 300, 222, 7), Solid(Hex(0xE9E4F2)));
  // Zs drifting up from the sleepers.
  for (int i = 0; i < 3; ++i) {
    double size = 7 + i * 4;
    layer.Fill(LetterZ(122 + i * 15, 140 - i * 24, size, 1.0 + i * 0.3), Solid(Hex(0xFFFFFF)),
               0.85 - i * 0.15);
  }
  for (int i = 0; i < 2; ++i) {
    double size = 6 + i * 4;
    layer.Fill(LetterZ(236 + i * 13, 128 - i * 20, size, 1.0 + i * 0.3), Solid(Hex(0xFFFFFF)),
               0.8 - i * 0.2);
  }
  resgen::PixelBuffer picture = layer.Flatten(Solid(Hex(0)));
  // Dim corners and a little grain, as a camera at night gives them.
  resgen::Random grain(8080);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      double dx = (x - kWidth / 2.0) / kWidth, dy = (y - 130.0) / kHeight;
      double light = 1.0 - 0.6 * (dx * dx + dy * dy);
      int noise = grain.Below(9) - 4;
      uint32_t& px = picture.At(x, y);
      uint32_t out = 0;
      for (int shift = 0; shift <= 16; shift += 8) {
        double v = double((px >> shift) & 0xFF) * light + noise;
        out |= uint32_t(std::lround(std::clamp(v, 0.0, 255.0))) << shift;
      }
      px = out;
    }
  return WriteJpeg(dir + "/main_photo.jpg", picture, 88);
}

resgen::Registration registration("main_photo", Draw);

}  // namespace
