#include "platform/linux/system/ini_profile_store.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/ini/ini_document.h"

namespace somnara::platform {
namespace {

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() { Reset(); }
  int get() const { return fd_; }
  void Reset(int fd = -1) {
    if (fd_ >= 0) close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

ProfileWriteResult Failed(int error) {
  return {false, error};
}

std::string Clip(std::string_view text) {
  // Callers of the classic service got a C string: it ends at the first NUL.
  text = text.substr(0, text.find('\0'));
  return std::string(text.substr(0, ProfileStore::kMaxValueLength));
}

// Reads a whole regular file. Returns 0 or an errno value (ENOENT when it is missing).
int LoadFile(const std::string& path, std::string& bytes, struct stat& info) {
  // Non-blocking, so that a FIFO in the file's place cannot hang the program.
  Fd fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (fd.get() < 0) return errno;
  if (fstat(fd.get(), &info) != 0) return errno;
  if (S_ISDIR(info.st_mode)) return EISDIR;
  if (!S_ISREG(info.st_mode)) return EINVAL;
  if (info.st_size > IniProfileStore::kMaxFileBytes) return EFBIG;
  bytes.clear();
  bytes.reserve(std::size_t(info.st_size));
  char buffer[65536];
  for (;;) {
    ssize_t n = read(fd.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return 0;
    if (bytes.size() + std::size_t(n) > std::size_t(IniProfileStore::kMaxFileBytes)) return EFBIG;
    bytes.append(buffer, std::size_t(n));
  }
}

int WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t n = write(fd, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    data.remove_prefix(std::size_t(n));
  }
  return 0;
}

// A write through a symbolic link changes the file it points to and keeps the link.
std::string ResolveLink(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* real = realpath(path.c_str(), nullptr);
  if (real == nullptr) return path;
  std::string resolved(real);
  std::free(real);
  return resolved;
}

// Temporary names carry the writer's process id, so a later writer can tell what a writer
// killed between naming and renaming left behind from a write still under way.
std::string TempName(const std::string& folder, const std::string& base) {
  static unsigned counter = 0;
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  unsigned long long mix = (unsigned long long)now.tv_nsec * 2654435761ull ^ ++counter;
  char suffix[48];
  std::snprintf(suffix, sizeof suffix, ".%ld.%08llx", long(getpid()), mix & 0xFFFFFFFFull);
  return folder + "/." + base + suffix;
}

// Removes the temporary files of writers that no longer run.
void SweepLeftovers(const std::string& folder, const std::string& base) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return;
  const std::string prefix = "." + base + ".";
  while (const dirent* entry = readdir(dir)) {
    std::string_view name(entry->d_name);
    if (!name.starts_with(prefix)) continue;
    std::string_view rest = name.substr(prefix.size());
    std::size_t dot = rest.find('.');
    if (dot == 0 || dot == std::string_view::npos || dot + 1 == rest.size()) continue;
    long pid = 0;
    bool digits = true;
    for (char c : rest.substr(0, dot)) {
      digits = digits && c >= '0' && c <= '9' && pid < (long(INT_MAX) - 9) / 10;
      if (digits) pid = pid * 10 + (c - '0');
    }
    if (!digits || pid <= 0) continue;
    if (kill(pid_t(pid), 0) != 0 && errno == ESRCH) unlinkat(dirfd(dir), entry->d_name, 0);
  }
  closedir(dir);
}

// Gives the new file the old one's owner and permissions, writes it and syncs it.
int Fill(int fd, std::string_view data, const struct stat* old) {
  if (old != nullptr) {
    if (old->st_uid != geteuid() || old->st_gid != getegid()) {
      // Only possible with privileges; without them the file stays the writer's own.
      (void)fchown(fd, old->st_uid, old->st_gid);
    }
    if (fchmod(fd, old->st_mode & 07777) != 0) return errno;
  }
  if (int error = WriteAll(fd, data)) return error;
  if (fsync(fd) != 0) return errno;
  return 0;
}

// Writes `data` to an unnamed file in `folder` and then gives it a temporary name; a
// process that dies before that leaves no trace. Returns 0 or an errno value.
int WriteUnnamed(const std::string& folder, const std::string& base, std::string_view data,
                 const struct stat* old, std::string& temp_path) {
  Fd fd(open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
  if (fd.get() < 0) return errno;
  if (int error = Fill(fd.get(), data, old)) return error;
  char proc_path[64];
  std::snprintf(proc_path, sizeof proc_path, "/proc/self/fd/%d", fd.get());
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp_path = TempName(folder, base);
    if (linkat(AT_FDCWD, proc_path, AT_FDCWD, temp_path.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

int WriteNamed(const std::string& folder, const std::string& base, std::string_view data,
               const struct stat* old, std::string& temp_path) {
  Fd fd;
  for (int attempt = 0; attempt < 100 && fd.get() < 0; ++attempt) {
    temp_path = TempName(folder, base);
    fd.Reset(open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.get() < 0 && errno != EEXIST) return errno;
  }
  if (fd.get() < 0) return EEXIST;
  if (int error = Fill(fd.get(), data, old)) {
    unlink(temp_path.c_str());
    return error;
  }
  return 0;
}

// Puts `data` in place of the file at `path` in one step.
ProfileWriteResult ReplaceFile(const std::string& path, std::string_view data,
                               const struct stat* old, bool unnamed) {
  std::size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  if (base.empty()) return Failed(EISDIR);

  SweepLeftovers(folder, base);
  std::string temp_path;
  int error = unnamed ? WriteUnnamed(folder, base, data, old, temp_path) : -1;
  if (error != 0) {
    // No unnamed files on this file system, or no /proc to name them through.
    error = WriteNamed(folder, base, data, old, temp_path);
  }
  if (error != 0) return Failed(error);
  if (rename(temp_path.c_str(), path.c_str()) != 0) {
    error = errno;
    unlink(temp_path.c_str());
    return Failed(error);
  }
  // The rename itself must reach the disk too, or a power cut could bring back the old file.
  Fd dir(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) (void)fsync(dir.get());
  return {};
}

// Whether the folder, not the file, stopped a replacement: it refused the temporary file,
// or, being sticky, the rename over a file of someone else's.
bool FolderRefused(int error) {
  return error == EACCES || error == EPERM;
}

// Writes `data` over the file itself, for a writable file in a folder that takes no new
// files. A process killed meanwhile can leave the new start over the old end, so this is
// the last resort, not the way; cutting comes after the sync so that the file never holds
// less than the whole new contents once they are written. What goes past the old end is
// written first: should the disk be full, the file is cut back to its old contents before
// any of them has changed.
ProfileWriteResult OverwriteInPlace(const std::string& path, std::string_view data) {
  Fd fd(open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (fd.get() < 0) return Failed(errno);
  struct stat info {};
  if (fstat(fd.get(), &info) != 0) return Failed(errno);
  if (!S_ISREG(info.st_mode)) return Failed(EINVAL);
  const std::size_t old_size = static_cast<std::size_t>(info.st_size);
  if (data.size() > old_size) {
    if (lseek(fd.get(), info.st_size, SEEK_SET) < 0) return Failed(errno);
    if (int error = WriteAll(fd.get(), data.substr(old_size))) {
      (void)ftruncate(fd.get(), info.st_size);
      return Failed(error);
    }
    if (lseek(fd.get(), 0, SEEK_SET) < 0) return Failed(errno);
    data = data.substr(0, old_size);
  }
  if (int error = WriteAll(fd.get(), data)) return Failed(error);
  if (fsync(fd.get()) != 0) return Failed(errno);
  if (info.st_size > static_cast<off_t>(data.size())) {
    if (ftruncate(fd.get(), static_cast<off_t>(data.size())) != 0) return Failed(errno);
    if (fsync(fd.get()) != 0) return Failed(errno);
  }
  return {};
}

}  // namespace

std::string IniProfileStore::ReadString(const std::string& section, const std::string& key,
                                        const std::string& default_value,
                                        const std::string& file_path) {
  std::string bytes;
  struct stat info {};
  if (LoadFile(file_path, bytes, info) != 0) return Clip(default_value);
  IniDocument doc = IniDocument::Parse(bytes);
  std::optional<std::string_view> value = doc.Find(section, key);
  return Clip(value ? *value : std::string_view(default_value));
}

ProfileWriteResult IniProfileStore::WriteString(const std::string& section, const std::string& key,
                                                const std::string& value,
                                                const std::string& file_path) {
  if (!IniDocument::ValidNames(section, key) || !IniDocument::ValidValue(value)) {
    return Failed(EINVAL);
  }
  std::string path = ResolveLink(file_path);
  std::string bytes;
  struct stat old {};
  int error = LoadFile(path, bytes, old);
  bool exists = error == 0;
  if (!exists && error != ENOENT) return Failed(error);
  // Replacing goes through the folder, but a file its owner made read-only stays unchanged.
  if (exists && faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return Failed(errno);

  IniDocument doc = IniDocument::Parse(bytes);
  if (!doc.Set(section, key, value)) return Failed(EINVAL);
  const std::string data = doc.Serialize();
  ProfileWriteResult result =
      ReplaceFile(path, data, exists ? &old : nullptr, options_.unnamed_temp_files);
  if (!result.ok && exists && FolderRefused(result.error)) return OverwriteInPlace(path, data);
  return result;
}

}  // namespace somnara::platform
