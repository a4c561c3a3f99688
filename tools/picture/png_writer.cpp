#include "picture/png_writer.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace somnara::picture {

namespace {

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

}  // namespace

std::string WritePng(const std::string& path, const PngImage& image) {
  if (image.width <= 0 || image.height <= 0 || (image.channels != 3 && image.channels != 4) ||
      image.samples.size() != size_t(image.width) * size_t(image.height) * size_t(image.channels))
    return path + ": the picture is empty";
  std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return path + ": " + std::strerror(errno);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return path + ": out of memory";
  }
  // libpng reports its errors by a long jump; nothing with a destructor lives across it
  // but `file`, which is made before the jump buffer is set.
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return path + ": writing the PNG file failed";
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), 8,
               image.channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  const size_t stride = size_t(image.width) * size_t(image.channels);
  for (int y = 0; y < image.height; ++y)
    png_write_row(png, const_cast<png_bytep>(image.samples.data() + size_t(y) * stride));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  if (std::fflush(file.get()) != 0) return path + ": " + std::strerror(errno);
  return {};
}

}  // namespace somnara::picture
