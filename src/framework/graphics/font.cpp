#include "framework/graphics/font.h"

#include <cstdlib>

namespace somnara::fw {
namespace {
// a x b / c rounded half away from zero, as the desktop platform's MulDiv.
int MulDiv(int a, int b, int c) {
  long long p = (long long)a * b;
  long long q = (std::llabs(p) + c / 2) / c;
  return int(p < 0 ? -q : q);
}
}  // namespace

int Font::Size() const {
  return -MulDiv(height_, 72, kScreenPixelsPerInch);
}

void Font::SetSize(int points) {
  height_ = -MulDiv(points, kScreenPixelsPerInch, 72);
}

}  // namespace somnara::fw
