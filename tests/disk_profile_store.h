#pragma once

// The desktop backend's own INI store on disk, for tests that keep settings in real files.
#ifdef _WIN32
#include "platform/windows/system/windows_ini_profile_store.h"
#else
#include "platform/linux/system/ini_profile_store.h"
#endif

namespace somnara::testing {

#ifdef _WIN32
using DiskProfileStore = platform::WindowsIniProfileStore;
#else
using DiskProfileStore = platform::IniProfileStore;
#endif

}  // namespace somnara::testing
