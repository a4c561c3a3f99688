#include <cstdio>
#include <memory>
#include <vector>

#include "e2e_bench.h"
#include "framework/application.h"
#include "framework/form.h"
#include "framework/graphics/bitmap.h"
#include "platform/linux/x11/x11_window.h"
#include "platform/linux/x11/x11_window_system.h"
#include "platform/platform.h"
// Last: Xlib's macros (None, Bool) clash with the framework's names.
#include <X11/Xlib.h>

namespace somnara::bench {
namespace {

constexpr int kFrames = 200;

class NullListener : public platform::NativeWindowListener {
 public:
  void OnNativeEvent(const platform::InputEvent&) override {}
};

void Settle(platform::X11WindowSystem& system, int ms) {
  const int64_t end = system.GetClock().NowMs() + ms;
  while (system.GetClock().NowMs() < end) system.WaitForEvents(end, 0);
}

// The backend alone: a window's whole picture to the server, waited for (XSync), so the
// server's share of the work is in the figure.
void BackendPresent(const std::string& display, int width, int height, bool shared_memory,
                    bool lend) {
  platform::X11WindowSystem::Options options;
  options.allow_shared_memory = shared_memory;
  options.lend_pixels = lend;
  std::string error;
  auto system = platform::X11WindowSystem::OpenDisplay(display, options, &error);
  if (!system) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return;
  }
  NullListener listener;
  platform::NativeWindowOptions window_options;
  window_options.title = "bench";
  window_options.bounds = Rect::FromSize(0, 0, width, height);
  auto native = system->CreateWindow(window_options, &listener);
  auto* window = static_cast<platform::X11Window*>(native.get());
  window->SetVisible(true);
  Settle(*system, 200);
  std::vector<uint32_t> pixels(size_t(width) * size_t(height), 0);
  const Rect whole = Rect::FromSize(0, 0, width, height);
  window->Present({pixels.data(), width, height, width}, whole);  // warms up the transfer
  XSync(system->display(), False);
  const double start = NowMs();
  for (int i = 0; i < kFrames; ++i) {
    pixels[size_t(i)] = uint32_t(i) * 0x010203u;  // a changed picture each time
    window->Present({pixels.data(), width, height, width}, whole);
    XSync(system->display(), False);
  }
  const double us = (NowMs() - start) * 1000.0 / kFrames;
  std::printf("present %dx%d (%s): %.0f us per full-window present\n", width, height,
              window->UsesSharedMemory() ? "MIT-SHM, a copy kept"
              : lend                     ? "XPutImage, the buffer itself kept"
                                         : "XPutImage, a copy kept",
              us);
}

// The framework: the whole of a full-screen form with the star tile as its background,
// painted and presented, as the backdrop is when it is uncovered.
void FrameworkRepaint(const std::string& display, const std::string& tile_path) {
  auto system = OpenFrameworkDesktop(display);
  if (!system) return;
  {
    auto tile = std::make_shared<fw::Bitmap>();
    tile->LoadFromFile(tile_path);
    auto* form = new fw::Form(&fw::App());
    form->AfterConstruction();
    form->SetBorderStyle(fw::BorderStyle::kNone);
    form->SetBorderWidth(1);
    const Size screen = system->ScreenSize();
    form->SetBounds(0, 0, screen.width, screen.height);
    form->GetBrush().SetBitmap(tile);
    form->Show();
    fw::App().ProcessMessages();
    Settle(*system, 200);
    const double start = NowMs();
    for (int i = 0; i < kFrames; ++i) {
      form->Invalidate();
      form->PaintNow();
      XSync(system->display(), False);
    }
    const double us = (NowMs() - start) * 1000.0 / kFrames;
    std::printf("full repaint of a %dx%d form with the star tile (paint + present): %.0f us\n",
                screen.width, screen.height, us);
  }
  CloseFrameworkDesktop();
}

}  // namespace

void BenchPresent(const std::string& display, const std::string& tile_path) {
  for (bool shared_memory : {true, false}) {
    BackendPresent(display, 1024, 768, shared_memory, false);
    BackendPresent(display, 491, 282, shared_memory, false);
  }
  BackendPresent(display, 1024, 768, false, true);
  BackendPresent(display, 491, 282, false, true);
  FrameworkRepaint(display, tile_path);
}

}  // namespace somnara::bench
