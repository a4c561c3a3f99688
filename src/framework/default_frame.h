#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/graphics/color.h"
#include "platform/geometry.h"

namespace somnara::fw {

class Canvas;

enum class BorderStyle { kNone, kSingle, kSizeable, kDialog, kToolWindow, kSizeToolWin };
inline const std::vector<std::string> kBorderStyleNames = {
    "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"};

enum BorderIcon : uint32_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
inline const std::vector<std::string> kBorderIconNames = {"biSystemMenu", "biMinimize",
                                                          "biMaximize", "biHelp"};

inline constexpr int kDefaultCaptionHeight = 19;

// The style bits (WS_CAPTION and friends) a window with this border and these icons has.
uint32_t StyleForBorder(BorderStyle border, uint32_t icons);

// Where the desktop's own frame puts its parts in a window, measured once for sizing,
// painting and hit testing alike. A frame that draws itself can read or mirror it.
// Rectangles are window pixels, origin at the window's top-left corner.
struct FrameMetrics {
  Size window;
  int border = 0;          // frame thickness on every side
  int caption_height = 0;  // the caption bar with its separator line; 0 without a caption
  Rect caption;            // empty without a caption
  Rect close_box;          // the part of the caption that closes the window; may be empty
  Rect client;             // what the frame leaves for the client area
};

FrameMetrics MeasureDefaultFrame(uint32_t style, BorderStyle border, Size window);

void PaintDefaultFrame(Canvas& canvas, const FrameMetrics& frame, const std::string& caption,
                       bool active);

// The band that a form's BorderWidth keeps between the frame and `client`, in `color`, so
// that it never shows stale pixels.
void PaintBorderBand(Canvas& canvas, const Rect& client, int band, Color color, Size window);

// The WM_NCHITTEST answer for a window point; `client` is the client area the window really
// has, which a frame that sizes the non-client area itself may have moved.
intptr_t HitTestDefaultFrame(const FrameMetrics& frame, const Rect& client, Point p);

}  // namespace somnara::fw
