#pragma once

#include <gif_lib.h>

#include <cstdint>
#include <vector>

namespace somnara::testing {

// An animated GIF of solid frames, written with the library's encoder: every frame covers
// the whole picture in one colour of the table and has its own delay (hundredths of a s).
inline std::vector<uint8_t> SolidFramesGif(int width, int height,
                                           const std::vector<uint32_t>& rgb_colours,
                                           const std::vector<int>& delays_cs) {
  std::vector<uint8_t> bytes;
  auto write = [](GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
  };
  int error = 0;
  GifFileType* gif = EGifOpen(&bytes, write, &error);
  EGifSetGifVersion(gif, true);
  std::vector<GifColorType> table;
  for (uint32_t c : rgb_colours)
    table.push_back({GifByteType(c >> 16), GifByteType(c >> 8), GifByteType(c)});
  while (table.size() < 2 || (table.size() & (table.size() - 1)) != 0) table.push_back({0, 0, 0});
  ColorMapObject* map = GifMakeMapObject(int(table.size()), table.data());
  EGifPutScreenDesc(gif, width, height, 8, 0, map);
  GifFreeMapObject(map);
  for (size_t f = 0; f < delays_cs.size(); ++f) {
    GraphicsControlBlock gcb{DISPOSAL_UNSPECIFIED, false, delays_cs[f], NO_TRANSPARENT_COLOR};
    GifByteType ext[4];
    size_t n = EGifGCBToExtension(&gcb, ext);
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(n), ext);
    EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr);
    std::vector<GifByteType> row(size_t(width), GifByteType(f % rgb_colours.size()));
    for (int y = 0; y < height; ++y) EGifPutLine(gif, row.data(), width);
  }
  EGifCloseFile(gif, &error);
  return bytes;
}

}  // namespace somnara::testing
