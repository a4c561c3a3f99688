#pragma once

#include "framework/graphics/brush.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/font.h"
#include "framework/graphics/pen.h"

namespace somnara::fw {
class Form;
}

namespace somnara::skin {

// The canvas on a form's whole window (frame included), handed out with the state it had
// put back when this goes: the frame repaints its border from inside the painting of its
// own client area and of its title bar, which draw on the same canvas.
class FrameWindowCanvas {
 public:
  explicit FrameWindowCanvas(fw::Form& form);
  ~FrameWindowCanvas();
  FrameWindowCanvas(const FrameWindowCanvas&) = delete;
  FrameWindowCanvas& operator=(const FrameWindowCanvas&) = delete;

  fw::Canvas& operator*() { return canvas_; }
  fw::Canvas* operator->() { return &canvas_; }

 private:
  fw::Canvas& canvas_;
  fw::Canvas::State state_;
  fw::Pen pen_;
  fw::Brush brush_;
  fw::Font font_;
};

}  // namespace somnara::skin
