#include "framework/graphics/bitmap.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "framework/exceptions.h"
#include "framework/graphics/bmp_codec.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/file_errors.h"
#include "framework/graphics/picture.h"

namespace somnara::fw {
namespace {
constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kOpaque = 0xFF000000;
}  // namespace

Bitmap::Bitmap() = default;

Bitmap::Bitmap(int width, int height, fw::PixelFormat format) : format_(format) {
  SetSize(width, height);
}

Bitmap::Bitmap(const Bitmap& other)
    : width_(other.width_),
      height_(other.height_),
      format_(other.format_),
      pixels_(other.pixels_),
      transparent_(other.transparent_),
      fixed_transparent_(other.fixed_transparent_),
      transparent_color_(other.transparent_color_) {}

// The canvas stays with the object it was made for; the new owner makes its own.
Bitmap::Bitmap(Bitmap&& other) noexcept
    : width_(other.width_),
      height_(other.height_),
      format_(other.format_),
      pixels_(std::move(other.pixels_)),
      transparent_(other.transparent_),
      fixed_transparent_(other.fixed_transparent_),
      transparent_color_(other.transparent_color_) {
  other.width_ = other.height_ = 0;
  other.pixels_.clear();
}

Bitmap& Bitmap::operator=(const Bitmap& other) {
  if (this == &other) return *this;
  width_ = other.width_;
  height_ = other.height_;
  format_ = other.format_;
  pixels_ = other.pixels_;
  transparent_ = other.transparent_;
  fixed_transparent_ = other.fixed_transparent_;
  transparent_color_ = other.transparent_color_;
  return *this;
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
  if (this == &other) return *this;
  width_ = other.width_;
  height_ = other.height_;
  format_ = other.format_;
  pixels_ = std::move(other.pixels_);
  transparent_ = other.transparent_;
  fixed_transparent_ = other.fixed_transparent_;
  transparent_color_ = other.transparent_color_;
  other.width_ = other.height_ = 0;
  other.pixels_.clear();
  return *this;
}

Bitmap::~Bitmap() = default;

void Bitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width > kMaxDimension || height > kMaxDimension || (long long)width * height > kMaxPixels)
    throw Exception("Bitmap too large: " + std::to_string(width) + " x " + std::to_string(height));
  if (width == width_ && height == height_) return;
  if (width == 0 || height == 0) {
    width = height = 0;
  }
  uint32_t fill = kWhite | (format_ == fw::PixelFormat::k32Bit ? kOpaque : 0);
  std::vector<uint32_t> pixels(size_t(width) * size_t(height), fill);
  int keep_w = std::min(width, width_), keep_h = std::min(height, height_);
  for (int y = 0; y < keep_h; ++y)
    std::copy_n(pixels_.data() + size_t(y) * size_t(width_), keep_w,
                pixels.data() + size_t(y) * size_t(width));
  pixels_ = std::move(pixels);
  width_ = width;
  height_ = height;
}

void Bitmap::SetPixelFormat(fw::PixelFormat format) {
  if (format == format_) return;
  format_ = format;
  uint32_t alpha = format == fw::PixelFormat::k32Bit ? kOpaque : 0;
  for (uint32_t& p : pixels_) p = (p & 0x00FFFFFF) | alpha;
}

Color Bitmap::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return clNone;
  return RgbToColor(Scanline(y)[x] & 0x00FFFFFF);
}

void Bitmap::SetPixel(int x, int y, Color color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  Scanline(y)[x] = ColorToRgb(color) | (format_ == fw::PixelFormat::k32Bit ? kOpaque : 0);
}

Color Bitmap::TransparentColor() const {
  if (fixed_transparent_) return transparent_color_;
  if (Empty()) return clNone;
  return GetPixel(0, height_ - 1);
}

void Bitmap::SetTransparentColor(Color color) {
  fixed_transparent_ = color != clDefault;
  transparent_color_ = color;
}

void Bitmap::Clear() {
  // The memory goes too: a cleared picture is usually one that is not needed for a while.
  std::vector<uint32_t>().swap(pixels_);
  width_ = height_ = 0;
}

void Bitmap::Fill(Color color) {
  uint32_t value = ColorToRgb(color) | (format_ == fw::PixelFormat::k32Bit ? kOpaque : 0);
  std::fill(pixels_.begin(), pixels_.end(), value);
}

Canvas& Bitmap::GetCanvas() {
  if (!canvas_) canvas_ = std::make_unique<Canvas>(*this);
  return *canvas_;
}

platform::PixelView Bitmap::View() const {
  return platform::PixelView{pixels_.data(), width_, height_, width_};
}

void Bitmap::LoadFromFile(const std::string& path) {
  LoadFromBytes(ReadFileBytes(path));
}

void Bitmap::LoadFromBytes(std::span<const uint8_t> bytes) {
  Picture picture;
  picture.LoadFromBytes(bytes);
  const Bitmap& first = picture.Graphic();
  width_ = first.width_;
  height_ = first.height_;
  format_ = first.format_;
  pixels_ = first.pixels_;
}

void Bitmap::SaveToFile(const std::string& path) const {
  std::vector<uint8_t> bytes = SaveToBytes();
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) ThrowCannotCreate(path, errno);
  size_t written = std::fwrite(bytes.data(), 1, bytes.size(), f);
  int error = errno;
  bool ok = written == bytes.size();
  if (std::fclose(f) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (!ok) ThrowCannotWrite(path, error ? error : EIO);
}

std::vector<uint8_t> Bitmap::SaveToBytes() const {
  return EncodeBmp24(*this);
}

bool Bitmap::SamePixels(const Bitmap& other) const {
  return width_ == other.width_ && height_ == other.height_ && format_ == other.format_ &&
         pixels_ == other.pixels_;
}

}  // namespace somnara::fw
