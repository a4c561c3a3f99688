// Renders the program's icon at the sizes of the desktop's icon theme, drawn from the same
// shapes as the icon the program carries, so the menu and the about window show one icon.
//   somnara_icons <folder>  ->  <folder>/<n>x<n>/apps/somnara.png
#include <filesystem>
#include <iostream>
#include <string>

#include "picture/png_writer.h"
#include "program_icon_picture.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: somnara_icons <folder>\n";
    return 2;
  }
  for (int size : {16, 32, 48, 64, 128, 256}) {
    const std::string name = std::to_string(size) + "x" + std::to_string(size);
    const std::filesystem::path folder = std::filesystem::path(argv[1]) / name / "apps";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
      std::cerr << "somnara_icons: " << folder.string() << ": " << error.message() << "\n";
      return 1;
    }
    somnara::picture::PngImage image{size, size, 4, {}};
    for (const resgen::Rgba& p : resgen::DrawProgramIcon(size, false))
      image.samples.insert(image.samples.end(),
                           {uint8_t(p.rgb >> 16), uint8_t(p.rgb >> 8), uint8_t(p.rgb), p.alpha});
    const std::string problem =
        somnara::picture::WritePng((folder / "somnara.png").string(), image);
    if (!problem.empty()) {
      std::cerr << "somnara_icons: " << problem << "\n";
      return 1;
    }
  }
  return 0;
}
