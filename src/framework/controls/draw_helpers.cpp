#include "framework/controls/draw_helpers.h"

#include <array>

namespace somnara::fw {

void Frame3D(Canvas& canvas, Rect& r, Color top_left, Color bottom_right, int width) {
  canvas.Pen() = Pen();
  r.bottom -= 1;
  r.right -= 1;
  for (; width > 0; --width) {
    Point top_right{r.right, r.top};
    Point bottom_left{r.left, r.bottom};
    canvas.Pen().SetColor(top_left);
    std::array<Point, 3> first{bottom_left, Point{r.left, r.top}, top_right};
    canvas.Polyline(first);
    canvas.Pen().SetColor(bottom_right);
    bottom_left.x -= 1;
    std::array<Point, 3> second{top_right, Point{r.right, r.bottom}, bottom_left};
    canvas.Polyline(second);
    r = r.Inflate(-1, -1);
  }
  r.bottom += 1;
  r.right += 1;
}

void DrawRaisedEdge(Canvas& canvas, Rect& r) {
  Frame3D(canvas, r, clBtnHighlight, cl3DDkShadow, 1);
  Frame3D(canvas, r, cl3DLight, clBtnShadow, 1);
}

void DrawSunkenEdge(Canvas& canvas, Rect& r) {
  Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
  Frame3D(canvas, r, cl3DDkShadow, cl3DLight, 1);
}

Rect DrawFieldBox(Canvas& canvas, Rect r, ControlBorder border, bool ctl3d, Color fill) {
  if (border == ControlBorder::kSingle) {
    if (ctl3d) {
      DrawSunkenEdge(canvas, r);
    } else {
      canvas.Brush().SetColor(clWindowFrame);
      canvas.FrameRect(r);
      r = r.Inflate(-1, -1);
    }
  }
  canvas.Brush().SetColor(fill);
  canvas.FillRect(r);
  return r;
}

int FieldBorderSize(ControlBorder border, bool ctl3d) {
  if (border == ControlBorder::kNone) return 0;
  return ctl3d ? 2 : 1;
}

void DrawEtchedFrame(Canvas& canvas, const Rect& r) {
  canvas.Brush() = Brush();
  canvas.Brush().SetColor(clBtnHighlight);
  canvas.FrameRect({r.left + 1, r.top + 1, r.right, r.bottom});
  canvas.Brush().SetColor(clBtnShadow);
  canvas.FrameRect({r.left, r.top, r.right - 1, r.bottom - 1});
}

void DrawControlText(Canvas& canvas, std::string_view text, Rect rect, unsigned flags,
                     bool enabled) {
  canvas.Brush().SetStyle(BrushStyle::kClear);
  if (enabled) {
    canvas.DrawText(text, rect, flags);
    return;
  }
  Color keep = canvas.Font().Color();
  Rect shifted = rect.Offset(1, 1);
  canvas.Font().SetColor(clBtnHighlight);
  canvas.DrawText(text, shifted, flags);
  canvas.Font().SetColor(clBtnShadow);
  canvas.DrawText(text, rect, flags);
  canvas.Font().SetColor(keep);
}

Size MeasureText(const Font& font, std::string_view text, unsigned flags, int width) {
  static Bitmap scratch(1, 1);
  Canvas& canvas = scratch.GetCanvas();
  canvas.Font() = font;
  Rect r{0, 0, width, 0};
  canvas.DrawText(text, r, flags | DT_CALCRECT);
  return {r.Width(), r.Height()};
}

void DrawCheckMark(Canvas& canvas, int x, int y, Color color) {
  // Three pixels thick: a short stroke down to the right, then a long one up.
  canvas.Pen() = Pen();
  canvas.Pen().SetColor(color);
  for (int i = 0; i < 3; ++i) {
    canvas.MoveTo(x, y + 2 + i);
    canvas.LineTo(x + 2, y + 4 + i);
    canvas.LineTo(x + 7, y - 1 + i);
  }
}

void DrawDownArrow(Canvas& canvas, const Rect& r, Color color) {
  int cx = r.left + r.Width() / 2;
  int cy = r.top + r.Height() / 2 - 1;
  canvas.Pen() = Pen();
  canvas.Pen().SetColor(color);
  for (int i = 0; i < 4; ++i) {
    canvas.MoveTo(cx - 3 + i, cy + i - 1);
    canvas.LineTo(cx + 4 - i, cy + i - 1);
  }
}

}  // namespace somnara::fw
