#include "framework/graphics/bmp_codec.h"

#include <bit>
#include <string>

#include "framework/exceptions.h"
#include "framework/graphics/bmp_format.h"

namespace somnara::fw {

namespace {

using namespace bmp;

// Run-length data describes at most 255 pixels in two bytes, and a row ends with a code of
// its own; skips and an early end can say more, but no writer leaves a picture that bare.
// Pictures larger than this per byte of compressed data are refused.
constexpr uint64_t kMaxRlePixelsPerByte = 1024;

[[noreturn]] void Fail(const std::string& why) {
  throw Exception("Bitmap image is not valid: " + why);
}

class Bytes {
 public:
  explicit Bytes(std::span<const uint8_t> d) : d_(d) {}
  size_t Size() const { return d_.size(); }
  uint8_t U8(uint64_t off) const {
    Need(off, 1);
    return d_[size_t(off)];
  }
  uint16_t U16(uint64_t off) const {
    Need(off, 2);
    return uint16_t(d_[size_t(off)] | (d_[size_t(off) + 1] << 8));
  }
  uint32_t U32(uint64_t off) const {
    Need(off, 4);
    size_t o = size_t(off);
    return uint32_t(d_[o]) | (uint32_t(d_[o + 1]) << 8) | (uint32_t(d_[o + 2]) << 16) |
           (uint32_t(d_[o + 3]) << 24);
  }
  const uint8_t* At(uint64_t off) const { return d_.data() + size_t(off); }
  void Need(uint64_t off, uint64_t n) const {
    if (off > d_.size() || n > d_.size() - off) Fail("the data ends early");
  }

 private:
  std::span<const uint8_t> d_;
};

// One colour channel described by a bit mask.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  static Channel From(uint32_t mask) {
    Channel c;
    c.mask = mask;
    if (mask == 0) return c;
    c.shift = std::countr_zero(mask);
    c.bits = std::popcount(mask);
    uint32_t run = mask >> c.shift;
    if ((run & (run + 1)) != 0) Fail("a colour mask is not one run of bits");
    return c;
  }
  uint32_t Get(uint32_t v) const {
    if (bits == 0) return 0;
    uint32_t x = (v & mask) >> shift;
    if (bits >= 8) return x >> (bits - 8);
    uint32_t max = (1u << bits) - 1;
    return (x * 255 + max / 2) / max;
  }
};

struct Header {
  uint64_t base = 0;  // where the info header starts
  uint32_t header_size = 0;
  bool core = false;  // 12-byte header: 3-byte palette entries
  bool os2 = false;   // OS/2 2.x header of 16 to 64 bytes
  int64_t width = 0;
  int64_t height = 0;
  uint32_t bits = 0;
  uint32_t compression = kRgb;
  uint32_t colors_used = 0;
  uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
  bool has_masks = false;
  uint64_t data_offset = 0;  // from the file header, 0 when not given
};

Header ReadHeader(const Bytes& in) {
  Header h;
  if (in.Size() >= 2 && in.U8(0) == 'B' && in.U8(1) == 'M') {
    in.Need(0, kFileHeaderSize + 4);
    h.data_offset = in.U32(kPixelOffsetField);
    h.base = kFileHeaderSize;
  } else if (in.Size() < 4) {
    Fail("too short");
  }
  h.header_size = in.U32(h.base);
  uint32_t hs = h.header_size;
  bool info = hs == kInfoHeaderSize || hs == 52 || hs == 56 || hs == 108 || hs == 124;
  if (hs == kCoreHeaderSize) {
    h.core = true;
  } else if (!info && hs >= 16 && hs <= 64) {
    h.os2 = true;
  } else if (!info) {
    Fail("unknown header size " + std::to_string(hs));
  }
  in.Need(h.base, hs);
  uint64_t b = h.base;
  if (h.core) {
    h.width = in.U16(b + kCoreWidthField);
    h.height = in.U16(b + kCoreHeightField);
    h.bits = in.U16(b + kCoreBitCountField);
    return h;
  }
  auto field32 = [&](uint32_t off) -> uint32_t { return off + 4 <= hs ? in.U32(b + off) : 0; };
  h.width = int32_t(in.U32(b + kWidthField));
  h.height = int32_t(in.U32(b + kHeightField));
  h.bits = in.U16(b + kBitCountField);
  h.compression = field32(kCompressionField);
  h.colors_used = field32(kColoursUsedField);
  // OS/2 headers give 3 to Huffman and 4 to 24-bit run-length data.
  if (h.os2 && (h.compression == 3 || h.compression == 4))
    Fail("OS/2 Huffman and RLE24 compression are not supported");
  if (!h.os2 && hs >= 52) {
    for (int i = 0; i < 4; ++i) h.masks[i] = field32(kMasksField + 4 * uint32_t(i));
    if (hs < 56) h.masks[3] = 0;
    h.has_masks = true;
  }
  return h;
}

void DecodeRle(const Bytes& in, uint64_t pos, const Header& h, int width, int height,
               const std::vector<uint32_t>& palette, Bitmap& out) {
  bool rle8 = h.compression == kRle8;
  std::vector<uint8_t> indexes(size_t(width) * size_t(height), 0);
  int64_t x = 0, y = 0;  // y counts rows from the bottom
  auto put = [&](uint32_t index) {
    if (index >= palette.size()) Fail("a colour index lies outside the palette");
    if (x < width && y < height)
      indexes[size_t(height - 1 - y) * size_t(width) + size_t(x)] = uint8_t(index);
    ++x;
  };
  while (y < height) {
    if (pos + 2 > in.Size()) Fail("the compressed data ends early");
    uint32_t count = in.U8(pos), value = in.U8(pos + 1);
    pos += 2;
    if (count > 0) {
      for (uint32_t k = 0; k < count && x <= width; ++k)
        put(rle8 ? value : (k % 2 == 0 ? value >> 4 : value & 15));
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of picture
      break;
    } else if (value == 2) {  // move
      x += in.U8(pos);
      y += in.U8(pos + 1);
      pos += 2;
    } else {  // a run of literal pixels, padded to a whole word
      uint64_t bytes = rle8 ? value : (value + 1) / 2;
      in.Need(pos, bytes);
      for (uint32_t k = 0; k < value && x <= width; ++k) {
        uint32_t byte = in.U8(pos + (rle8 ? k : k / 2));
        put(rle8 ? byte : (k % 2 == 0 ? byte >> 4 : byte & 15));
      }
      pos += bytes + (bytes & 1);
    }
  }
  for (int row = 0; row < height; ++row) {
    uint32_t* dst = out.Scanline(row);
    const uint8_t* src = indexes.data() + size_t(row) * size_t(width);
    for (int col = 0; col < width; ++col) dst[col] = palette[src[col]];
  }
}

}  // namespace

Bitmap DecodeBmp(std::span<const uint8_t> bytes) {
  Bytes in(bytes);
  Header h = ReadHeader(in);

  if (auto problem = LayoutProblem(h.width, h.height, h.bits, h.compression, Bitmap::kMaxPixels))
    Fail(*problem);
  bool top_down = h.height < 0;
  int width = int(h.width), height = int(top_down ? -h.height : h.height);
  uint32_t bits = h.bits;
  uint32_t comp = h.compression;
  bool rle = comp == kRle8 || comp == kRle4;

  uint64_t after_header = h.base + h.header_size;
  uint32_t masks[4] = {0, 0, 0, 0};
  if (comp == kBitFields || comp == kAlphaBitFields) {
    if (h.has_masks) {
      for (int i = 0; i < 4; ++i) masks[i] = h.masks[i];
    } else {
      int n = comp == kAlphaBitFields ? 4 : 3;
      for (int i = 0; i < n; ++i) masks[i] = in.U32(after_header + 4 * uint64_t(i));
      after_header += 4 * uint64_t(n);
    }
  } else if (bits == 16) {
    masks[0] = 0x7C00;
    masks[1] = 0x03E0;
    masks[2] = 0x001F;
  } else if (bits == 32) {
    masks[0] = 0x00FF0000;
    masks[1] = 0x0000FF00;
    masks[2] = 0x000000FF;
  }

  std::vector<uint32_t> palette;
  uint64_t palette_end = after_header;
  if (bits <= 8) {
    uint64_t max_entries = MaxPaletteEntries(bits);
    uint64_t count = h.colors_used ? h.colors_used : max_entries;
    if (count > max_entries) Fail("the palette has more entries than the pixels can address");
    uint64_t entry = PaletteEntrySize(h.header_size);
    // A file whose pixels start before the palette's stated end has a shorter palette.
    if (h.data_offset > after_header && h.data_offset < after_header + count * entry)
      count = (h.data_offset - after_header) / entry;
    in.Need(after_header, count * entry);
    palette.resize(size_t(count));
    for (uint64_t i = 0; i < count; ++i) {
      const uint8_t* e = in.At(after_header + i * entry);
      palette[size_t(i)] = (uint32_t(e[2]) << 16) | (uint32_t(e[1]) << 8) | e[0];
    }
    palette_end = after_header + count * entry;
    if (palette.empty()) Fail("the palette is empty");
  } else if (h.colors_used) {
    // Optional palette of a true-colour picture: only a hint for display devices.
    uint64_t entry = PaletteEntrySize(h.header_size);
    palette_end = after_header + uint64_t(h.colors_used) * entry;
  }

  uint64_t data = h.data_offset ? h.data_offset : palette_end;
  if (data < h.base + h.header_size) Fail("the pixel data would overlap the header");
  if (data > in.Size()) Fail("the pixel data lies beyond the end of the file");

  Channel r = Channel::From(masks[0]), g = Channel::From(masks[1]), b = Channel::From(masks[2]);
  Channel a = Channel::From(masks[3]);
  const PixelFormat format = a.mask ? PixelFormat::k32Bit : PixelFormat::k24Bit;

  // The picture's memory is taken only once the file holds data enough for it, so that a
  // header of a few bytes cannot claim hundreds of megabytes.
  if (rle) {
    if (uint64_t(width) * uint64_t(height) > (in.Size() - data) * kMaxRlePixelsPerByte)
      Fail("the compressed data is too short for the picture size");
    Bitmap out(width, height, format);
    DecodeRle(in, data, h, width, height, palette, out);
    return out;
  }

  uint64_t row_bits = uint64_t(width) * bits;
  uint64_t stride = RowStride(uint64_t(width), bits);
  uint64_t last_row = (row_bits + 7) / 8;  // the last row may lack its padding
  in.Need(data, stride * uint64_t(height - 1) + last_row);
  Bitmap out(width, height, format);

  bool any_alpha = false;
  for (int row = 0; row < height; ++row) {
    const uint8_t* src = in.At(data + stride * uint64_t(row));
    uint32_t* dst = out.Scanline(top_down ? row : height - 1 - row);
    for (int x = 0; x < width; ++x) {
      uint32_t pixel;
      switch (bits) {
        case 1:
        case 4:
        case 8: {
          uint32_t per_byte = 8 / bits;
          uint32_t byte = src[uint32_t(x) / per_byte];
          uint32_t shift = 8 - bits * (uint32_t(x) % per_byte + 1);
          uint32_t index = (byte >> shift) & ((1u << bits) - 1);
          if (index >= palette.size()) Fail("a colour index lies outside the palette");
          pixel = palette[index];
          break;
        }
        case 16: {
          uint32_t v = uint32_t(src[2 * x]) | (uint32_t(src[2 * x + 1]) << 8);
          pixel = (r.Get(v) << 16) | (g.Get(v) << 8) | b.Get(v) | (a.Get(v) << 24);
          break;
        }
        case 24:
          pixel = (uint32_t(src[3 * x + 2]) << 16) | (uint32_t(src[3 * x + 1]) << 8) | src[3 * x];
          break;
        default: {
          const uint8_t* p = src + 4 * x;
          uint32_t v = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) |
                       (uint32_t(p[3]) << 24);
          pixel = (r.Get(v) << 16) | (g.Get(v) << 8) | b.Get(v) | (a.Get(v) << 24);
          break;
        }
      }
      any_alpha = any_alpha || (pixel >> 24) != 0;
      dst[x] = pixel;
    }
  }
  // An alpha channel that is zero everywhere was never meant as one.
  if (a.mask && !any_alpha) out.SetPixelFormat(PixelFormat::k24Bit);
  return out;
}

std::vector<uint8_t> EncodeBmp24(const Bitmap& bitmap) {
  uint32_t width = uint32_t(bitmap.Width()), height = uint32_t(bitmap.Height());
  uint32_t stride = uint32_t(RowStride(width, 24));
  uint32_t image = stride * height;
  uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
  std::vector<uint8_t> out;
  out.reserve(offset + image);
  auto put16 = [&](uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
  };
  auto put32 = [&](uint32_t v) {
    put16(v & 0xFFFF);
    put16(v >> 16);
  };
  out.push_back('B');
  out.push_back('M');
  put32(offset + image);
  put32(0);
  put32(offset);
  put32(kInfoHeaderSize);
  put32(width);
  put32(height);
  put16(1);
  put16(24);
  put32(kRgb);
  put32(image);
  put32(3780);  // 96 dpi in pixels per metre
  put32(3780);
  put32(0);
  put32(0);
  for (uint32_t row = height; row-- > 0;) {
    const uint32_t* src = bitmap.Scanline(int(row));
    for (uint32_t x = 0; x < width; ++x) {
      out.push_back(uint8_t(src[x]));
      out.push_back(uint8_t(src[x] >> 8));
      out.push_back(uint8_t(src[x] >> 16));
    }
    for (uint32_t pad = width * 3; pad < stride; ++pad) out.push_back(0);
  }
  return out;
}

}  // namespace somnara::fw
