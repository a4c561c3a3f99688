// MAINICON, 16 x 16: the program icon as the skinned title bar draws it in the control
// box's place. Title-bar pictures are keyed, not blended, so the icon's edge pixels are
// either the icon's own colour or magenta (left out).
#include "generator.h"
#include "program_icon_picture.h"
#include "style_paint.h"

namespace resgen::style {
namespace {

constexpr int kSize = 16;
constexpr uint32_t kMagenta = 0xFF00FF;

PixelBuffer MainIcon() {
  const std::vector<Rgba> icon = DrawProgramIcon(kSize, false);
  PixelBuffer p(kSize, kSize, kMagenta);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const Rgba& px = icon[size_t(y) * kSize + size_t(x)];
      if (px.alpha >= 128) p.At(x, y) = px.rgb == kMagenta ? 0xFE00FE : px.rgb;
    }
  return p;
}

bool Draw(const std::string& dir) {
  return WriteStylePicture(dir, "MAINICON", MainIcon());
}

Registration registration("style_main_icon", Draw);

}  // namespace
}  // namespace resgen::style
