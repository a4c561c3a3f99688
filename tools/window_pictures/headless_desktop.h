#pragma once

#include <memory>

#include "platform/headless/headless_window_system.h"

namespace somnara::skin {
class TsuiFileTheme;
}

namespace somnara::pictures {

// An empty headless desktop with the program's resources and title, for the scenes that
// show parts of the skin on their own. Every window made on it goes when it goes.
class HeadlessDesktop {
 public:
  HeadlessDesktop();
  ~HeadlessDesktop();
  HeadlessDesktop(const HeadlessDesktop&) = delete;
  HeadlessDesktop& operator=(const HeadlessDesktop&) = delete;

  platform::HeadlessWindowSystem& Windows() { return windows_; }
  // The stored skin read back from a skin file, as a user's chosen skin is; shared by every
  // control of the scene and kept until the desktop's windows are gone.
  skin::TsuiFileTheme* StoredSkinTheme();

 private:
  platform::HeadlessWindowSystem windows_;
  std::unique_ptr<skin::TsuiFileTheme> theme_;
};

}  // namespace somnara::pictures
