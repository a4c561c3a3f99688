#include "framework/default_frame.h"

#include "framework/graphics/canvas.h"
#include "framework/messages.h"

namespace somnara::fw {
namespace {

constexpr int kToolCaptionHeight = 15;
constexpr int kCloseBoxWidth = 20;

int FrameThickness(BorderStyle border) {
  switch (border) {
    case BorderStyle::kNone:
      return 0;
    case BorderStyle::kSizeable:
    case BorderStyle::kSizeToolWin:
      return 4;
    default:
      return 3;
  }
}

}  // namespace

uint32_t StyleForBorder(BorderStyle border, uint32_t icons) {
  uint32_t style = 0;
  switch (border) {
    case BorderStyle::kNone:
      style = WS_POPUP;
      break;
    case BorderStyle::kSingle:
    case BorderStyle::kToolWindow:
      style = WS_CAPTION | WS_BORDER;
      break;
    case BorderStyle::kSizeable:
    case BorderStyle::kSizeToolWin:
      style = WS_CAPTION | WS_THICKFRAME;
      break;
    case BorderStyle::kDialog:
      style = WS_POPUP | WS_CAPTION | WS_DLGFRAME;
      break;
  }
  if (border != BorderStyle::kNone && (icons & biSystemMenu)) style |= WS_SYSMENU;
  if (icons & biMinimize) style |= WS_MINIMIZEBOX;
  if (icons & biMaximize) style |= WS_MAXIMIZEBOX;
  return style;
}

// The border style chooses the thickness, the style bits whether there is any: a frame
// that took the border bits away leaves none.
FrameMetrics MeasureDefaultFrame(uint32_t style, BorderStyle border, Size window) {
  FrameMetrics f;
  f.window = window;
  const bool framed = (style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) != 0;
  f.border = framed ? FrameThickness(border) : 0;
  const int b = f.border;
  if ((style & WS_CAPTION) == WS_CAPTION) {
    const bool tool = border == BorderStyle::kToolWindow || border == BorderStyle::kSizeToolWin;
    f.caption_height = tool ? kToolCaptionHeight : kDefaultCaptionHeight;
    f.caption = {b, b, window.width - b, b + f.caption_height};
    if (style & WS_SYSMENU)
      f.close_box = {f.caption.right - kCloseBoxWidth, f.caption.top, f.caption.right,
                     f.caption.bottom};
  }
  f.client = {b, b + f.caption_height, window.width - b, window.height - b};
  return f;
}

void PaintDefaultFrame(Canvas& c, const FrameMetrics& f, const std::string& caption, bool active) {
  const int b = f.border, w = f.window.width, h = f.window.height;
  if (b > 0) {
    c.Brush().SetColor(clBtnFace);
    c.FillRect({0, 0, w, b});
    c.FillRect({0, h - b, w, h});
    c.FillRect({0, 0, b, h});
    c.FillRect({w - b, 0, w, h});
    c.Brush().SetColor(clBtnShadow);
    c.FrameRect({0, 0, w, h});
  }
  if (f.caption_height == 0) return;
  // The caption's last row is a separator line in the face colour.
  Rect bar = f.caption;
  bar.bottom -= 1;
  c.Brush().SetColor(active ? clActiveCaption : clInactiveCaption);
  c.FillRect(bar);
  c.Brush().SetColor(clBtnFace);
  c.FillRect({bar.left, bar.bottom, bar.right, f.caption.bottom});
  c.Font().SetName("Tahoma");
  c.Font().SetHeight(-11);
  c.Font().SetStyle(kFontBold);
  c.Font().SetColor(active ? clCaptionText : clInactiveCaptionText);
  c.Brush().SetStyle(BrushStyle::kClear);
  Rect text = bar;
  text.left += 4;
  text.right -= 22;
  c.DrawText(caption, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (f.close_box.IsEmpty()) return;
  Rect box{f.close_box.left + 2, bar.top + 2, f.close_box.right - 2, bar.bottom - 2};
  c.Brush().SetColor(clBtnFace);
  c.Pen().SetColor(clBtnShadow);
  c.Rectangle(box);
  c.Pen().SetColor(clBtnText);
  c.MoveTo(box.left + 4, box.top + 3);
  c.LineTo(box.right - 4, box.bottom - 3);
  c.MoveTo(box.right - 5, box.top + 3);
  c.LineTo(box.left + 3, box.bottom - 3);
}

void PaintBorderBand(Canvas& c, const Rect& client, int band, Color color, Size window) {
  if (band <= 0) return;
  const Rect& inner = client;
  Rect outer = inner.Inflate(band, band).Intersect({0, 0, window.width, window.height});
  c.Brush().SetColor(color);
  c.FillRect({outer.left, outer.top, outer.right, inner.top});
  c.FillRect({outer.left, inner.bottom, outer.right, outer.bottom});
  c.FillRect({outer.left, inner.top, inner.left, inner.bottom});
  c.FillRect({inner.right, inner.top, outer.right, inner.bottom});
}

intptr_t HitTestDefaultFrame(const FrameMetrics& f, const Rect& client, Point p) {
  if (!Rect{0, 0, f.window.width, f.window.height}.Contains(p)) return HTNOWHERE;
  if (client.Contains(p)) return HTCLIENT;
  if (f.close_box.Contains(p)) return HTCLOSE;
  if (f.caption.Contains(p)) return HTCAPTION;
  return HTBORDER;
}

}  // namespace somnara::fw
