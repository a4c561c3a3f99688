#pragma once

// Builds BMP files field by field, so that tests can make every depth and every kind of
// broken header.

#include <cstdint>
#include <vector>

namespace somnara::fw::testing {

struct BmpLayout {
  uint32_t header_size = 40;  // 12 core, 40 info, 64 OS/2 2.x, 108 V4, 124 V5
  int32_t width = 1;
  int32_t height = 1;
  uint16_t bits = 24;
  uint32_t compression = 0;
  uint32_t colors_used = 0;
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  std::vector<uint32_t> masks;    // inside V4/V5 headers, else after the info header
  std::vector<uint8_t> pixels;    // exactly as stored
  bool file_header = true;
  int64_t data_offset = -1;  // -1: right after the palette
  uint32_t file_size = 0;    // 0: the real size
};

inline void Put16(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(uint8_t(x));
  v.push_back(uint8_t(x >> 8));
}
inline void Put32(std::vector<uint8_t>& v, uint32_t x) {
  Put16(v, x & 0xFFFF);
  Put16(v, x >> 16);
}

inline std::vector<uint8_t> BuildBmp(const BmpLayout& s) {
  std::vector<uint8_t> header;
  Put32(header, s.header_size);
  if (s.header_size == 12) {
    Put16(header, uint32_t(s.width));
    Put16(header, uint32_t(s.height));
    Put16(header, 1);
    Put16(header, s.bits);
  } else {
    Put32(header, uint32_t(s.width));
    Put32(header, uint32_t(s.height));
    Put16(header, 1);
    Put16(header, s.bits);
    Put32(header, s.compression);
    Put32(header, uint32_t(s.pixels.size()));
    Put32(header, 2835);
    Put32(header, 2835);
    Put32(header, s.colors_used);
    Put32(header, 0);
    if (s.header_size >= 52)
      for (size_t i = 0; i < 4; ++i) Put32(header, i < s.masks.size() ? s.masks[i] : 0);
    header.resize(s.header_size, 0);
  }
  std::vector<uint8_t> extra;
  if (s.header_size == 40 || s.header_size == 64)
    for (uint32_t m : s.masks) Put32(extra, m);
  for (uint32_t c : s.palette) {
    extra.push_back(uint8_t(c));
    extra.push_back(uint8_t(c >> 8));
    extra.push_back(uint8_t(c >> 16));
    if (s.header_size != 12) extra.push_back(0);
  }
  uint32_t prefix = s.file_header ? 14 : 0;
  uint32_t offset = s.data_offset >= 0 ? uint32_t(s.data_offset)
                                       : prefix + uint32_t(header.size() + extra.size());
  std::vector<uint8_t> out;
  if (s.file_header) {
    out.push_back('B');
    out.push_back('M');
    Put32(out, s.file_size ? s.file_size
                           : uint32_t(14 + header.size() + extra.size() + s.pixels.size()));
    Put32(out, 0);
    Put32(out, offset);
  }
  out.insert(out.end(), header.begin(), header.end());
  out.insert(out.end(), extra.begin(), extra.end());
  out.insert(out.end(), s.pixels.begin(), s.pixels.end());
  return out;
}

// Rows padded to whole 32-bit words, in the order given.
inline std::vector<uint8_t> PaddedRows(const std::vector<std::vector<uint8_t>>& rows) {
  std::vector<uint8_t> out;
  for (const auto& row : rows) {
    out.insert(out.end(), row.begin(), row.end());
    for (size_t n = row.size(); n % 4 != 0; ++n) out.push_back(0);
  }
  return out;
}

}  // namespace somnara::fw::testing
