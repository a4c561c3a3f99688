// Prints how long a full-screen present takes (a copy sent through shared memory or plain
// requests, or plain requests straight from the presenter's buffer),
// and what a 1 ms opacity fade costs: pushes that reach the server, CPU time, and
// how closely 1 ms waits keep time.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <sys/resource.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/linux/x11/x11_window.h"
#include "platform/linux/x11/x11_window_system.h"
#include "support/xvfb_server.h"

namespace {

using somnara::Rect;
using somnara::platform::NativeWindowOptions;
using somnara::platform::X11Window;
using somnara::platform::X11WindowSystem;

class NullListener : public somnara::platform::NativeWindowListener {
 public:
  void OnNativeEvent(const somnara::platform::InputEvent&) override {}
};

double CpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

std::unique_ptr<X11Window> ShowWindow(X11WindowSystem& system, NullListener* listener,
                                      const Rect& bounds) {
  NativeWindowOptions options;
  options.title = "bench";
  options.bounds = bounds;
  auto native = system.CreateWindow(options, listener);
  std::unique_ptr<X11Window> window(static_cast<X11Window*>(native.release()));
  window->SetVisible(true);
  const int64_t end = system.GetClock().NowMs() + 300;
  while (system.GetClock().NowMs() < end) system.WaitForEvents(end, 0);
  return window;
}

void BenchPresent(const std::string& display, bool shared_memory, bool lend) {
  X11WindowSystem::Options options;
  options.allow_shared_memory = shared_memory;
  options.lend_pixels = lend;
  std::string error;
  auto system = X11WindowSystem::OpenDisplay(display, options, &error);
  if (!system) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return;
  }
  NullListener listener;
  const Rect whole = Rect::FromSize(0, 0, 1024, 768);
  auto window = ShowWindow(*system, &listener, whole);
  std::vector<uint32_t> pixels(size_t(1024) * 768);
  constexpr int kRounds = 200;
  // Warm up (allocates the copy), then time present plus a round trip, so the
  // server's share of the work is counted too.
  window->Present({pixels.data(), 1024, 768, 1024}, whole);
  XSync(system->display(), False);
  timespec t0{}, t1{};
  clock_gettime(CLOCK_MONOTONIC, &t0);
  for (int i = 0; i < kRounds; ++i) {
    std::fill(pixels.begin(), pixels.begin() + 1024, uint32_t(i * 0x010203));
    window->Present({pixels.data(), 1024, 768, 1024}, whole);
    XSync(system->display(), False);
  }
  clock_gettime(CLOCK_MONOTONIC, &t1);
  const double us = ((t1.tv_sec - t0.tv_sec) * 1e9 + (t1.tv_nsec - t0.tv_nsec)) / 1e3 / kRounds;
  std::printf("present 1024x768 (%s): %.0f us per frame, server work included\n",
              window->UsesSharedMemory() ? "MIT-SHM, a copy kept"
              : lend                     ? "XPutImage, the buffer itself kept"
                                         : "XPutImage, a copy kept",
              us);
}

void BenchOpacityFade(const std::string& display) {
  std::string error;
  auto system = X11WindowSystem::OpenDisplay(display, {}, &error);
  if (!system) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return;
  }
  NullListener listener;
  auto window = ShowWindow(*system, &listener, Rect::FromSize(100, 100, 400, 300));
  // A second connection counts the property changes the server really saw.
  Display* probe = XOpenDisplay(display.c_str());
  XSelectInput(probe, window->xid(), PropertyChangeMask);
  XSync(probe, False);
  const Atom opacity_atom = XInternAtom(probe, "_NET_WM_WINDOW_OPACITY", False);

  const somnara::platform::Clock& clock = system->GetClock();
  const uint64_t pushes_before = system->OpacityPushCount();
  const double cpu_before = CpuMs();
  const int64_t start = clock.NowMs();
  int ticks = 0;
  int value = 0;
  int64_t deadline = start;
  while (clock.NowMs() - start < 2000) {
    value = (value + 5) % 255;
    window->SetOpacity(uint8_t(value));
    ++ticks;
    deadline += 1;  // a 1 ms repeating timer
    system->WaitForEvents(deadline, 0);
  }
  const int64_t elapsed = clock.NowMs() - start;
  const double cpu = CpuMs() - cpu_before;
  const uint64_t pushes = system->OpacityPushCount() - pushes_before;

  int notices = 0;
  XSync(system->display(), False);
  XSync(probe, False);
  while (XPending(probe)) {
    XEvent e;
    XNextEvent(probe, &e);
    if (e.type == PropertyNotify && e.xproperty.atom == opacity_atom) ++notices;
  }
  XCloseDisplay(probe);
  std::printf(
      "opacity fade, 1 ms steps for %lld ms: %d SetOpacity calls, %llu pushes, "
      "%d property changes seen by the server (%.1f per second)\n",
      (long long)elapsed, ticks, (unsigned long long)pushes, notices,
      notices * 1000.0 / double(elapsed));
  std::printf(
      "opacity fade: process CPU %.1f ms (%.1f%% of one core); 1 ms timer ticks "
      "achieved %d of %lld\n",
      cpu, 100.0 * cpu / double(elapsed), ticks, (long long)elapsed);
}

}  // namespace

int main() {
  somnara::testing::XvfbServer server;
  std::string error;
  if (!server.Start(&error)) {
    std::fprintf(stderr, "x11_bench: %s\n", error.c_str());
    return 1;
  }
  std::printf("private Xvfb %s, 1024x768x24\n", server.display().c_str());
  BenchPresent(server.display(), true, false);
  BenchPresent(server.display(), false, false);
  BenchPresent(server.display(), false, true);
  BenchOpacityFade(server.display());
  server.Stop();
  return 0;
}
