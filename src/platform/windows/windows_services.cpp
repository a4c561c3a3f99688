#include "platform/windows/windows_services.h"

#include <cstdio>
#include <cstdlib>

#include "platform/media_service.h"
#include "platform/windows/clipboard/win32_clipboard.h"
#include "platform/windows/media/windows_media_service.h"
#include "platform/windows/power/windows_power_service.h"
#include "platform/windows/system/wide_text.h"
#include "platform/windows/system/windows_ini_profile_store.h"
#include "platform/windows/system/windows_settings_folder.h"
#include "platform/windows/system/windows_shell_service.h"
#include "platform/windows/volume/windows_system_volume.h"
#include "platform/windows/window/win32_api.h"
#include "platform/windows/window/win32_window_system.h"
// shellapi.h and shlobj.h after the API: they need its types.
#include <shellapi.h>
#include <shlobj.h>

namespace somnara::platform {
namespace {

// Every command the program sends to the media service, with the answer, one line each
// in the file SOMNARA_MEDIA_LOG names: how a run of the real program is checked for its
// sound where no one listens.
class LoggedMediaService : public MediaService {
 public:
  LoggedMediaService(MediaService& inner, std::FILE* log) : inner_(inner), log_(log) {}
  ~LoggedMediaService() override { std::fclose(log_); }

  MediaResult SendCommand(const std::string& command) override {
    MediaResult result = inner_.SendCommand(command);
    std::fprintf(log_, "%s -> %d %s\n", command.c_str(), result.code, result.reply.c_str());
    std::fflush(log_);
    return result;
  }
  std::string ErrorText(int code) const override { return inner_.ErrorText(code); }

 private:
  MediaService& inner_;
  std::FILE* log_;
};

}  // namespace

struct WindowsServices::Parts {
  std::unique_ptr<Win32WindowSystem> windows;
  std::unique_ptr<WindowsIniProfileStore> profiles;
  std::unique_ptr<WindowsSettingsFolder> settings_folder;
  std::unique_ptr<MediaService> media;
  std::unique_ptr<LoggedMediaService> logged_media;
  std::unique_ptr<WindowsShortPathService> short_paths;
  std::unique_ptr<WindowsPowerService> power;
  std::unique_ptr<WindowsShellService> shell;
  std::unique_ptr<WindowsSystemVolume> volume;
  // Opened by the window system's helper window: declared after it, so it goes first.
  std::unique_ptr<Win32Clipboard> clipboard;
};

WindowsServices::WindowsServices() : parts_(std::make_unique<Parts>()) {}
WindowsServices::~WindowsServices() = default;

std::unique_ptr<WindowsServices> WindowsServices::Open(std::string* error) {
  auto windows = Win32WindowSystem::Open(error);
  if (!windows) return nullptr;
  std::unique_ptr<WindowsServices> s(new WindowsServices());
  Parts& p = *s->parts_;
  p.windows = std::move(windows);
  p.profiles = std::make_unique<WindowsIniProfileStore>();
  p.settings_folder = std::make_unique<WindowsSettingsFolder>(ExecutableDirectory());
  p.clipboard = std::make_unique<Win32Clipboard>(*p.windows);
  p.media = std::make_unique<WindowsMediaService>();
  p.short_paths = std::make_unique<WindowsShortPathService>();
  p.power = std::make_unique<WindowsPowerService>();
  p.shell = std::make_unique<WindowsShellService>();
  p.volume = std::make_unique<WindowsSystemVolume>();
  Services& out = s->services_;
  out.windows = p.windows.get();
  out.profiles = p.profiles.get();
  out.settings_folder = p.settings_folder.get();
  out.clipboard = p.clipboard.get();
  out.media = p.media.get();
  out.short_paths = p.short_paths.get();
  out.power = p.power.get();
  out.shell = p.shell.get();
  out.volume = p.volume.get();
  if (const char* log_path = std::getenv("SOMNARA_MEDIA_LOG"); log_path && *log_path && p.media) {
    if (std::FILE* log = _wfopen(Widen(log_path).c_str(), L"a")) {
      p.logged_media = std::make_unique<LoggedMediaService>(*p.media, log);
      out.media = p.logged_media.get();
    }
  }
  out.program_dir = ExecutableDirectory();
  out.font_dir = SystemFontFolder();
  return s;
}

void WindowsServices::OnEnding(std::function<void()> ending) {
  parts_->windows->SetEndingHandler(std::move(ending));
}

std::string WindowsServices::EndingReason() const {
  return parts_->windows->EndingReason();
}

std::string ExecutableDirectory() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (n == 0) return ".";
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);  // cut short: a long path
  }
  const size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return ".";
  // A drive's root keeps its separator ("C:\"); so does the Linux backend's "/".
  return Narrow(path.substr(0, slash == 2 && path[1] == L':' ? 3 : slash));
}

std::string SystemFontFolder() {
  PWSTR known = nullptr;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Fonts, 0, nullptr, &known))) folder = known;
  CoTaskMemFree(known);  // also when the call failed, which may still allocate
  if (folder.empty()) {
    // Older or stripped-down systems without the known folder: the Windows folder's Fonts.
    wchar_t windows[MAX_PATH];
    const UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    folder = std::wstring(windows, n) + L"\\Fonts";
  }
  return Narrow(folder);
}

std::vector<std::string> CommandLineArguments() {
  std::vector<std::string> arguments;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(Narrow(wide[i]));
  LocalFree(wide);
  return arguments;
}

}  // namespace somnara::platform
