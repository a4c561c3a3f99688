#include "sound/sound_catalogue.h"

#include <array>

#include "sound/program_file.h"

namespace somnara::sound {
namespace {

struct Entry {
  const char* name;
  const char* file;
};

constexpr std::array<Entry, SoundCatalogue::kCount> kEntries = {{
    {"Natural sound", "\\SNatural.dll"},
    {"Natural sound(stereo)", "\\SNatural2.dll"},
    {"Ocean wave", "\\SOcean.dll"},
    {"Seabird", "\\SSeabird.dll"},
    {"Bicker", "\\SBicker.dll"},
    {"Drip", "\\SDrip.dll"},
    {"Bird", "\\SBird.dll"},
}};

}  // namespace

const std::vector<std::string>& SoundCatalogue::Names() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> out;
    for (const Entry& e : kEntries) out.emplace_back(e.name);
    return out;
  }();
  return names;
}

std::string SoundCatalogue::FileName(int index) {
  if (index < 0 || index >= kCount) return {};
  return kEntries[size_t(index)].file;
}

std::string SoundCatalogue::FullPath(int index) {
  return ProgramFile(FileName(index));
}

}  // namespace somnara::sound
