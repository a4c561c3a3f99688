#include "platform/linux/media/gst_media_options.h"

#include <unistd.h>

namespace somnara::platform {

std::string InstalledSoundfont() {
  static const char* const kCandidates[] = {
      "/usr/share/sounds/sf2/TimGM6mb.sf2",
      "/usr/share/sounds/sf2/FluidR3_GM.sf2",
      "/usr/share/sounds/sf2/default-GM.sf2",
  };
  for (const char* path : kCandidates)
    if (access(path, R_OK) == 0) return path;
  return kCandidates[0];
}

}  // namespace somnara::platform
