#include <cstdlib>

#include "framework/graphics/font_catalogue.h"
#include "platform/platform.h"

namespace somnara::fw {

// The fonts the program carries in its folder's fonts/ come first, so every machine draws
// alike; then the system's font folder, which the platform names (without one, as in tests
// on the headless desktop, the folder under the system root that the environment names).
std::unique_ptr<FontCatalogue> SystemFontCatalogue() {
  return std::make_unique<FolderFontCatalogue>([] {
    const platform::Services& services = platform::Current();
    std::vector<std::string> folders;
    if (!services.program_dir.empty()) folders.push_back(services.program_dir + "/fonts");
    if (!services.font_dir.empty()) {
      folders.push_back(services.font_dir);
    } else if (const char* root = std::getenv("SystemRoot")) {
      folders.push_back(std::string(root) + "/Fonts");
    }
    return folders;
  });
}

}  // namespace somnara::fw
