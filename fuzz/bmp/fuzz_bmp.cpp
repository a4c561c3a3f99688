// Feeds arbitrary bytes to the BMP decoder: it must either decode or throw fw::Exception.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "framework/exceptions.h"
#include "framework/graphics/bmp_codec.h"
#include "framework/graphics/canvas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace somnara::fw;
  try {
    Bitmap b = DecodeBmp(std::span(data, size));
    if (b.Width() <= 0 || b.Height() <= 0 || (long long)b.Width() * b.Height() > Bitmap::kMaxPixels)
      std::abort();
    // Use what came out, so that a bad pixel buffer would show.
    Bitmap dest(8, 8);
    b.SetTransparent(true);
    dest.GetCanvas().StretchDraw({0, 0, 8, 8}, b);
  } catch (const Exception&) {
  }
  return 0;
}
