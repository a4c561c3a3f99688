#include "generator.h"

#include <cstdio>
#include <fstream>

namespace resgen {
namespace {
void Put16(std::string& s, uint32_t v) {
  s += char(v & 0xFF);
  s += char((v >> 8) & 0xFF);
}
void Put32(std::string& s, uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}
std::string Header(int width, int height, int bits, uint32_t palette_entries, uint32_t image_size) {
  uint32_t offset = 14 + 40 + palette_entries * 4;
  std::string s = "BM";
  Put32(s, offset + image_size);
  Put32(s, 0);
  Put32(s, offset);
  Put32(s, 40);
  Put32(s, uint32_t(width));
  Put32(s, uint32_t(height));
  Put16(s, 1);
  Put16(s, uint32_t(bits));
  Put32(s, 0);
  Put32(s, image_size);
  Put32(s, 2835);
  Put32(s, 2835);
  Put32(s, palette_entries);
  Put32(s, 0);
  return s;
}
bool Save(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary);
  f << bytes;
  return bool(f);
}
}  // namespace

bool WriteBmp24(const std::string& path, const Picture& p) {
  int row = (p.width * 3 + 3) & ~3;
  std::string s = Header(p.width, p.height, 24, 0, uint32_t(row * p.height));
  for (int y = p.height - 1; y >= 0; --y) {
    std::string line;
    for (int x = 0; x < p.width; ++x) {
      uint32_t c = p.pixels[size_t(y) * p.width + x];
      line += char(c & 0xFF);
      line += char((c >> 8) & 0xFF);
      line += char((c >> 16) & 0xFF);
    }
    line.resize(size_t(row), '\0');
    s += line;
  }
  return Save(path, s);
}

bool WriteBmp8(const std::string& path, const Picture& p, const std::vector<uint32_t>& palette) {
  int row = (p.width + 3) & ~3;
  std::string s = Header(p.width, p.height, 8, uint32_t(palette.size()), uint32_t(row * p.height));
  for (uint32_t c : palette) Put32(s, c & 0xFFFFFF);
  for (int y = p.height - 1; y >= 0; --y) {
    std::string line;
    for (int x = 0; x < p.width; ++x) line += char(p.pixels[size_t(y) * p.width + x] & 0xFF);
    line.resize(size_t(row), '\0');
    s += line;
  }
  return Save(path, s);
}

std::vector<std::pair<std::string, Generator>>& Generators() {
  static std::vector<std::pair<std::string, Generator>> all;
  return all;
}

Registration::Registration(const char* name, Generator generator) {
  Generators().emplace_back(name, std::move(generator));
}

}  // namespace resgen

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: somnara_resgen OUTPUT_DIR\n");
    return 2;
  }
  for (auto& [name, generate] : resgen::Generators()) {
    if (!generate(argv[1])) {
      std::fprintf(stderr, "somnara_resgen: %s failed\n", name.c_str());
      return 1;
    }
  }
  return 0;
}
