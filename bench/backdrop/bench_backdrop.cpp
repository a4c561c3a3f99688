// Prints how fast the backdrop comes up and repaints on the headless desktop, and the cost
// of laying out and drawing one line of text. Figures only; nothing here passes or fails.
#include <chrono>
#include <cstdio>
#include <string>

#include "app/backdrop_window.h"
#include "app/program_entry.h"
#include "app/program_values.h"
#include "framework/application.h"
#include "framework/graphics/canvas.h"
#include "platform/headless/headless_media_service.h"
#include "platform/headless/headless_short_path_service.h"
#include "platform/headless/headless_window_system.h"
#include "platform/linux/system/ini_profile_store.h"
#include "platform/platform.h"

using namespace somnara;
using Clock = std::chrono::steady_clock;

static double Ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

int main() {
  platform::HeadlessWindowSystem windows;
  windows.SetScreenSize({1920, 1080});
  platform::HeadlessMediaService media(windows.Time());
  platform::HeadlessShortPathService short_paths;
  platform::IniProfileStore profiles;
  platform::Services services;
  services.windows = &windows;
  services.media = &media;
  services.short_paths = &short_paths;
  services.profiles = &profiles;
  services.program_dir = "/nonexistent";
  platform::Install(services);
  fw::App().OnException = [](const std::string&) {};

  // Start to the first painted backdrop: the run ends at the first wait of the loop, which
  // comes after the backdrop was shown and presented.
  Clock::time_point start = Clock::now();
  double first_frame_ms = -1;
  windows.At(0, [&] {
    if (!windows.Windows().empty() && windows.Windows()[0]->PresentCount() > 0)
      first_frame_ms = Ms(Clock::now() - start);
    fw::App().Terminate();
  });
  app::RunProgram();
  std::printf("start to first painted backdrop: %.2f ms\n", first_frame_ms);

  // A full repaint of the 1920 x 1080 backdrop (tile brush, bevel, hidden children).
  const int repaints = 50;
  Clock::time_point t = Clock::now();
  for (int i = 0; i < repaints; ++i) {
    Form1->Invalidate();
    Form1->PaintNow();
  }
  std::printf("full repaint of a 1920 x 1080 backdrop: %.3f ms\n", Ms(Clock::now() - t) / repaints);

  fw::Bitmap bitmap(800, 40);
  fw::Canvas& canvas = bitmap.GetCanvas();
  canvas.Font().SetName("Tahoma");
  canvas.Font().SetHeight(-11);
  const std::string line = "Somnara helps you get a good night's sleep, step by step....";
  const int draws = 2000;
  t = Clock::now();
  for (int i = 0; i < draws; ++i) {
    Rect r{0, 0, 800, 40};
    canvas.DrawText(line, r, fw::DT_SINGLELINE | fw::DT_CENTER | fw::DT_VCENTER);
  }
  std::printf("DrawText of a %zu-character line: %.2f us\n", line.size(),
              Ms(Clock::now() - t) * 1000.0 / draws);

  fw::ResetApplication();
  platform::Install({});
  return 0;
}
