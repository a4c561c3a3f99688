#include "skin/frame/frame_bottom_border.h"

#include <algorithm>

#include "framework/graphics/canvas.h"
#include "skin/styles/sui_public.h"

namespace somnara::skin {

void ComposeBottomBorder(fw::Bitmap& buffer, int width, const fw::Bitmap& first,
                         const fw::Bitmap& middle, const fw::Bitmap& last, bool three_sections,
                         fw::Color fill) {
  const int height = first.Height();
  buffer.SetSize(std::max(0, width), height);
  if (buffer.Empty()) return;
  buffer.Fill(fill);
  fw::Canvas& canvas = buffer.GetCanvas();
  canvas.SetOrigin({0, 0});
  canvas.ResetClip();
  if (!three_sections) {
    DrawThreeSlice(first, canvas, {0, 0, width, height});
    return;
  }
  const int left = first.Width(), right = width - last.Width();
  if (!middle.Empty() && right > left) canvas.StretchDraw({left, 0, right, height}, middle);
  canvas.CopyRect({0, 0, left, height}, first, {0, 0, left, height});
  if (!last.Empty())
    canvas.CopyRect({right, 0, width, last.Height()}, last, {0, 0, last.Width(), last.Height()});
}

}  // namespace somnara::skin
