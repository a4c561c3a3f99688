#include "platform/linux/linux_services.h"

#include <unistd.h>

#include <climits>

#include "platform/linux/media/gst_media_service.h"
#include "platform/linux/media/linux_short_path_service.h"
#include "platform/linux/power/logind_power_service.h"
#include "platform/linux/system/file_pages.h"
#include "platform/linux/system/ini_profile_store.h"
#include "platform/linux/system/shell_opener.h"
#include "platform/linux/system/xdg_settings_folder.h"
#include "platform/linux/volume/pulse_system_volume.h"
#include "platform/linux/x11/x11_clipboard.h"
#include "platform/linux/x11/x11_window_system.h"

namespace somnara::platform {
namespace {

// GStreamer starts (on a thread of its own, loading its registry and plugins) at the first
// command, not with the program: the program's first window is drawn on a machine whose
// cores it does not have to share with that start.
class MediaOnFirstUse : public MediaService {
 public:
  MediaResult SendCommand(const std::string& command) override {
    return Media().SendCommand(command);
  }
  std::string ErrorText(int code) const override { return Media().ErrorText(code); }

 private:
  GstMediaService& Media() const {
    if (!media_) media_ = std::make_unique<GstMediaService>();
    return *media_;
  }
  mutable std::unique_ptr<GstMediaService> media_;
};

}  // namespace

struct LinuxServices::Parts {
  std::unique_ptr<X11WindowSystem> windows;
  std::unique_ptr<MediaOnFirstUse> media;
  std::unique_ptr<LinuxShortPathService> short_paths;
  std::unique_ptr<LogindPowerService> power;
  std::unique_ptr<IniProfileStore> profiles;
  std::unique_ptr<ShellOpener> shell;
  std::unique_ptr<PulseSystemVolume> volume;
  std::unique_ptr<XdgSettingsFolder> settings_folder;
  // Talks through the window system's display: declared after it, so it goes first.
  std::unique_ptr<X11Clipboard> clipboard;
};

LinuxServices::LinuxServices() : parts_(std::make_unique<Parts>()) {}
LinuxServices::~LinuxServices() = default;

std::unique_ptr<LinuxServices> LinuxServices::Open(std::string* error) {
  auto windows = X11WindowSystem::Open(error);
  if (!windows) return nullptr;
  std::unique_ptr<LinuxServices> s(new LinuxServices());
  Parts& p = *s->parts_;
  p.windows = std::move(windows);
  p.media = std::make_unique<MediaOnFirstUse>();
  p.short_paths = std::make_unique<LinuxShortPathService>();
  p.power = std::make_unique<LogindPowerService>();
  p.profiles = std::make_unique<IniProfileStore>();
  p.shell = std::make_unique<ShellOpener>();
  p.volume = std::make_unique<PulseSystemVolume>();
  p.settings_folder = std::make_unique<XdgSettingsFolder>(ExecutableDirectory());
  p.clipboard = std::make_unique<X11Clipboard>(*p.windows);
  Services& out = s->services_;
  out.windows = p.windows.get();
  out.media = p.media.get();
  out.short_paths = p.short_paths.get();
  out.power = p.power.get();
  out.profiles = p.profiles.get();
  out.shell = p.shell.get();
  out.volume = p.volume.get();
  out.settings_folder = p.settings_folder.get();
  out.clipboard = p.clipboard.get();
  out.program_dir = ExecutableDirectory();
  out.release_file_pages = &ReleaseFilePages;
  return s;
}

void LinuxServices::WatchDescriptor(int fd, std::function<void()> ready) {
  parts_->windows->WatchDescriptor(fd, std::move(ready));
}

std::string ExecutableDirectory() {
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  std::string full(path, size_t(n));
  auto slash = full.find_last_of('/');
  return slash == std::string::npos || slash == 0 ? "/" : full.substr(0, slash);
}

}  // namespace somnara::platform
