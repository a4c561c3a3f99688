#pragma once

#include <cstddef>
#include <string>

namespace somnara::platform {

class WindowSystem;
class MediaService;
class ProfileStore;
class SystemVolume;
class PowerService;
class ShellService;
class ShortPathService;
class SettingsFolder;
class Clipboard;

// The services a backend provides. The program reaches the operating system only
// through these; tests fill them with the headless backend's fakes.
struct Services {
  WindowSystem* windows = nullptr;
  MediaService* media = nullptr;
  ProfileStore* profiles = nullptr;
  SystemVolume* volume = nullptr;
  PowerService* power = nullptr;
  ShellService* shell = nullptr;
  // Null: nothing can be copied to the desktop's clipboard.
  Clipboard* clipboard = nullptr;
  ShortPathService* short_paths = nullptr;
  // Null keeps the settings beside the executable, in `program_dir`.
  SettingsFolder* settings_folder = nullptr;
  // The system's font folder, where the text renderer looks after the program folder's
  // fonts/; empty where the desktop has its own font catalogue (fontconfig on Linux).
  std::string font_dir = {};
  // Folder of the running executable, without a trailing separator.
  std::string program_dir;
  // Lets the system take back the memory of read-only data that lives in the program file
  // (it is read from the file again if it is ever used); null keeps it in memory.
  void (*release_file_pages)(const void* begin, std::size_t size) = nullptr;
};

// The services in force; set once at start (or by a test fixture) before any window exists.
Services& Current();
void Install(const Services& services);

}  // namespace somnara::platform
