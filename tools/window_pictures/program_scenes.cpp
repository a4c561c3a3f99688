#include "program_scenes.h"

#include <stdlib.h>

#include <filesystem>
#include <functional>
#include <stdexcept>

#include "app/about_window.h"
#include "app/main_window.h"
#include "app/program_entry.h"
#include "app/program_values.h"
#include "framework/application.h"
#include "framework/controls/edit.h"
#include "framework/controls/menu_item.h"
#include "platform/headless/headless_media_service.h"
#include "platform/headless/headless_power_service.h"
#include "platform/headless/headless_short_path_service.h"
#include "platform/headless/headless_system_volume.h"
#include "platform/headless/headless_window_system.h"
#include "platform/linux/system/ini_profile_store.h"
#include "platform/platform.h"
#include "routine/breathing_window.h"
#include "routine/focus_window.h"
#include "routine/routine_values.h"
#include "routine/sleep_window.h"
#include "routine/wizard_window.h"
#include "screen_picture.h"
#include "skin/controls/tsui_button.h"

namespace somnara::pictures {

namespace {

namespace fs = std::filesystem;

// A program folder of our own, so the wizard's settings never land in the caller's.
class ScratchProgramFolder {
 public:
  explicit ScratchProgramFolder(const std::string& data_dir) {
    char pattern[] = "/tmp/somnara-pictures-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
    std::error_code ignored;
    fs::copy_file(fs::path(data_dir) / "pend.gif", fs::path(path_) / "pend.gif", ignored);
  }
  ~ScratchProgramFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// The part of the screen a window covers, with whatever shows through its cut corners.
RgbPicture Crop(const RgbPicture& screen, const Rect& r) {
  RgbPicture out{r.Width(), r.Height(), {}};
  out.pixels.assign(static_cast<size_t>(out.width) * out.height, 0);
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x) {
      int sx = r.left + x;
      int sy = r.top + y;
      if (sx >= 0 && sy >= 0 && sx < screen.width && sy < screen.height)
        out.pixels[static_cast<size_t>(y) * out.width + x] = screen.At(sx, sy);
    }
  return out;
}

}  // namespace

std::vector<std::string> RenderProgramWindows(const std::string& data_dir,
                                              const std::string& out_dir) {
  ScratchProgramFolder folder(data_dir);
  platform::HeadlessWindowSystem windows;
  platform::HeadlessMediaService media{windows.Time()};
  platform::HeadlessShortPathService short_paths;
  platform::HeadlessPowerService power;
  platform::HeadlessSystemVolume volume{0xC000C000u};
  platform::IniProfileStore profiles;
  platform::Services services;
  services.windows = &windows;
  services.media = &media;
  services.short_paths = &short_paths;
  services.power = &power;
  services.volume = &volume;
  services.profiles = &profiles;
  services.program_dir = folder.Path();
  platform::Install(services);
  fw::ResetApplication();
  ResetProgramValues();

  std::vector<std::string> written;
  std::string failure;
  auto snap = [&](int64_t at, const std::string& name, std::function<fw::Form*()> form) {
    windows.At(at, [&, name, form] {
      RgbPicture screen = ScreenPicture(windows);
      fw::Form* f = form ? form() : nullptr;
      RgbPicture picture = f ? Crop(screen, f->BoundsRect()) : screen;
      std::string path = (fs::path(out_dir) / (name + ".png")).string();
      std::string error = WritePng(path, picture);
      if (error.empty())
        written.push_back(path);
      else if (failure.empty())
        failure = error;
    });
  };
  auto click = [&](int64_t at, std::function<fw::Control*()> control) {
    windows.At(at, [&windows, control] {
      fw::Control* c = control();
      windows.Click(c->ClientToScreen({c->Width() / 2, c->Height() / 2}));
    });
  };

  // Each window is pictured once its fade-in is over (the main window's takes four
  // seconds), before the next step.
  snap(5500, "main", [] { return Form2; });
  windows.At(5600, [] { Form2->About1->Click(); });
  snap(6500, "about", [] { return Form7; });
  windows.At(6600, [] { Form7->Close(); });
  click(7000, [] { return Form2->suiButton1; });
  snap(7900, "wizard-intro", [] { return Form3; });
  click(8000, [] { return Form3->suiButton4; });
  snap(8500, "wizard-step1", [] { return Form3; });
  click(8600, [] { return Form3->suiButton1; });
  snap(9100, "wizard-step2", [] { return Form3; });
  click(9200, [] { return Form3->suiButton2; });
  snap(9700, "wizard-step3", [] { return Form3; });
  windows.At(9799, [] { Form3->Edit1->SetText("1"); });
  click(9800, [] { return Form3->suiButton3; });
  // The focus window opens 43 ms after Next and shows its text for ten seconds; it closes
  // after 120 s, the breathing window follows a second later and the sleep window 30 s
  // after that.
  constexpr int64_t kFocus = 9843;
  constexpr int64_t kBreathing = kFocus + 120052 + 1000;
  constexpr int64_t kSleep = kBreathing + 30041;
  snap(kFocus + 5000, "focus", [] { return Form5; });
  snap(kFocus + 20000, "screen-focus", nullptr);
  snap(kBreathing + 5000, "breathing", [] { return Form6; });
  snap(kSleep + 5000, "sleep", [] { return Form4; });
  windows.At(kSleep + 6000, [] { fw::App().Terminate(); });
  app::RunProgram();

  fw::ResetApplication();
  ResetProgramValues();
  platform::Install({});
  if (!failure.empty()) throw std::runtime_error(failure);
  return written;
}

}  // namespace somnara::pictures
