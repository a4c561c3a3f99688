#include "rgba_png.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace somnara::icons {
namespace {

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

}  // namespace

std::string WriteRgbaPng(const std::string& path, int size,
                         const std::vector<resgen::Rgba>& pixels) {
  if (size <= 0 || pixels.size() != size_t(size) * size_t(size)) return path + ": no picture";
  std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return path + ": " + std::strerror(errno);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return path + ": out of memory";
  }
  std::vector<png_byte> row(size_t(size) * 4);
  // libpng reports its errors by a long jump; nothing with a destructor lives across it
  // but `row` and `file`, which are made before the jump buffer is set.
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return path + ": writing the PNG file failed";
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, png_uint_32(size), png_uint_32(size), 8, PNG_COLOR_TYPE_RGB_ALPHA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const resgen::Rgba& p = pixels[size_t(y) * size_t(size) + size_t(x)];
      row[size_t(x) * 4] = png_byte(p.rgb >> 16);
      row[size_t(x) * 4 + 1] = png_byte(p.rgb >> 8);
      row[size_t(x) * 4 + 2] = png_byte(p.rgb);
      row[size_t(x) * 4 + 3] = p.alpha;
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  if (std::fflush(file.get()) != 0) return path + ": " + std::strerror(errno);
  return {};
}

}  // namespace somnara::icons
