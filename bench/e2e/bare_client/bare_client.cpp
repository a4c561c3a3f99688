// The floor for the start-up figure: a client of nothing but Xlib (no framework, no fonts,
// no sound) that shows the backdrop's first frame as cheaply as it can be shown: the star
// tile over the whole screen, made as the window's background before the window maps.
//
// Usage: bench_bare_client <tile: width and height as 32-bit ints, then 0x00RRGGBB words>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::ifstream in(argv[1], std::ios::binary);
  int32_t tile_w = 0, tile_h = 0;
  in.read(reinterpret_cast<char*>(&tile_w), 4).read(reinterpret_cast<char*>(&tile_h), 4);
  if (!in || tile_w <= 0 || tile_h <= 0) return 2;
  std::vector<uint32_t> tile(size_t(tile_w) * size_t(tile_h));
  in.read(reinterpret_cast<char*>(tile.data()), std::streamsize(tile.size() * 4));
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 1;
  const int screen = DefaultScreen(display);
  const int w = DisplayWidth(display, screen), h = DisplayHeight(display, screen);
  // The tile's phase as the backdrop has it: from the client corner inside a 1-pixel border.
  std::vector<uint32_t> pixels(size_t(w) * size_t(h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      pixels[size_t(y) * size_t(w) + size_t(x)] =
          tile[size_t((y + tile_h - 1) % tile_h) * size_t(tile_w) +
               size_t((x + tile_w - 1) % tile_w)];
  const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, unsigned(w),
                                            unsigned(h), 0, 0, 0);
  XStoreName(display, window, "Somnara floor");
  XImage* image = XCreateImage(
      display, DefaultVisual(display, screen), unsigned(DefaultDepth(display, screen)), ZPixmap, 0,
      reinterpret_cast<char*>(pixels.data()), unsigned(w), unsigned(h), 32, 0);
  const Pixmap frame = XCreatePixmap(display, window, unsigned(w), unsigned(h),
                                     unsigned(DefaultDepth(display, screen)));
  XPutImage(display, frame, DefaultGC(display, screen), image, 0, 0, 0, 0, unsigned(w),
            unsigned(h));
  XSetWindowBackgroundPixmap(display, window, frame);
  XMapWindow(display, window);
  XSync(display, False);
  image->data = nullptr;
  XDestroyImage(image);
  // Stays up until the bench ends it.
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
  }
}
