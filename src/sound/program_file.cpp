#include "sound/program_file.h"

#include "platform/platform.h"

namespace somnara::sound {

std::string ProgramFile(std::string_view name) {
  std::string path = platform::Current().program_dir;
  for (char c : name) path += c == '\\' ? '/' : c;
  return path;
}

}  // namespace somnara::sound
