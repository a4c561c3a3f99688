#include "support/screen_image.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace somnara::testing {
namespace {

uint32_t Le(const std::vector<unsigned char>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + size_t(i)];
  return v;
}

void Note(Comparison* c, int x, int y, uint32_t seen, uint32_t expected) {
  ++c->checked;
  if (seen == expected) return;
  if (c->different++ == 0) {
    c->first = {x, y};
    c->seen = seen;
    c->expected = expected;
  }
}

}  // namespace

ScreenImage ScreenImage::Crop(const Rect& area) const {
  const Rect r = area.Intersect(Bounds());
  ScreenImage out;
  out.left = r.left;
  out.top = r.top;
  out.width = r.Width();
  out.height = r.Height();
  out.pixels.reserve(size_t(out.width) * size_t(out.height));
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) out.pixels.push_back(At(x, y));
  return out;
}

bool ReadBmp(const std::string& path, ScreenImage* image, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = "cannot open " + path;
    return false;
  }
  const std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') {
    *error = path + " is not a BMP file";
    return false;
  }
  const uint32_t offset = Le(b, 10, 4);
  const int width = int32_t(Le(b, 18, 4));
  const int raw_height = int32_t(Le(b, 22, 4));
  const int bits = int(Le(b, 28, 2));
  const uint32_t compression = Le(b, 30, 4);
  const int height = raw_height < 0 ? -raw_height : raw_height;
  if (width <= 0 || height <= 0 || width > 100000 || height > 100000 ||
      (bits != 24 && bits != 32) || (compression != 0 && !(bits == 32 && compression == 3))) {
    *error = path + ": only uncompressed 24- and 32-bit pictures are read here";
    return false;
  }
  const size_t stride = (size_t(width) * size_t(bits / 8) + 3) / 4 * 4;
  if (offset + stride * size_t(height) > b.size()) {
    *error = path + " is cut short";
    return false;
  }
  image->left = image->top = 0;
  image->width = width;
  image->height = height;
  image->pixels.assign(size_t(width) * size_t(height), 0);
  for (int row = 0; row < height; ++row) {
    const int y = raw_height < 0 ? row : height - 1 - row;  // bottom-up unless negative
    const size_t line = offset + stride * size_t(row);
    for (int x = 0; x < width; ++x) {
      const size_t p = line + size_t(x) * size_t(bits / 8);
      image->pixels[size_t(y) * size_t(width) + size_t(x)] =
          uint32_t(b[p + 2]) << 16 | uint32_t(b[p + 1]) << 8 | b[p];
    }
  }
  return true;
}

void Comparison::Add(const Comparison& other) {
  if (different == 0 && other.different > 0) {
    first = other.first;
    seen = other.seen;
    expected = other.expected;
  }
  checked += other.checked;
  different += other.different;
}

std::string Comparison::Describe() const {
  char text[200];
  if (checked == 0) return "no pixel was compared";
  std::snprintf(text, sizeof text,
                "%d of %d pixels differ; the first at (%d, %d) is #%06x instead of #%06x",
                different, checked, first.x, first.y, seen, expected);
  return text;
}

Comparison CompareWithTile(const ScreenImage& screen, const Rect& area, const ScreenImage& tile,
                           Point origin, const std::vector<Rect>& skip) {
  Comparison c;
  if (tile.width <= 0 || tile.height <= 0) return c;
  const Rect r = area.Intersect(screen.Bounds());
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      bool skipped = false;
      for (const Rect& s : skip) skipped = skipped || s.Contains({x, y});
      if (skipped) continue;
      const int tx = ((x - origin.x) % tile.width + tile.width) % tile.width;
      const int ty = ((y - origin.y) % tile.height + tile.height) % tile.height;
      Note(&c, x, y, screen.At(x, y), tile.pixels[size_t(ty) * size_t(tile.width) + size_t(tx)]);
    }
  }
  return c;
}

Comparison CompareWithPicture(const ScreenImage& screen, const ScreenImage& expected, Point at) {
  Comparison c;
  for (int y = 0; y < expected.height; ++y) {
    for (int x = 0; x < expected.width; ++x) {
      const Point p{at.x + x, at.y + y};
      const uint32_t want = expected.pixels[size_t(y) * size_t(expected.width) + size_t(x)];
      // A pixel off the grabbed part counts as different: it was not shown there.
      Note(&c, p.x, p.y, screen.Bounds().Contains(p) ? screen.At(p.x, p.y) : 0xFF000000u, want);
    }
  }
  return c;
}

}  // namespace somnara::testing
