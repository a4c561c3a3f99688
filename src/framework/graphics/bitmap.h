#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "framework/graphics/color.h"
#include "platform/native_window.h"

namespace somnara::fw {

class Canvas;

// 24 bits: the top byte of every pixel word is 0. 32 bits: the top byte keeps alpha.
enum class PixelFormat { k24Bit, k32Bit };

// A picture in memory: words 0xAARRGGBB (alpha 0 at 24 bits), rows top to bottom, no
// padding. Copying copies the pixels; the canvas is created on first use and belongs to the
// bitmap it draws on.
class Bitmap {
 public:
  // Larger pictures are refused (SetSize throws fw::Exception): at most this many pixels on
  // a side and this many in all.
  static constexpr int kMaxDimension = 16384;
  static constexpr long long kMaxPixels = 1LL << 26;

  Bitmap();
  Bitmap(int width, int height, fw::PixelFormat format = fw::PixelFormat::k24Bit);
  Bitmap(const Bitmap& other);
  Bitmap(Bitmap&& other) noexcept;
  Bitmap& operator=(const Bitmap& other);
  Bitmap& operator=(Bitmap&& other) noexcept;
  ~Bitmap();

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  // Keeps the pixels that stay inside; new pixels are white. Negative sizes count as 0.
  void SetSize(int width, int height);
  void SetWidth(int width) { SetSize(width, height_); }
  void SetHeight(int height) { SetSize(width_, height); }

  fw::PixelFormat PixelFormat() const { return format_; }
  // Going to 24 bits clears the alpha bytes; going to 32 bits makes every pixel opaque.
  void SetPixelFormat(fw::PixelFormat format);

  uint32_t* Pixels() { return pixels_.data(); }
  const uint32_t* Pixels() const { return pixels_.data(); }
  uint32_t* Scanline(int y) { return pixels_.data() + size_t(y) * size_t(width_); }
  const uint32_t* Scanline(int y) const { return pixels_.data() + size_t(y) * size_t(width_); }
  // Colour words; outside the bitmap GetPixel gives clNone and SetPixel does nothing.
  fw::Color GetPixel(int x, int y) const;
  void SetPixel(int x, int y, fw::Color color);

  // Transparency for Draw. When Transparent is set and no colour was given, the bottom-left
  // pixel decides.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on) { transparent_ = on; }
  fw::Color TransparentColor() const;
  void SetTransparentColor(fw::Color color);  // clDefault goes back to the bottom-left pixel
  bool HasFixedTransparentColor() const { return fixed_transparent_; }

  // Clears the picture to 0 x 0.
  void Clear();
  // Fills every pixel with one colour.
  void Fill(fw::Color color);

  Canvas& GetCanvas();
  // What a window shows. Windows are drawn on 24-bit pictures; in a 32-bit one the top byte
  // of each word is its alpha.
  platform::PixelView View() const;

  // Decode a BMP, JPEG or GIF (first frame) by its content. Throws fw::FileError when the
  // file cannot be opened and fw::Exception on bad data; the bitmap is unchanged then.
  void LoadFromFile(const std::string& path);
  void LoadFromBytes(std::span<const uint8_t> bytes);
  // Writes a 24-bit bottom-up BMP.
  void SaveToFile(const std::string& path) const;
  std::vector<uint8_t> SaveToBytes() const;

  void Assign(const Bitmap& other) { *this = other; }

  // Same size, format and pixels (transparency settings not compared).
  bool SamePixels(const Bitmap& other) const;

 private:
  int width_ = 0;
  int height_ = 0;
  fw::PixelFormat format_ = fw::PixelFormat::k24Bit;
  std::vector<uint32_t> pixels_;
  bool transparent_ = false;
  bool fixed_transparent_ = false;
  fw::Color transparent_color_ = clDefault;
  std::unique_ptr<Canvas> canvas_;
};

}  // namespace somnara::fw
