#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include "platform/geometry.h"
#include "platform/native_window.h"

namespace somnara::platform::x11 {

// Attaches a shared-memory segment on the server. Returns false, without a printed
// error, when the server refuses it (another machine, other user, bad segment).
bool AttachSegment(Display* display, XShmSegmentInfo* info);

// True for display names that reach the server through a local socket; shared
// memory with a server on another machine would name some other process's segment.
bool IsLocalDisplayName(const char* name);

// `over` laid on `under` at `alpha` (0 transparent .. 255 opaque), each 0x00RRGGBB; every
// channel rounded to the nearest.
inline uint32_t BlendPixel(uint32_t over, uint32_t under, uint32_t alpha) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t o = (over >> shift) & 0xFF;
    const uint32_t u = (under >> shift) & 0xFF;
    out |= ((o * alpha + u * (255 - alpha) + 127) / 255) << shift;
  }
  return out;
}

// The last picture presented to a window, so that exposed parts of the window are repaired
// without asking the framework. Where the pixels the framework hands over are in the
// server's own layout (0x00RRGGBB words, no alpha channel to add) and lending is allowed,
// the surface keeps no copy of its own: it reads the framework's buffer, which its owner
// keeps, changed only by what it presents next, until the next Update or Release. Else a
// copy is kept and sent through shared memory when the server allows it, else as
// ordinary image requests.
class X11Surface {
 public:
  X11Surface(Display* display, Visual* visual, int depth, bool allow_shared_memory,
             bool allow_lending);
  ~X11Surface();
  X11Surface(const X11Surface&) = delete;
  X11Surface& operator=(const X11Surface&) = delete;

  // Takes the `damage` part of the view (the whole view when the size changed) and
  // returns the part actually taken, clipped to the view; empty for a bad view.
  Rect Update(const PixelView& view, const Rect& damage);
  // Sends a part of the kept picture to a drawable.
  void Put(Drawable drawable, GC gc, const Rect& area);

  bool HasContent() const { return image_ != nullptr; }
  // Row y of the kept picture as 0x00RRGGBB words (the top byte may hold alpha), when the
  // server's pixel layout is that; null otherwise.
  const uint32_t* Row(int y) const {
    if (!image_ || !direct_copy_) return nullptr;
    return reinterpret_cast<const uint32_t*>(image_->data +
                                             size_t(y) * size_t(image_->bytes_per_line));
  }
  // Lets the kept picture go; the next Update takes the whole view again.
  void Release();
  Size size() const { return size_; }
  bool UsesSharedMemory() const { return shm_attached_; }
  // Whether the kept picture is the presenter's own buffer rather than a copy.
  bool Lent() const { return lent_; }

 private:
  // An image of our byte order with no pixels of its own; null when Xlib refuses it.
  XImage* NewImage(int width, int height, int bytes_per_line) const;
  // Whether the server's pixels are 0x00RRGGBB words as ours are.
  bool VisualIsOurLayout() const;
  // Points the image at the view itself; false where the layouts differ.
  bool Lend(const PixelView& view);
  bool Allocate(int width, int height);
  bool AllocateShared(int width, int height);
  bool AllocatePlain(int width, int height);
  void WaitForServerRead();
  void Copy(const PixelView& view, const Rect& area);

  Display* display_;
  Visual* visual_;
  int depth_;
  bool allow_shared_memory_;
  bool allow_lending_;
  bool lending_refused_ = false;  // the server's layout is not ours
  XImage* image_ = nullptr;
  bool lent_ = false;
  XShmSegmentInfo shm_{};
  bool shm_attached_ = false;
  bool server_reading_ = false;  // a shared-memory put may still be reading the segment
  bool direct_copy_ = false;     // the image's pixel layout is 0x00RRGGBB words as given
  uint32_t alpha_bits_ = 0;      // opaque alpha for 32-bit visuals
  Size size_;
};

}  // namespace somnara::platform::x11
