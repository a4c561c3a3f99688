// The program's icon: a golden crescent moon and a star on a midnight-blue disc, as one icon
// file with nine images: 48, 32 and 16 pixels square, each in 16 colours, in 256 colours and
// in 32-bit colour with alpha.
#include <algorithm>
#include <cmath>
#include <map>

#include "generator.h"
#include "picture/little_endian.h"
#include "style_paint.h"

namespace {

using namespace resgen::style;
using somnara::picture::PutU16;
using somnara::picture::PutU32;

// Straight (not premultiplied) colour and alpha of one pixel.
struct Rgba {
  uint32_t rgb = 0;
  uint8_t alpha = 0;
};

// `classic`: flat colours of the sixteen-colour palette, for the 16-colour images, where
// gradients would break up into unrelated colours.
std::vector<Rgba> DrawIcon(int size, bool classic) {
  const double s = size / 32.0;
  Layer layer(size, size);
  const double c = size / 2.0;
  Paint disc = [=](double x, double y) {
    double d = std::hypot(x - c * 0.8, y - c * 0.7) / (c * 1.4);
    return Mix(Hex(0x3A4A9A), Hex(0x0E1440), std::min(1.0, d));
  };
  layer.Fill(Circle(c, c, c - 0.5 * s), classic ? Solid(Hex(0x000080)) : disc);
  if (size >= 32 && !classic)
    layer.Stroke(Circle(c, c, c - 1.0 * s), 1.0, Solid(Hex(0x7C8CD8)), 0.6);
  layer.Fill(Subtract(Circle(c - 2 * s, c + 1 * s, 10 * s), Circle(c + 3 * s, c - 3 * s, 9 * s)),
             classic ? Solid(Hex(0xFFFF00))
                     : VGradient(c - 10 * s, Hex(0xFFF1B0), c + 10 * s, Hex(0xF0B83A)));
  // A four-pointed star to the upper right.
  const double sx = c + 7 * s, sy = c - 6 * s, r = 4.5 * s, w = 1.3 * s;
  layer.Fill(Polygon({{sx, sy - r},
                      {sx + w, sy - w},
                      {sx + r, sy},
                      {sx + w, sy + w},
                      {sx, sy + r},
                      {sx - w, sy + w},
                      {sx - r, sy},
                      {sx - w, sy - w}}),
             Solid(Hex(0xFFFBE8)));
  // Colour and coverage back from the layer laid over black and over white.
  resgen::PixelBuffer on_black = layer.Flatten(Solid(Hex(0x000000)));
  resgen::PixelBuffer on_white = layer.Flatten(Solid(Hex(0xFFFFFF)));
  std::vector<Rgba> out(size_t(size) * size);
  for (size_t i = 0; i < out.size(); ++i) {
    const uint32_t b = on_black.pixels[i], wh = on_white.pixels[i];
    int seen = 0;
    for (int shift = 0; shift <= 16; shift += 8)
      seen = std::max(seen, int((wh >> shift) & 0xFF) - int((b >> shift) & 0xFF));
    const int alpha = 255 - seen;
    out[i].alpha = uint8_t(alpha);
    if (alpha == 0) continue;
    uint32_t rgb = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
      int v = int(std::lround(((b >> shift) & 0xFF) * 255.0 / alpha));
      rgb |= uint32_t(std::min(v, 255)) << shift;
    }
    out[i].rgb = rgb;
  }
  return out;
}

// The sixteen colours of the classic palette.
const std::vector<uint32_t> kSixteen = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                        0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                        0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

uint32_t Nearest(const std::vector<uint32_t>& palette, uint32_t rgb) {
  uint32_t best = 0;
  long best_distance = -1;
  for (uint32_t i = 0; i < palette.size(); ++i) {
    long distance = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
      long d = long((rgb >> shift) & 0xFF) - long((palette[i] >> shift) & 0xFF);
      distance += d * d;
    }
    if (best_distance < 0 || distance < best_distance) {
      best_distance = distance;
      best = i;
    }
  }
  return best;
}

// An image without alpha: half-covered pixels and more are shown, laid over a grey like the
// window faces they usually sit on.
uint32_t Solidified(const Rgba& p) {
  const uint32_t grey = 0xC0;
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    uint32_t v = (((p.rgb >> shift) & 0xFF) * p.alpha + grey * (255 - p.alpha) + 127) / 255;
    out |= v << shift;
  }
  return out;
}

// One image of the icon file: header, palette, colour rows and mask rows, bottom up.
std::vector<uint8_t> IconImage(int size, int bits) {
  std::vector<Rgba> pixels = DrawIcon(size, bits == 4);
  std::vector<uint32_t> palette;
  std::vector<uint32_t> indices(pixels.size(), 0);
  if (bits == 4) {
    palette = kSixteen;
    for (size_t i = 0; i < pixels.size(); ++i)
      if (pixels[i].alpha >= 128) indices[i] = Nearest(palette, pixels[i].rgb);
  } else if (bits == 8) {
    std::map<uint32_t, int> counts;
    for (const Rgba& p : pixels)
      if (p.alpha >= 128) ++counts[Solidified(p)];
    std::vector<std::pair<int, uint32_t>> ranked;
    for (auto [colour, count] : counts) ranked.emplace_back(-count, colour);
    std::sort(ranked.begin(), ranked.end());
    palette.push_back(0x000000);  // what the masked pixels show
    for (size_t i = 0; i < ranked.size() && palette.size() < 256; ++i)
      palette.push_back(ranked[i].second);
    palette.resize(256, 0);
    for (size_t i = 0; i < pixels.size(); ++i)
      if (pixels[i].alpha >= 128) indices[i] = Nearest(palette, Solidified(pixels[i]));
  }
  const int colour_row = ((size * bits + 31) / 32) * 4;
  const int mask_row = ((size + 31) / 32) * 4;
  std::vector<uint8_t> s;
  PutU32(s, 40);
  PutU32(s, uint32_t(size));
  PutU32(s, uint32_t(size * 2));
  PutU16(s, 1);
  PutU16(s, uint16_t(bits));
  PutU32(s, 0);
  PutU32(s, uint32_t((colour_row + mask_row) * size));
  PutU32(s, 0);
  PutU32(s, 0);
  PutU32(s, 0);
  PutU32(s, 0);
  for (uint32_t c : palette) PutU32(s, c & 0xFFFFFF);
  for (int y = size - 1; y >= 0; --y) {
    std::vector<uint8_t> row(size_t(colour_row), 0);
    for (int x = 0; x < size; ++x) {
      const size_t i = size_t(y) * size + x;
      if (bits == 32) {
        const Rgba& p = pixels[i];
        row[size_t(x) * 4] = uint8_t(p.rgb);
        row[size_t(x) * 4 + 1] = uint8_t(p.rgb >> 8);
        row[size_t(x) * 4 + 2] = uint8_t(p.rgb >> 16);
        row[size_t(x) * 4 + 3] = p.alpha;
      } else if (bits == 8) {
        row[size_t(x)] = uint8_t(indices[i]);
      } else {
        row[size_t(x) / 2] = uint8_t(row[size_t(x) / 2] | (indices[i] << (x % 2 ? 0 : 4)));
      }
    }
    s.insert(s.end(), row.begin(), row.end());
  }
  for (int y = size - 1; y >= 0; --y) {
    std::vector<uint8_t> row(size_t(mask_row), 0);
    for (int x = 0; x < size; ++x)
      if (pixels[size_t(y) * size + x].alpha < 128)
        row[size_t(x) / 8] = uint8_t(row[size_t(x) / 8] | (0x80 >> (x % 8)));
    s.insert(s.end(), row.begin(), row.end());
  }
  return s;
}

bool Draw(const std::string& dir) {
  struct Entry {
    int size, bits;
    std::vector<uint8_t> data;
  };
  std::vector<Entry> entries;
  for (int bits : {4, 8, 32})
    for (int size : {48, 32, 16}) entries.push_back({size, bits, IconImage(size, bits)});
  std::vector<uint8_t> file;
  PutU16(file, 0);
  PutU16(file, 1);
  PutU16(file, uint16_t(entries.size()));
  uint32_t offset = uint32_t(6 + 16 * entries.size());
  for (const Entry& e : entries) {
    file.push_back(uint8_t(e.size));
    file.push_back(uint8_t(e.size));
    file.push_back(e.bits == 4 ? 16 : 0);
    file.push_back(0);
    PutU16(file, 1);
    PutU16(file, uint16_t(e.bits));
    PutU32(file, uint32_t(e.data.size()));
    PutU32(file, offset);
    offset += uint32_t(e.data.size());
  }
  for (const Entry& e : entries) file.insert(file.end(), e.data.begin(), e.data.end());
  return somnara::picture::WriteFileBytes(dir + "/somnara.ico", file);
}

resgen::Registration registration("program_icon", Draw);

}  // namespace
