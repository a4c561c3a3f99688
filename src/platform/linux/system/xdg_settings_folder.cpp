#include "platform/linux/system/xdg_settings_folder.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace somnara::platform {
namespace {

bool Writable(const std::string& path) {
  return faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// The program may keep `file` in `folder` when the file is there and writable (the profile
// store then writes it in place if need be), or missing from a folder that takes new files.
bool ProgramFolderTakes(const std::string& folder, const std::string& file) {
  struct stat info {};
  if (stat(file.c_str(), &info) == 0) return S_ISREG(info.st_mode) && Writable(file);
  return errno == ENOENT && faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return home;
  // A session started without HOME still has an entry in the user database.
  const passwd* entry = getpwuid(geteuid());
  return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "/";
}

// Only an absolute $XDG_CONFIG_HOME counts; a relative one is ignored, as the desktop does.
std::string ConfigHome() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') return config;
  std::string home = HomeFolder();
  return (home == "/" ? "" : home) + "/.config";
}

}  // namespace

std::string XdgSettingsFolder::Locate(const std::string& file_name) {
  if (ProgramFolderTakes(program_dir_, program_dir_ + "/" + file_name)) return program_dir_;
  return ConfigHome() + "/somnara";
}

int XdgSettingsFolder::Create(const std::string& folder) {
  // Each missing folder from the top down; one made meanwhile by someone else is fine.
  for (std::size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
    const std::string part = folder.substr(0, end);
    if (!part.empty() && mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return errno;
    if (end == std::string::npos) break;
  }
  struct stat info {};
  if (stat(folder.c_str(), &info) != 0) return errno;
  return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
}

}  // namespace somnara::platform
