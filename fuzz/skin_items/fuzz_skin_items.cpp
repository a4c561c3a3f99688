// Item containers (inflated SKINDATA.SK2) straight into the reader: the record chain, the
// lookups, and the promise that a picture which passes the header check can be read to its
// last pixel row and decoded.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/exceptions.h"
#include "framework/graphics/bmp_codec.h"
#include "framework/graphics/bmp_format.h"
#include "skin/theme/bmp_header.h"
#include "skin/theme/skin_file_error.h"
#include "skin/theme/skin_item_container.h"
#include "skin/theme/skin_theme_items.h"

using namespace somnara::skin;

namespace {

namespace format = somnara::fw::bmp;

void CheckPicture(std::span<const uint8_t> found) {
  // An exact copy, so that the sanitizer sees any read past the picture's own bytes.
  const std::vector<uint8_t> bmp(found.begin(), found.end());
  const auto header = BmpHeader::Parse(bmp);
  if (!header) __builtin_trap();  // the container accepted a picture the check refuses
  if (header->compression == format::kRgb || header->compression == format::kBitFields) {
    const uint64_t stride =
        format::RowStride(uint64_t(header->width), uint32_t(header->bits_per_pixel));
    volatile uint8_t last = bmp[header->pixel_offset + stride * header->height - 1];
    (void)last;
  }
  try {
    const auto bitmap = somnara::fw::DecodeBmp(bmp);
    volatile int w = bitmap.Width();
    (void)w;
  } catch (const somnara::fw::Exception&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    const SkinItemContainer items(std::vector<uint8_t>(data, data + size));
    int64_t sum = 0;
    for (int i = 0; i < kThemeColorCount; ++i)
      sum += items.FindInteger(ThemeItemName(ThemeColor(i))).value_or(-1);
    for (int i = 0; i < kThemeIntCount; ++i)
      sum += items.FindInteger(ThemeItemName(ThemeInt(i))).value_or(-1);
    for (int i = 0; i < kThemeBoolCount; ++i)
      sum += items.FindByte(ThemeItemName(ThemeBool(i))).value_or(0);
    if (const auto text = items.FindString("SKIN2_NOTE")) sum += int64_t(text->size());
    for (int i = 0; i < kThemeBitmapCount; ++i)
      if (const auto bmp = items.FindBitmap(ThemeItemName(ThemeBitmap(i)))) CheckPicture(*bmp);
    volatile int64_t sink = sum;
    (void)sink;
  } catch (const SkinFileError&) {
  }
  return 0;
}
