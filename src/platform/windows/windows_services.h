#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace somnara::platform {

// The Windows desktop backend: opens the window system and makes every service the program
// uses. The object owns them; Get() points at them.
class WindowsServices {
 public:
  // Null, with a one-line reason, when the desktop refuses the program's windows.
  static std::unique_ptr<WindowsServices> Open(std::string* error);
  ~WindowsServices();
  const platform::Services& Get() const { return services_; }
  // `ending` runs on the UI thread, from the window system's wait, when the session ends or
  // the console asks the program to close.
  void OnEnding(std::function<void()> ending);
  // Why the run was asked to end ("ended by Ctrl+C"), or empty.
  std::string EndingReason() const;

 private:
  WindowsServices();
  struct Parts;
  std::unique_ptr<Parts> parts_;
  platform::Services services_;
};

// The folder of the running executable, without a trailing separator.
std::string ExecutableDirectory();

// The system's font folder (C:\Windows\Fonts on most systems), without a trailing separator;
// empty when the system names none.
std::string SystemFontFolder();

// The program's arguments after its name, as UTF-8 (the C runtime's argv is in the
// ANSI code page, which cannot hold every name).
std::vector<std::string> CommandLineArguments();

}  // namespace somnara::platform
