#pragma once

#include "platform/headless/headless_window_system.h"
#include "png_file.h"

namespace somnara::pictures {

// What one window showed last, inside its window region.
RgbPicture WindowPicture(const platform::HeadlessWindow& window);

// What the headless screen shows: the visible windows from the bottom up, each inside its
// region and blended with what lies beneath by its opacity, as a compositing desktop would.
RgbPicture ScreenPicture(const platform::HeadlessWindowSystem& windows);

}  // namespace somnara::pictures
