#include "platform/windows/system/windows_settings_folder.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

#include <cerrno>

#include "platform/windows/system/wide_text.h"

namespace somnara::platform {
namespace {

std::wstring Backslashed(const std::string& path) {
  std::wstring wide = Widen(path);
  for (wchar_t& c : wide) {
    if (c == L'/') c = L'\\';
  }
  return wide;
}

// Asks the folder itself by making a file that is gone again when its handle closes, also
// when the process dies first: rights, read-only media and redirected folders all answer.
bool TakesNewFiles(const std::wstring& folder) {
  const std::wstring probe =
      folder + L"\\.somnara-probe." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

std::string RoamingAppData() {
  PWSTR path = nullptr;
  std::string folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &path))) {
    folder = Narrow(path);
  }
  CoTaskMemFree(path);
  return folder;
}

}  // namespace

bool WindowsSettingsFolder::FolderTakes(const std::string& folder, const std::string& file_name) {
  const std::wstring wide_folder = Backslashed(folder);
  const std::wstring file = wide_folder + L"\\" + Widen(file_name);
  DWORD attributes = GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    DWORD error = GetLastError();
    return (error == ERROR_FILE_NOT_FOUND) && TakesNewFiles(wide_folder);
  }
  if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return false;
  HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  CloseHandle(handle);
  return true;
}

std::string WindowsSettingsFolder::Locate(const std::string& file_name) {
  if (FolderTakes(program_dir_, file_name)) return program_dir_;
  const std::string app_data = RoamingAppData();
  // Without a profile folder there is nowhere better than the program folder: its writes
  // fail and say so.
  return app_data.empty() ? program_dir_ : app_data + "\\Somnara";
}

int WindowsSettingsFolder::Create(const std::string& folder) {
  const std::wstring wide = Backslashed(folder);
  // Makes the missing parents too; one made meanwhile by someone else is fine.
  int result = SHCreateDirectoryExW(nullptr, wide.c_str(), nullptr);
  if (result != ERROR_SUCCESS && result != ERROR_ALREADY_EXISTS && result != ERROR_FILE_EXISTS) {
    return ErrnoFromSystemError(DWORD(result));
  }
  DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return ErrnoFromSystemError(GetLastError());
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : ENOTDIR;
}

}  // namespace somnara::platform
