#include "platform/windows/system/windows_ini_profile_store.h"

#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <string_view>

#include "platform/ini/ini_document.h"
#include "platform/windows/system/wide_text.h"

namespace somnara::platform {
namespace {

class Handle {
 public:
  explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { Reset(); }
  HANDLE get() const { return handle_; }
  void Reset(HANDLE handle = INVALID_HANDLE_VALUE) {
    if (valid()) CloseHandle(handle_);
    handle_ = handle;
  }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }

 private:
  HANDLE handle_;
};

ProfileWriteResult Failed(int error) {
  return {false, error};
}

int LastErrno() {
  return ErrnoFromSystemError(GetLastError());
}

std::string Clip(std::string_view text) {
  // Callers of the classic service got a C string: it ends at the first NUL.
  text = text.substr(0, text.find('\0'));
  return std::string(text.substr(0, ProfileStore::kMaxValueLength));
}

// The folder part of a path, either separator counting; "." for a bare name.
std::size_t LastSeparator(const std::string& path) {
  return path.find_last_of("/\\");
}

// Reads a whole file. 0, or an errno value (ENOENT when it is missing).
int LoadFile(const std::wstring& path, std::string& bytes, DWORD* attributes) {
  DWORD found = GetFileAttributesW(path.c_str());
  if (found == INVALID_FILE_ATTRIBUTES) return LastErrno();
  if (found & FILE_ATTRIBUTE_DIRECTORY) return EISDIR;
  *attributes = found;
  // Others may read, write or replace the file meanwhile; the bytes read are one version.
  Handle file(CreateFileW(path.c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return LastErrno();
  // A pipe or a device in the file's place is not a settings file.
  if (GetFileType(file.get()) != FILE_TYPE_DISK) return EINVAL;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return LastErrno();
  if (size.QuadPart > WindowsIniProfileStore::kMaxFileBytes) return EFBIG;
  bytes.clear();
  bytes.reserve(std::size_t(size.QuadPart));
  char buffer[65536];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) return LastErrno();
    if (read == 0) return 0;
    if (bytes.size() + read > std::size_t(WindowsIniProfileStore::kMaxFileBytes)) return EFBIG;
    bytes.append(buffer, read);
  }
}

int WriteAll(HANDLE file, std::string_view data) {
  while (!data.empty()) {
    DWORD chunk = data.size() > (1u << 30) ? (1u << 30) : DWORD(data.size());
    DWORD written = 0;
    if (!WriteFile(file, data.data(), chunk, &written, nullptr)) return LastErrno();
    if (written == 0) return EIO;
    data.remove_prefix(written);
  }
  return 0;
}

// Whether a process of that id still runs; one that cannot be asked about counts as running.
bool ProcessRuns(unsigned long process_id) {
  Handle process(OpenProcess(SYNCHRONIZE, FALSE, process_id));
  if (!process.valid()) return GetLastError() != ERROR_INVALID_PARAMETER;
  return WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

// Removes the temporary files of writers that no longer run. A writer still running holds
// its file open without sharing it for deletion, so at worst this deletion fails.
void SweepLeftovers(const std::string& folder, const std::string& base) {
  const std::string prefix = "." + base + ".";
  WIN32_FIND_DATAW entry{};
  HANDLE found = FindFirstFileW(Widen(folder + "\\" + prefix + "*").c_str(), &entry);
  if (found == INVALID_HANDLE_VALUE) return;
  do {
    std::string name = Narrow(entry.cFileName);
    // The pattern matches short names too: only our own long names count.
    if (!name.starts_with(prefix) || !name.ends_with(".tmp")) continue;
    std::string_view rest = std::string_view(name).substr(prefix.size());
    unsigned long process_id = 0;
    std::size_t digits = 0;
    while (digits < rest.size() && digits < 10 && rest[digits] >= '0' && rest[digits] <= '9') {
      process_id = process_id * 10 + unsigned(rest[digits++] - '0');
    }
    if (digits == 0 || digits >= rest.size() || rest[digits] != '.') continue;
    if (!ProcessRuns(process_id)) DeleteFileW(Widen(folder + "\\" + name).c_str());
  } while (FindNextFileW(found, &entry));
  FindClose(found);
}

// Puts `data` in place of the file at `path` in one step.
ProfileWriteResult ReplaceWhole(const std::string& path, std::string_view data, DWORD attributes) {
  const std::size_t separator = LastSeparator(path);
  const std::string folder = separator == std::string::npos ? "." : path.substr(0, separator);
  const std::string base = separator == std::string::npos ? path : path.substr(separator + 1);
  if (base.empty()) return Failed(EISDIR);

  SweepLeftovers(folder, base);
  static unsigned serial = 0;
  std::wstring temp;
  Handle file;
  for (int attempt = 0; attempt < 100 && !file.valid(); ++attempt) {
    temp = Widen(WindowsIniProfileStore::TempPath(path, GetCurrentProcessId(), ++serial));
    // Not shared for deletion while it is written, so no sweeper can take it away.
    file.Reset(
        CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr));
    if (!file.valid() && GetLastError() != ERROR_FILE_EXISTS) return Failed(LastErrno());
  }
  if (!file.valid()) return Failed(EEXIST);
  int error = WriteAll(file.get(), data);
  if (error == 0 && !FlushFileBuffers(file.get())) error = LastErrno();
  file.Reset();
  // Write-through: the move itself reaches the disk before it returns, so a power cut
  // cannot bring the old file back after the write was reported done.
  if (error == 0 && !MoveFileExW(temp.c_str(), Widen(path).c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = LastErrno();
  }
  if (error != 0) DeleteFileW(temp.c_str());
  return error == 0 ? ProfileWriteResult{} : Failed(error);
}

// Writes `data` over the file itself, for a writable file in a folder that takes no new
// files. A process killed meanwhile can leave the new start over the old end, so this is
// the last resort, not the way. What goes past the old end is written first: should the
// disk be full, the file is cut back to its old contents before any of them has changed.
ProfileWriteResult OverwriteInPlace(const std::wstring& path, std::string_view data) {
  Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return Failed(LastErrno());
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return Failed(LastErrno());
  const std::size_t old_size = std::size_t(size.QuadPart);
  if (data.size() > old_size) {
    if (!SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN)) return Failed(LastErrno());
    if (int error = WriteAll(file.get(), data.substr(old_size))) {
      SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN);
      SetEndOfFile(file.get());
      return Failed(error);
    }
    data = data.substr(0, old_size);
  }
  LARGE_INTEGER start{};
  if (!SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN)) return Failed(LastErrno());
  if (int error = WriteAll(file.get(), data)) return Failed(error);
  if (!FlushFileBuffers(file.get())) return Failed(LastErrno());
  if (old_size > data.size()) {
    if (!SetEndOfFile(file.get()) || !FlushFileBuffers(file.get())) return Failed(LastErrno());
  }
  return {};
}

}  // namespace

std::string WindowsIniProfileStore::TempPath(const std::string& file_path, unsigned long process_id,
                                             unsigned serial) {
  const std::size_t separator = LastSeparator(file_path);
  const std::string folder = separator == std::string::npos ? "." : file_path.substr(0, separator);
  const std::string base =
      separator == std::string::npos ? file_path : file_path.substr(separator + 1);
  char suffix[48];
  std::snprintf(suffix, sizeof suffix, ".%lu.%u.tmp", process_id, serial);
  return folder + "\\." + base + suffix;
}

std::string WindowsIniProfileStore::ReadString(const std::string& section, const std::string& key,
                                               const std::string& default_value,
                                               const std::string& file_path) {
  std::string bytes;
  DWORD attributes = 0;
  if (LoadFile(Widen(file_path), bytes, &attributes) != 0) return Clip(default_value);
  IniDocument doc = IniDocument::Parse(bytes);
  std::optional<std::string_view> value = doc.Find(section, key);
  return Clip(value ? *value : std::string_view(default_value));
}

ProfileWriteResult WindowsIniProfileStore::WriteString(const std::string& section,
                                                       const std::string& key,
                                                       const std::string& value,
                                                       const std::string& file_path) {
  if (!IniDocument::ValidNames(section, key) || !IniDocument::ValidValue(value)) {
    return Failed(EINVAL);
  }
  const std::wstring wide_path = Widen(file_path);
  std::string bytes;
  DWORD attributes = FILE_ATTRIBUTE_NORMAL;
  int error = LoadFile(wide_path, bytes, &attributes);
  const bool exists = error == 0;
  if (!exists && error != ENOENT) return Failed(error);
  // Replacing goes through the folder, but a file its owner made read-only stays unchanged.
  if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) return Failed(EACCES);

  IniDocument doc = IniDocument::Parse(bytes);
  if (!doc.Set(section, key, value)) return Failed(EINVAL);
  const std::string data = doc.Serialize();
  // The new file takes the old one's visible attributes (hidden, archive, not indexed).
  const DWORD kept = exists ? attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE |
                                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED)
                            : 0;
  ProfileWriteResult result = ReplaceWhole(file_path, data, kept ? kept : FILE_ATTRIBUTE_NORMAL);
  if (!result.ok && exists && result.error == EACCES) return OverwriteInPlace(wide_path, data);
  return result;
}

}  // namespace somnara::platform
