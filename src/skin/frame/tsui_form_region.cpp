// The skinned frame's window outline: rounded corners for the built-in styles, and for a
// skin theme the shape of its title and bottom border pictures without their see-through
// pixels.
#include <algorithm>

#include "framework/form.h"
#include "skin/frame/frame_region_shapes.h"
#include "skin/frame/tsui_form.h"
#include "skin/theme/tsui_file_theme.h"

namespace somnara::skin {

namespace {

// Rows [first, last] of `picture` scanned (first < 0 counts as 0; last <= first, or past
// the picture, scans to its last row), placed at window row `at`; the rows above and
// below the scanned ones are kept whole across the window's `width`.
void AddPictureRows(Region& region, const fw::Bitmap& picture, int at, int width, int first,
                    int last, fw::Color transparent) {
  const int height = picture.Height();
  const int begin = std::clamp(first, 0, height);
  const int end = begin >= last ? height : std::min(last + 1, height);
  if (begin >= 1) AddCorners(region, {0, at}, {width, at + begin});
  for (int y = begin; y < end; ++y) AddOpaqueRuns(region, picture, y, at + y, transparent);
  if (end < height) AddCorners(region, {0, at + end}, {width, at + height});
}

}  // namespace

Region TsuiForm::RegionFromBitmaps(const fw::Bitmap& title, const fw::Bitmap& bottom, int width,
                                   int height, fw::Color trans_color,
                                   const std::array<int, 4>& limits, bool title_region,
                                   bool bottom_region) {
  Region region;
  int top = 0;
  if (title_region) {
    top = title.Height();
    AddPictureRows(region, title, 0, width, limits[0], limits[1], trans_color);
  }
  const int bottom_height = bottom_region ? bottom.Height() : 0;
  AddCorners(region, {0, top}, {width, height - bottom_height});
  if (bottom_region)
    AddPictureRows(region, bottom, height - bottom_height, width, limits[2], limits[3],
                   trans_color);
  return region;
}

Region TsuiForm::BuiltInRegion(int width, int height) const {
  return BuiltInFrameRegion(width, height, RoundCorner(), RoundCornerBottom());
}

void TsuiForm::UpdateRegion() {
  if (detached_ || host_ == nullptr) return;
  const int width = host_->Width(), height = host_->Height();
  Region region;
  if (!UsesThemeLook()) {
    region = BuiltInRegion(width, height);
  } else if ((title_need_region_ || bottom_need_region_) && title_bar_ != nullptr) {
    // Both pictures must be what the window shows at its present size.
    title_bar_->PaintNow();
    if (bottom_need_region_) ComposeBottomBuffer(width);
    const fw::Bitmap* title = title_bar_->GetTitleImage(-1);
    static const fw::Bitmap none;
    region =
        RegionFromBitmaps(title != nullptr ? *title : none, bottom_buffer_, width, height,
                          trans_color_, region_limits_, title_need_region_, bottom_need_region_);
  } else {
    region.rects.push_back({0, 0, width, height});
  }
  if (!(region == host_->WindowRegion())) host_->SetWindowRegion(region);
}

}  // namespace somnara::skin
