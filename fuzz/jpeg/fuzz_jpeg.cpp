// Feeds arbitrary bytes to the JPEG decoder: it must either decode or throw fw::Exception.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "framework/exceptions.h"
#include "framework/graphics/jpeg_codec.h"

// Where the pixel sums go, so that reading the pixels is not optimised away.
volatile uint32_t g_sink;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace somnara::fw;
  try {
    Bitmap b = DecodeJpeg(std::span(data, size));
    if (b.Width() <= 0 || b.Height() <= 0 || (long long)b.Width() * b.Height() > Bitmap::kMaxPixels)
      std::abort();
    // Read every pixel, so that a short pixel buffer would show.
    uint32_t sum = 0;
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x) sum += b.Scanline(y)[x];
    g_sink = sum;
  } catch (const Exception&) {
  }
  return 0;
}
