// Skin files as the theme loads them: archive, deciphering, inflation, item container, and
// every item a control can ask for. The seeds hold plain and enciphered ("fuzz") skins.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "skin/theme/skin_archive.h"
#include "skin/theme/skin_theme_data.h"

using namespace somnara::skin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  for (const char* password : {"", "fuzz"}) {
    SkinThemeData theme;
    if (!theme.ThemeLoadBytes(bytes, password)) continue;
    int64_t sum = 0;
    for (int i = 0; i < kThemeColorCount; ++i) sum += theme.GetThemeColor(ThemeColor(i));
    for (int i = 0; i < kThemeIntCount; ++i) sum += theme.GetThemeInt(ThemeInt(i));
    for (int i = 0; i < kThemeBoolCount; ++i) sum += theme.GetThemeBool(ThemeBool(i));
    for (int i = 0; i < kThemeBitmapCount; ++i) {
      for (int count : {0, 1, 3, 18}) {
        const auto frame = theme.GetThemeFrame(ThemeBitmap(i), count, count);
        if (frame && !frame->bmp.empty()) sum += frame->bmp.back() + frame->left + frame->width;
      }
    }
    volatile int64_t sink = sum;
    (void)sink;
  }
  std::vector<uint8_t> out;
  ExtractSkinEntry(bytes, "skindata.sk2", "fuzz", out);
  return 0;
}
