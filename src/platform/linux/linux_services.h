#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace somnara::platform {

// The desktop backend: opens the display and makes every service the program uses. The
// object owns them; Services() points at them.
class LinuxServices {
 public:
  // Null, with a one-line reason, when there is no display to open.
  static std::unique_ptr<LinuxServices> Open(std::string* error);
  ~LinuxServices();
  const platform::Services& Get() const { return services_; }
  // `ready` runs on the UI thread, from the window system's wait, whenever `fd` has data.
  void WatchDescriptor(int fd, std::function<void()> ready);

 private:
  LinuxServices();
  struct Parts;
  std::unique_ptr<Parts> parts_;
  platform::Services services_;
};

// The folder of the running executable, without a trailing separator.
std::string ExecutableDirectory();

}  // namespace somnara::platform
