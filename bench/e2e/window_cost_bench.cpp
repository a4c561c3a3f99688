// What the windows hold in memory, and what one tick of the clock and of the loop timer
// costs, on the real backend. Nothing here passes or fails.
#include <malloc.h>
#include <time.h>

#include <cstdio>
#include <memory>
#include <string>

#include "e2e_bench.h"
#include "framework/application.h"
#include "framework/controls/draw_helpers.h"
#include "framework/controls/label.h"
#include "framework/form.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/picture.h"
#include "platform/linux/media/gst_media_service.h"
#include "platform/linux/media/linux_short_path_service.h"
#include "platform/linux/x11/x11_window.h"
#include "platform/linux/x11/x11_window_system.h"
#include "platform/platform.h"
#include "sound/current_sound.h"
#include "sound/loop_timer.h"
#include "sound/media.h"
// Last: Xlib's macros (None, Bool) clash with the framework's names.
#include <X11/Xlib.h>

namespace somnara::bench {
namespace {

constexpr int kTicks = 200;
constexpr double kMiB = 1024.0 * 1024.0;

double HeapMiB() {
  const struct mallinfo2 m = mallinfo2();
  return double(m.uordblks + m.hblkhd) / kMiB;
}

double ThreadCpuUs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) * 1e6 + double(ts.tv_nsec) / 1e3;
}

void Pump(platform::X11WindowSystem& system, int ms) {
  const int64_t end = system.GetClock().NowMs() + ms;
  while (system.GetClock().NowMs() < end) {
    fw::App().ProcessMessages();
    system.WaitForEvents(end, 0);
  }
  fw::App().ProcessMessages();
}

// The backdrop as the program has it: full screen, the star tile as its background, and the
// clock label (white on black, 21 pixels high) at its place.
fw::Form* Backdrop(platform::X11WindowSystem& system, const std::string& tile_path,
                   fw::Label** clock) {
  auto tile = std::make_shared<fw::Bitmap>();
  tile->LoadFromFile(tile_path);
  auto* form = new fw::Form(&fw::App());
  form->AfterConstruction();
  form->SetBorderStyle(fw::BorderStyle::kNone);
  form->SetBorderWidth(1);
  const Size screen = system.ScreenSize();
  form->SetBounds(0, 0, screen.width, screen.height);
  form->GetBrush().SetBitmap(tile);
  auto* label = new fw::Label(form);
  label->SetParent(form);
  label->SetBounds(80, 128, 10, 10);
  fw::Font font = label->GetFont();
  font.SetName("MS Sans Serif");
  font.SetHeight(-21);
  font.SetColor(fw::clWhite);
  label->SetFont(font);
  label->SetColor(fw::clBlack);
  label->SetAutoSize(true);
  label->SetCaption("00:00:00");
  form->Show();
  *clock = label;
  return form;
}

// One clock tick as the backdrop's 1 s timer does it, drawn and on the screen.
double ClockTickUs(platform::X11WindowSystem& system, fw::Form& form, fw::Label& clock) {
  const double start = ThreadCpuUs();
  for (int i = 0; i < kTicks; ++i) {
    char text[16];
    std::snprintf(text, sizeof text, "23:%02d:%02d", (i / 60) % 60, i % 60);
    clock.SetCaption(text);
    form.PaintNow();
    XSync(system.display(), False);
  }
  return (ThreadCpuUs() - start) / kTicks;
}

// A plain window of another client over the whole screen.
unsigned long CoverScreen(Display* display) {
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.background_pixel = 0;
  const int screen = DefaultScreen(display);
  const Window cover = XCreateWindow(
      display, RootWindow(display, screen), 0, 0, unsigned(DisplayWidth(display, screen)),
      unsigned(DisplayHeight(display, screen)), 0, CopyFromParent, InputOutput, CopyFromParent,
      CWOverrideRedirect | CWBackPixel, &attributes);
  XMapRaised(display, cover);
  XSync(display, False);
  return cover;
}

}  // namespace

void BenchWindowMemory(const std::string& display, const std::string& program_dir,
                       const std::string& tile_path) {
  auto system = OpenFrameworkDesktop(display);
  if (!system) return;
  {
    double before = HeapMiB();
    fw::Font font;
    font.SetName("MS Sans Serif");
    font.SetHeight(-21);
    fw::MeasureText(font, "00:00:00", 0);
    const double fonts = HeapMiB() - before;

    before = HeapMiB();
    fw::Picture pend;
    pend.LoadFromFile(program_dir + "/pend.gif");
    fw::Bitmap tile;
    tile.LoadFromFile(tile_path);
    const double pictures = HeapMiB() - before;

    before = HeapMiB();
    fw::Label* clock = nullptr;
    fw::Form* form = Backdrop(*system, tile_path, &clock);
    Pump(*system, 200);
    auto* native = static_cast<platform::X11Window*>(form->NativeWindow());
    const double shared =
        native->UsesSharedMemory() ? double(form->Width()) * form->Height() * 4 / kMiB : 0;
    const double shown = HeapMiB() - before;
    form->Hide();
    Pump(*system, 100);
    const double hidden = HeapMiB() - before;
    std::printf(
        "memory, window side: fonts (MS Sans Serif, 21 px, 8 glyphs) %.2f MiB; pictures "
        "(pend.gif %dx%d, %zu frames, and the star tile) %.2f MiB\n",
        fonts, pend.Width(), pend.Height(), pend.FrameCount(), pictures);
    std::printf(
        "  the %dx%d backdrop shown: %.2f MiB heap + %.2f MiB shared with the X server; "
        "hidden: %.2f MiB heap + %.2f MiB shared\n",
        form->Width(), form->Height(), shown, shared, hidden,
        native->UsesSharedMemory() && hidden > shown / 2 ? shared : 0.0);
    delete form;
  }
  CloseFrameworkDesktop();
}

void BenchTicks(const std::string& display, const std::string& program_dir,
                const std::string& tile_path) {
  auto system = OpenFrameworkDesktop(display);
  if (!system) return;
  {
    fw::Label* clock = nullptr;
    fw::Form* form = Backdrop(*system, tile_path, &clock);
    Pump(*system, 200);
    const double seen = ClockTickUs(*system, *form, *clock);
    // Covered by another program's window, the backdrop hears it and draws nothing.
    Display* other = XOpenDisplay(display.c_str());
    const unsigned long cover = other ? CoverScreen(other) : 0;
    Pump(*system, 200);
    const uint64_t presents = platform::X11WindowSystem::PresentCount();
    const double covered = ClockTickUs(*system, *form, *clock);
    const uint64_t covered_presents = platform::X11WindowSystem::PresentCount() - presents;
    if (other) {
      XDestroyWindow(other, cover);
      XCloseDisplay(other);
    }
    std::printf(
        "clock tick (1 s timer: caption, paint, present): %.0f us of CPU; with the "
        "backdrop covered %.0f us, %llu presents in %d ticks\n",
        seen, covered, (unsigned long long)covered_presents, kTicks);
    delete form;
  }
  CloseFrameworkDesktop();

  // The loop timer's poll while a track plays (position, then length), on silent output.
  platform::GstMediaOptions options;
  options.output = platform::GstMediaOptions::Output::kSilent;
  platform::GstMediaService media(options);
  // The channel opens files by their short names; without the service every open fails
  // and each tick would measure a failed reopen instead of a poll.
  platform::LinuxShortPathService short_paths;
  platform::Services services;
  services.media = &media;
  services.short_paths = &short_paths;
  services.program_dir = program_dir;
  platform::Install(services);
  sound::CurrentSoundPath = program_dir + "/SNatural.dll";
  sound::MediaOpen(sound::kSoundAlias, sound::CurrentSoundPath, sound::kSoundDeviceType);
  sound::MediaPlay(sound::kSoundAlias);
  if (sound::MediaLength(sound::kSoundAlias) <= 0)
    std::printf("loop timer poll: the track did not open; the figure is a reopen's\n");
  const double start = ThreadCpuUs();
  const double wall = NowMs();
  for (int i = 0; i < kTicks; ++i) sound::LoopTimerTick(sound::CurrentSoundPath);
  std::printf(
      "loop timer poll (100 ms timer, a track playing): %.0f us of CPU, %.0f us in all, "
      "per tick\n",
      (ThreadCpuUs() - start) / kTicks, (NowMs() - wall) * 1000.0 / kTicks);
  sound::MediaCloseAll();
  platform::Install({});
}

}  // namespace somnara::bench
