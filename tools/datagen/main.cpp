// Writes the data files that lie beside the program: the moon picture, the start-up tune,
// the nature sounds, the spoken guidance and the help page. The same build always writes
// the same bytes.
//   somnara_datagen FOLDER [--quiet]

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "datagen/program_files.h"

int main(int argc, char** argv) {
  const char* folder = nullptr;
  bool quiet = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--quiet") == 0) {
      quiet = true;
    } else if (argv[i][0] == '-' || folder) {
      folder = nullptr;
      break;
    } else {
      folder = argv[i];
    }
  }
  if (!folder || folder[0] == '\0') {
    std::fprintf(stderr, "usage: somnara_datagen FOLDER [--quiet]\n");
    return 2;
  }
  try {
    somnara::datagen::WriteProgramFiles(folder, [quiet](const std::string& line) {
      if (!quiet) std::printf("  %s\n", line.c_str());
      std::fflush(stdout);
    });
  } catch (const std::exception& e) {
    std::fprintf(stderr, "somnara_datagen: %s\n", e.what());
    return 1;
  }
  return 0;
}
