#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/linux/x11/x11_window_system.h"
#include "support/screen_image.h"

namespace somnara::bench {

// Start to the first frame of the star backdrop on the screen, and to the main window,
// for `runs` starts of the real program from a copy of its folder (`program_dir`), with the
// file `without` (relative to the folder) taken away unless empty; whether the backdrop
// showed its stars the moment it was mapped; the program's resident memory once its main
// window is up.
// The same look at a client of bare Xlib that shows the same first frame: what no program
// on this machine and display can beat.
double BenchBareClientStartUp(const std::string& display, const testing::ScreenImage& tile,
                              int runs);
double BenchStartUp(const std::string& display, const testing::ScreenImage& tile, int runs,
                    const std::string& without = "",
                    const std::string& program_dir = SOMNARA_PROGRAM_DIR);

// One full-window present: the backend's picture transfer for a full-screen window and a
// 491 x 282 one, and the framework's full repaint of a full-screen form with the star
// tile as its background.
void BenchPresent(const std::string& display, const std::string& tile_path);

// CPU time of the X server (pid `server`) and of this process while a 491 x 282 window
// fades in and out with 1 ms timer ticks.
void BenchFade(const std::string& display, int server);

// What fonts, pictures and the full-screen backdrop's buffers take (shown and hidden).
void BenchWindowMemory(const std::string& display, const std::string& program_dir,
                       const std::string& tile_path);
// CPU time of one clock tick (caption, paint, present) with the backdrop seen and covered,
// and of one poll of the loop timer while a track plays.
void BenchTicks(const std::string& display, const std::string& program_dir,
                const std::string& tile_path);

// The framework on the real backend of `display`, as the program runs on it; null, with the
// reason printed, when the display cannot be opened. CloseFrameworkDesktop() undoes it.
std::unique_ptr<platform::X11WindowSystem> OpenFrameworkDesktop(const std::string& display);
void CloseFrameworkDesktop();

// Milliseconds of a monotonic clock, with fractions.
double NowMs();
// CPU time (user + system) of a process so far, from /proc/<pid>/stat; -1 if unreadable.
double ProcessCpuMs(int pid);
double Median(std::vector<double> values);

}  // namespace somnara::bench
