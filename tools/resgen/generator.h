#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace resgen {

// A plain RGB picture being drawn; pixels are 0x00RRGGBB.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  Picture(int w, int h, uint32_t fill = 0) : width(w), height(h), pixels(size_t(w) * h, fill) {}
  uint32_t& At(int x, int y) { return pixels[size_t(y) * width + x]; }
  void Put(int x, int y, uint32_t rgb) {
    if (x >= 0 && y >= 0 && x < width && y < height) At(x, y) = rgb;
  }
};

// A small fixed pseudo-random sequence, so generated pictures never change.
class Random {
 public:
  explicit Random(uint32_t seed) : state_(seed ? seed : 1) {}
  uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  int Below(int n) { return int(Next() % uint32_t(n)); }

 private:
  uint32_t state_;
};

bool WriteBmp24(const std::string& path, const Picture& picture);
// 8 bits per pixel with the given palette (up to 256 entries, 0x00RRGGBB); pixels hold indices.
bool WriteBmp8(const std::string& path, const Picture& indices,
               const std::vector<uint32_t>& palette);

// Each generator writes its files into the output folder; true on success.
using Generator = std::function<bool(const std::string& out_dir)>;
struct Registration {
  Registration(const char* name, Generator generator);
};
std::vector<std::pair<std::string, Generator>>& Generators();

}  // namespace resgen
