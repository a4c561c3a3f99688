#include "skin/frame/frame_window_canvas.h"

#include "framework/form.h"

namespace somnara::skin {

namespace {

// The canvas as it is now, before WindowCanvas resets it for whole-window drawing.
fw::Canvas& SharedCanvas(fw::Form& form) {
  // The window's pixels belong to the form, which hands them out read-only; their canvas
  // is the one WindowCanvas returns.
  return const_cast<fw::Bitmap&>(form.WindowPixels()).GetCanvas();
}

}  // namespace

FrameWindowCanvas::FrameWindowCanvas(fw::Form& form)
    : canvas_(SharedCanvas(form)),
      state_(canvas_.SaveState()),
      pen_(canvas_.Pen()),
      brush_(canvas_.Brush()),
      font_(canvas_.Font()) {
  form.WindowCanvas();
}

FrameWindowCanvas::~FrameWindowCanvas() {
  canvas_.RestoreState(state_);
  canvas_.Pen() = pen_;
  canvas_.Brush() = brush_;
  canvas_.Font() = font_;
}

}  // namespace somnara::skin
