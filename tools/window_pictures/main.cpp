// Renders the program's windows on the headless desktop to PNG files, so every window can
// be looked at without a desktop. Same program, same pictures: the clock is virtual.
//   window_pictures <program folder with pend.gif> <output folder>
#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "button_scenes.h"
#include "dialog_scenes.h"
#include "frame_scenes.h"
#include "program_scenes.h"
#include "title_bar_scenes.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: window_pictures <program folder> <output folder>\n";
    return 2;
  }
  try {
    std::filesystem::create_directories(argv[2]);
    for (const std::string& file : somnara::pictures::RenderProgramWindows(argv[1], argv[2]))
      std::cout << file << "\n";
    for (const std::string& file : somnara::pictures::RenderTitleBars(argv[2]))
      std::cout << file << "\n";
    for (const std::string& file : somnara::pictures::RenderFrames(argv[2]))
      std::cout << file << "\n";
    for (const std::string& file : somnara::pictures::RenderButtons(argv[2]))
      std::cout << file << "\n";
    for (const std::string& file : somnara::pictures::RenderMessageDialogs(argv[2]))
      std::cout << file << "\n";
  } catch (const std::exception& e) {
    std::cerr << "window_pictures: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
