#pragma once

#include <string>
#include <vector>

namespace somnara::sound {

// The nature sounds the user chooses from: the index is what the wizard's list shows, what
// the settings file keeps under "music" and what the sleep window plays. The files are audio
// whatever their extension says; they lie beside the program.
class SoundCatalogue {
 public:
  static constexpr int kCount = 7;

  // The names in list order.
  static const std::vector<std::string>& Names();
  // "\SOcean.dll" and the like; empty for an index outside 0..6.
  static std::string FileName(int index);
  // The program directory followed by the file name: for an index outside 0..6 the program
  // directory alone, which no open succeeds on.
  static std::string FullPath(int index);
};

// The spoken guidance of the focus step.
inline constexpr char GuidanceSound[] = "\\somna.dll";

}  // namespace somnara::sound
