#include "platform/windows/system/windows_shell_service.h"

#include <windows.h>
// After windows.h, which they need.
#include <objbase.h>
#include <shellapi.h>

#include "platform/windows/system/wide_text.h"

namespace somnara::platform {
namespace {

// What the shell answers at 32 and above means it took the request.
constexpr INT_PTR kShellAccepted = 32;

bool ShellOpen(const std::wstring& file, const std::wstring* parameters) {
  // Shell extensions that an association may start need a single-threaded apartment.
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  HINSTANCE answer =
      ShellExecuteW(nullptr, L"open", file.c_str(),
                    parameters != nullptr ? parameters->c_str() : nullptr, nullptr, SW_SHOW);
  if (SUCCEEDED(com)) CoUninitialize();
  return reinterpret_cast<INT_PTR>(answer) >= kShellAccepted;
}

}  // namespace

std::string WindowsShellService::NativeTarget(const std::string& target) {
  const bool drive_path =
      target.size() >= 3 &&
      ((target[0] >= 'A' && target[0] <= 'Z') || (target[0] >= 'a' && target[0] <= 'z')) &&
      target[1] == ':' && (target[2] == '/' || target[2] == '\\');
  if (!drive_path) return target;
  std::string native = target;
  for (char& c : native) {
    if (c == '/') c = '\\';
  }
  return native;
}

bool WindowsShellService::Open(const std::string& target) {
  if (target.empty()) return false;
  return ShellOpen(Widen(NativeTarget(target)), nullptr);
}

bool WindowsShellService::OpenUrlHandler(const std::string& target) {
  if (target.empty()) return false;
  // The handler takes the rest of its command line as the target, blanks and all.
  const std::wstring parameters = L"url.dll,FileProtocolHandler " + Widen(NativeTarget(target));
  return ShellOpen(L"rundll32.exe", &parameters);
}

}  // namespace somnara::platform
