#include "platform/linux/x11/x11_surface.h"

#include <sys/ipc.h>
#include <sys/mman.h>
#include <sys/shm.h>

#include <cstdlib>
#include <cstring>

#include "platform/linux/x11/x11_error_trap.h"

namespace somnara::platform::x11 {
namespace {

constexpr int kMaxSide = 32767;  // the protocol's limit for a window side

// A shared-memory put must be followed by a round trip before the picture is written again,
// which wakes the program a second time for every present. Parts smaller than this (an
// animated picture's frame, the clock) cost less to copy into the request itself.
constexpr size_t kSharedPutMinBytes = 64 * 1024;

int NativeByteOrder() {
  const uint16_t probe = 1;
  unsigned char first;
  std::memcpy(&first, &probe, 1);
  return first == 1 ? LSBFirst : MSBFirst;
}

// Places an 8-bit channel value into the bits of a visual's colour mask.
unsigned long Scale(uint32_t value8, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (!((mask >> shift) & 1)) ++shift;
  int bits = 0;
  while ((mask >> (shift + bits)) & 1) ++bits;
  unsigned long v = bits >= 8 ? (value8 << (bits - 8)) : (value8 >> (8 - bits));
  return (v << shift) & mask;
}

}  // namespace

bool AttachSegment(Display* display, XShmSegmentInfo* info) {
  ErrorTrap trap(display);
  if (!XShmAttach(display, info)) return false;
  return !trap.Failed();
}

bool IsLocalDisplayName(const char* name) {
  if (!name) return false;
  return name[0] == ':' || name[0] == '/' || std::strncmp(name, "unix:", 5) == 0;
}

X11Surface::X11Surface(Display* display, Visual* visual, int depth, bool allow_shared_memory,
                       bool allow_lending)
    : display_(display),
      visual_(visual),
      depth_(depth),
      allow_shared_memory_(allow_shared_memory),
      allow_lending_(allow_lending) {}

X11Surface::~X11Surface() {
  Release();
}

void X11Surface::Release() {
  if (!image_) return;
  if (lent_) {
    image_->data = nullptr;  // the presenter's
    XDestroyImage(image_);
    lent_ = false;
  } else if (shm_attached_) {
    XShmDetach(display_, &shm_);
    XSync(display_, False);  // the server lets go before the memory does
    image_->data = nullptr;
    XDestroyImage(image_);
    shmdt(shm_.shmaddr);
    shm_ = {};
    shm_attached_ = false;
  } else {
    XDestroyImage(image_);  // frees the pixel memory too
  }
  image_ = nullptr;
  server_reading_ = false;
  size_ = {};
}

bool X11Surface::AllocateShared(int width, int height) {
  image_ = XShmCreateImage(display_, visual_, unsigned(depth_), ZPixmap, nullptr, &shm_,
                           unsigned(width), unsigned(height));
  if (!image_) return false;
  const size_t bytes = size_t(image_->bytes_per_line) * size_t(image_->height);
  shm_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  if (shm_.shmid < 0) {
    XDestroyImage(image_);
    image_ = nullptr;
    return false;
  }
  void* address = shmat(shm_.shmid, nullptr, 0);
  if (address == reinterpret_cast<void*>(-1)) {
    shmctl(shm_.shmid, IPC_RMID, nullptr);
    XDestroyImage(image_);
    image_ = nullptr;
    return false;
  }
#ifdef MADV_POPULATE_WRITE
  // The whole picture is written at once on the first present: the pages are made in one
  // call instead of a fault each, which halves the cost of a new window's first frame on
  // a virtual machine. An older kernel refuses, and the faults come as before.
  madvise(address, bytes, MADV_POPULATE_WRITE);
#endif
  shm_.shmaddr = image_->data = static_cast<char*>(address);
  shm_.readOnly = False;
  const bool attached = AttachSegment(display_, &shm_);
  // Marked for removal now, so the segment goes away with the last user even if we crash.
  shmctl(shm_.shmid, IPC_RMID, nullptr);
  if (!attached) {
    image_->data = nullptr;
    XDestroyImage(image_);
    image_ = nullptr;
    shmdt(address);
    shm_ = {};
    return false;
  }
  shm_attached_ = true;
  return true;
}

XImage* X11Surface::NewImage(int width, int height, int bytes_per_line) const {
  XImage* image = XCreateImage(display_, visual_, unsigned(depth_), ZPixmap, 0, nullptr,
                               unsigned(width), unsigned(height), 32, bytes_per_line);
  if (!image) return nullptr;
  // Xlib converts to the server's byte order on the way out, so keep ours.
  image->byte_order = NativeByteOrder();
  if (!XInitImage(image)) {
    XDestroyImage(image);
    return nullptr;
  }
  return image;
}

bool X11Surface::VisualIsOurLayout() const {
  return visual_->red_mask == 0xFF0000 && visual_->green_mask == 0xFF00 &&
         visual_->blue_mask == 0xFF;
}

bool X11Surface::AllocatePlain(int width, int height) {
  image_ = NewImage(width, height, 0);
  if (!image_) return false;
  image_->data =
      static_cast<char*>(std::calloc(size_t(image_->bytes_per_line), size_t(image_->height)));
  if (!image_->data) {
    XDestroyImage(image_);
    image_ = nullptr;
    return false;
  }
  return true;
}

bool X11Surface::Lend(const PixelView& view) {
  const Size size{view.width, view.height};
  const int bytes_per_line = view.stride * 4;
  if (lent_ && image_->data == reinterpret_cast<const char*>(view.pixels) && size_ == size &&
      image_->bytes_per_line == bytes_per_line)
    return true;
  Release();
  // A 32-bit visual needs its alpha channel added to every pixel.
  if (depth_ == 32 || !VisualIsOurLayout()) {
    lending_refused_ = true;
    return false;
  }
  XImage* image = NewImage(view.width, view.height, bytes_per_line);
  if (!image) return false;
  if (image->bits_per_pixel != 32) {
    XDestroyImage(image);
    lending_refused_ = true;
    return false;
  }
  // Only read from: image requests send it, nothing writes to it.
  image->data = const_cast<char*>(reinterpret_cast<const char*>(view.pixels));
  image_ = image;
  lent_ = true;
  size_ = size;
  direct_copy_ = true;
  alpha_bits_ = 0;
  return true;
}

bool X11Surface::Allocate(int width, int height) {
  Release();
  const bool ok =
      (allow_shared_memory_ && AllocateShared(width, height)) || AllocatePlain(width, height);
  if (!ok) return false;
  size_ = {width, height};
  direct_copy_ = VisualIsOurLayout() && image_->bits_per_pixel == 32 &&
                 image_->byte_order == NativeByteOrder();
  alpha_bits_ = depth_ == 32 ? 0xFF000000u : 0;
  return true;
}

void X11Surface::WaitForServerRead() {
  if (!server_reading_) return;
  // The server reads the segment while it carries out the put; a round trip proves done.
  XSync(display_, False);
  server_reading_ = false;
}

Rect X11Surface::Update(const PixelView& view, const Rect& damage) {
  if (!view.pixels || view.width <= 0 || view.height <= 0 || view.width > kMaxSide ||
      view.height > kMaxSide || view.stride < view.width)
    return {};
  const Rect whole = Rect::FromSize(0, 0, view.width, view.height);
  Rect area = damage.Intersect(whole);
  if (allow_lending_ && !lending_refused_ && Lend(view)) return area;
  if (!image_ || lent_ || size_ != Size{view.width, view.height}) {
    if (!Allocate(view.width, view.height)) return {};
    Copy(view, whole);  // a fresh copy must hold the whole picture for later repairs
    return area;
  }
  if (area.IsEmpty()) return {};
  WaitForServerRead();
  Copy(view, area);
  return area;
}

void X11Surface::Copy(const PixelView& view, const Rect& area) {
  const int width = area.Width();
  for (int y = area.top; y < area.bottom; ++y) {
    const uint32_t* src = view.pixels + size_t(y) * size_t(view.stride) + size_t(area.left);
    if (direct_copy_) {
      auto* dst =
          reinterpret_cast<uint32_t*>(image_->data + size_t(y) * size_t(image_->bytes_per_line)) +
          area.left;
      if (alpha_bits_ == 0) {
        std::memcpy(dst, src, size_t(width) * 4);
      } else {
        for (int x = 0; x < width; ++x) dst[x] = src[x] | alpha_bits_;
      }
      continue;
    }
    for (int x = 0; x < width; ++x) {
      const uint32_t rgb = src[x];
      const unsigned long pixel = Scale((rgb >> 16) & 0xFF, visual_->red_mask) |
                                  Scale((rgb >> 8) & 0xFF, visual_->green_mask) |
                                  Scale(rgb & 0xFF, visual_->blue_mask) | alpha_bits_;
      XPutPixel(image_, area.left + x, y, pixel);
    }
  }
}

void X11Surface::Put(Drawable drawable, GC gc, const Rect& area) {
  if (!image_) return;
  const Rect clipped = area.Intersect(Rect::FromSize(0, 0, size_.width, size_.height));
  if (clipped.IsEmpty()) return;
  const size_t bytes = size_t(clipped.Width()) * size_t(clipped.Height()) * 4;
  if (shm_attached_ && bytes >= kSharedPutMinBytes) {
    XShmPutImage(display_, drawable, gc, image_, clipped.left, clipped.top, clipped.left,
                 clipped.top, unsigned(clipped.Width()), unsigned(clipped.Height()), False);
    server_reading_ = true;
  } else {
    XPutImage(display_, drawable, gc, image_, clipped.left, clipped.top, clipped.left, clipped.top,
              unsigned(clipped.Width()), unsigned(clipped.Height()));
  }
}

}  // namespace somnara::platform::x11
