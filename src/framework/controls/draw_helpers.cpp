#include "framework/controls/draw_helpers.h"

#include <array>

#include "framework/graphics/text_renderer.h"

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

void DrawTextSelection(Canvas& canvas, const Font& font, std::string_view line, size_t from,
                       size_t to, int x, int y, int height, const Rect& clip) {
  TextRenderer& tr = TextRenderer::Instance();
  int x0 = x + tr.Width(font, line.substr(0, from));
  int x1 = x + tr.Width(font, line.substr(0, to));
  Rect selection = Rect{x0, y, x1, y + height}.Intersect(clip);
  canvas.Brush().SetColor(clHighlight);
  canvas.FillRect(selection);
  canvas.Brush().SetStyle(BrushStyle::kClear);
  Color text_color = canvas.Font().Color();
  canvas.Font().SetColor(clHighlightText);
  canvas.TextRect(selection, x0, y, line.substr(from, to - from));
  canvas.Font().SetColor(text_color);
}

void DrawCaret(Canvas& canvas, int x, int top, int bottom) {
  canvas.Pen() = Pen();
  canvas.Pen().SetColor(clWindowText);
  canvas.MoveTo(x, top);
  canvas.LineTo(x, bottom);
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
