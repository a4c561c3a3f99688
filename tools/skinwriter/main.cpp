// Writes the skin file stored in the program, drawn from scratch:
//   somnara_skinwriter OUTPUT.skn [--container FILE.sk2] [--pictures DIR]
// --container also writes the inflated item container, --pictures every picture as a BMP file.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "picture/bmp_writer.h"
#include "skinwriter/stored_skin.h"
#include "skinwriter/stored_skin_pictures.h"

namespace {

bool WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  if (!somnara::picture::WriteFileBytes(path, bytes)) {
    std::fprintf(stderr, "somnara_skinwriter: cannot write %s\n", path.string().c_str());
    return false;
  }
  return true;
}

int Usage() {
  std::fprintf(stderr,
               "usage: somnara_skinwriter OUTPUT.skn [--container FILE.sk2] [--pictures DIR]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace somnara::skinwriter;
  if (argc < 2) return Usage();
  const std::filesystem::path output = argv[1];
  std::filesystem::path container_path;
  std::filesystem::path pictures_dir;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return Usage();
    if (arg == "--container") {
      container_path = argv[++i];
    } else if (arg == "--pictures") {
      pictures_dir = argv[++i];
    } else {
      return Usage();
    }
  }

  if (!WriteFile(output, BuildStoredSkin())) return 1;
  if (!container_path.empty() && !WriteFile(container_path, BuildStoredSkinContainer())) return 1;
  if (!pictures_dir.empty()) {
    for (const auto& [name, picture] : DrawStoredSkinPictures())
      if (!WriteFile(pictures_dir / (name + ".bmp"), picture.ToBmp())) return 1;
  }
  return 0;
}
