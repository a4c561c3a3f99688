#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "picture/bmp_writer.h"
#include "picture/pixel_buffer.h"

namespace resgen {

using somnara::picture::PixelBuffer;
using somnara::picture::WriteBmp24;
using somnara::picture::WriteBmp8;

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

// Each generator writes its files into the output folder; true on success.
using Generator = std::function<bool(const std::string& out_dir)>;
struct Registration {
  Registration(const char* name, Generator generator);
};
std::vector<std::pair<std::string, Generator>>& Generators();

}  // namespace resgen
