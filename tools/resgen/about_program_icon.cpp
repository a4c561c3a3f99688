// The program's icon: a golden crescent moon and a star on a midnight-blue disc, as one icon
// file with nine images: 48, 32 and 16 pixels square, each in 16 colours, in 256 colours and
// in 32-bit colour with alpha.
#include <algorithm>
#include <cmath>
#include <map>

#include "generator.h"
#include "picture/little_endian.h"
#include "program_icon_picture.h"

namespace {

using resgen::Rgba;
using somnara::picture::PutU16;
using somnara::picture::PutU32;

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
  std::vector<Rgba> pixels = resgen::DrawProgramIcon(size, bits == 4);
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
