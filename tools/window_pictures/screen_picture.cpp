#include "screen_picture.h"

#include "picture/png_writer.h"

namespace somnara::pictures {

namespace {

uint32_t Blend(uint32_t over, uint32_t under, int alpha) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    int a = static_cast<int>((over >> shift) & 0xFF);
    int b = static_cast<int>((under >> shift) & 0xFF);
    out |= static_cast<uint32_t>((a * alpha + b * (255 - alpha) + 127) / 255) << shift;
  }
  return out;
}

bool Shows(const platform::HeadlessWindow& window, int x, int y) {
  const Region& region = window.WindowRegion();
  return region.IsEmpty() || region.Contains({x, y});
}

}  // namespace

std::string WritePng(const std::string& path, const RgbPicture& picture) {
  picture::PngImage image{picture.width, picture.height, 3, {}};
  image.samples.reserve(picture.pixels.size() * 3);
  for (uint32_t p : picture.pixels) {
    image.samples.push_back(static_cast<uint8_t>(p >> 16));
    image.samples.push_back(static_cast<uint8_t>(p >> 8));
    image.samples.push_back(static_cast<uint8_t>(p));
  }
  return picture::WritePng(path, image);
}

RgbPicture WindowPicture(const platform::HeadlessWindow& window) {
  RgbPicture picture{window.Width(), window.Height(), {}};
  picture.pixels.assign(static_cast<size_t>(picture.width) * picture.height, 0);
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      if (Shows(window, x, y))
        picture.pixels[static_cast<size_t>(y) * picture.width + x] = window.PixelAt(x, y);
  return picture;
}

RgbPicture ScreenPicture(const platform::HeadlessWindowSystem& windows) {
  Size screen = windows.ScreenSize();
  RgbPicture picture{screen.width, screen.height, {}};
  picture.pixels.assign(static_cast<size_t>(screen.width) * screen.height, 0);
  for (const platform::HeadlessWindow* window : windows.StackingOrder()) {
    if (window->Minimized()) continue;
    const Rect& bounds = window->Bounds();
    for (int y = 0; y < bounds.Height(); ++y) {
      int sy = bounds.top + y;
      if (sy < 0 || sy >= screen.height) continue;
      for (int x = 0; x < bounds.Width(); ++x) {
        int sx = bounds.left + x;
        if (sx < 0 || sx >= screen.width || !Shows(*window, x, y)) continue;
        uint32_t& under = picture.pixels[static_cast<size_t>(sy) * screen.width + sx];
        under = Blend(window->PixelAt(x, y), under, window->Opacity());
      }
    }
  }
  return picture;
}

}  // namespace somnara::pictures
