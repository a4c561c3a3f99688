#include "skin/frame/work_area.h"

#include "framework/application.h"
#include "framework/form.h"
#include "platform/window_system.h"

namespace somnara::skin {

Rect WorkAreaRect() {
  platform::WindowSystem& windows = fw::App().Windows();
  if (fw::Form* main = fw::App().MainForm()) return windows.WorkAreaNear(main->BoundsRect());
  return windows.WorkArea();
}

}  // namespace somnara::skin
