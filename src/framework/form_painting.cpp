// Painting a form: the window keeps its pixels; invalidated parts are repainted at the next
// idle moment (frame first, then the controls) and only the damage goes to the screen.
#include <algorithm>

#include "framework/application.h"
#include "framework/form.h"
#include "framework/graphics/canvas.h"

namespace somnara::fw {

// A new size repaints everything. The pixels themselves are made when they are first
// drawn on: a window sized step by step while it is created fills one buffer, not one per
// step, and a hidden window holds none (Hide lets them go).
void Form::ResizePixels() {
  if (pixels_.Width() != Width() || pixels_.Height() != Height()) {
    frame_dirty_ = true;
    dirty_client_ = {0, 0, Width(), Height()};
  }
}

void Form::EnsurePixels() {
  if (pixels_.Width() == Width() && pixels_.Height() == Height()) return;
  if (native_) native_->ForgetPresented();
  pixels_.SetSize(Width(), Height());
  frame_dirty_ = true;
  dirty_client_ = {0, 0, Width(), Height()};
}

void Form::Paint() {
  if (OnPaint) OnPaint(this);
}

Canvas& Form::WindowCanvas() {
  EnsurePixels();
  Canvas& c = pixels_.GetCanvas();
  c.SetOrigin({0, 0});
  c.ResetClip();
  c.Brush() = fw::Brush();
  c.Pen() = fw::Pen();
  c.Font() = GetFont();
  dirty_present_ = dirty_present_.Union({0, 0, Width(), Height()});
  App().RequestPaint(this);
  return c;
}

void Form::InvalidateWindowArea(const Rect& window_rect) {
  Rect r = window_rect.Intersect({0, 0, Width(), Height()});
  if (r.IsEmpty()) return;
  dirty_client_ = dirty_client_.Union(r);
  App().RequestPaint(this);
}

void Form::InvalidateFrame() {
  frame_dirty_ = true;
  App().RequestPaint(this);
}

void Form::Invalidate() {
  frame_dirty_ = true;
  InvalidateWindowArea({0, 0, Width(), Height()});
}

void Form::PaintNow() {
  // What is invalid stays so, and is painted as it is then once the window can be seen.
  if (!seen_) return;
  Repaint();
}

void Form::SetSeen(bool seen) {
  if (seen == seen_) return;
  seen_ = seen;
  if (seen && (frame_dirty_ || !dirty_client_.IsEmpty() || !dirty_present_.IsEmpty()))
    App().RequestPaint(this);
}

void Form::Repaint() {
  if (!Visible() || native_ == nullptr) return;
  EnsurePixels();
  Canvas& canvas = pixels_.GetCanvas();
  if (frame_dirty_) {
    frame_dirty_ = false;
    Perform(WM_NCPAINT, 1);
    dirty_present_ = dirty_present_.Union({0, 0, Width(), Height()});
  }
  Rect area = dirty_client_.Intersect(client_in_window_);
  dirty_client_ = {};
  if (!area.IsEmpty()) {
    PaintTree(canvas, area);
    canvas.SetOrigin({0, 0});
    canvas.ResetClip();
    dirty_present_ = dirty_present_.Union(area);
  }
  Present();
}

void Form::Present() {
  if (native_ == nullptr || dirty_present_.IsEmpty()) return;
  Rect damage = dirty_present_.Intersect({0, 0, Width(), Height()});
  dirty_present_ = {};
  if (!damage.IsEmpty()) native_->Present(pixels_.View(), damage);
}

void Form::EraseBackground(Canvas& canvas) {
  if (brush_.Bitmap()) {
    // A picture brush repeats from the window's client corner.
    canvas.Brush() = brush_;
    canvas.FillRect(ClientRect());
    return;
  }
  CustomControl::EraseBackground(canvas);
}

}  // namespace somnara::fw
