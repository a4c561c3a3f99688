#include "platform/x11/x11_fixture.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>

namespace somnara::testing {

int RecordingListener::Count(Kind kind) const {
  return int(std::count_if(events.begin(), events.end(),
                           [kind](const InputEvent& e) { return e.kind == kind; }));
}

const InputEvent* RecordingListener::Last(Kind kind) const {
  for (auto it = events.rbegin(); it != events.rend(); ++it)
    if (it->kind == kind) return &*it;
  return nullptr;
}

std::vector<Kind> RecordingListener::InputKinds() const {
  std::vector<Kind> kinds;
  for (const InputEvent& e : events)
    if (e.kind != Kind::kMoved && e.kind != Kind::kExpose && e.kind != Kind::kFocusIn &&
        e.kind != Kind::kFocusOut && e.kind != Kind::kMouseEnter && e.kind != Kind::kMouseLeave &&
        e.kind != Kind::kMouseMove)
      kinds.push_back(e.kind);
  return kinds;
}

void X11Test::SetUp() {
  std::string error;
  ASSERT_TRUE(xvfb_.Start(&error)) << error;
  if (WithWindowManager()) {
    ASSERT_TRUE(wm_.Start(xvfb_.display(), &error)) << error;
  }
  probe_ = XOpenDisplay(xvfb_.display().c_str());
  ASSERT_NE(probe_, nullptr);
  system_ = platform::X11WindowSystem::OpenDisplay(xvfb_.display(), SystemOptions(), &error);
  ASSERT_NE(system_, nullptr) << error;
  ASSERT_EQ(system_->HasWindowManager(), WithWindowManager());
}

void X11Test::TearDown() {
  system_.reset();
  if (probe_) XCloseDisplay(probe_);
  probe_ = nullptr;
  wm_.Stop();
  xvfb_.Stop();
}

std::unique_ptr<platform::X11Window> X11Test::NewWindow(const Rect& bounds,
                                                        RecordingListener* listener,
                                                        bool stay_on_top, bool full_screen,
                                                        platform::NativeWindow* owner,
                                                        const std::string& title) {
  platform::NativeWindowOptions options;
  options.title = title;
  options.bounds = bounds;
  options.stay_on_top = stay_on_top;
  options.full_screen = full_screen;
  options.owner = owner;
  std::unique_ptr<platform::NativeWindow> window = system_->CreateWindow(options, listener);
  return std::unique_ptr<platform::X11Window>(static_cast<platform::X11Window*>(window.release()));
}

void X11Test::ShowAndWait(platform::X11Window& window) {
  window.SetVisible(true);
  EXPECT_TRUE(PumpUntil([&] {
    return Viewable(window.xid()) &&
           (!WithWindowManager() || TopLevel(window.xid()) != window.xid());
  }));
}

void X11Test::Fill(platform::X11Window& window, uint32_t rgb) {
  const Rect b = window.bounds();
  // What a window was given it may read until it is given something else.
  window.ForgetPresented();
  std::vector<uint32_t>& pixels = filled_[&window];
  pixels.assign(size_t(b.Width()) * size_t(b.Height()), rgb);
  window.Present({pixels.data(), b.Width(), b.Height(), b.Width()},
                 Rect::FromSize(0, 0, b.Width(), b.Height()));
}

void X11Test::Pump(int ms) {
  const int64_t end = system_->GetClock().NowMs() + ms;
  while (system_->GetClock().NowMs() < end) system_->WaitForEvents(end, 0);
}

bool X11Test::PumpUntil(const std::function<bool()>& done, int timeout_ms) {
  const int64_t end = system_->GetClock().NowMs() + timeout_ms;
  for (;;) {
    // Our requests first: the server orders nothing between two connections.
    XSync(system_->display(), False);
    XSync(probe_, False);
    if (done()) return true;
    const int64_t now = system_->GetClock().NowMs();
    if (now >= end) return false;
    system_->WaitForEvents(std::min(end, now + 5), 0);
  }
}

bool X11Test::RunTool(const std::vector<std::string>& argv, int timeout_ms) {
  ChildProcess tool;
  if (!tool.Start(argv, xvfb_.display())) return false;
  int status = -1;
  const bool ended = PumpUntil([&] { return tool.Poll(&status); }, timeout_ms);
  Pump(30);  // let the last events of the tool arrive
  return ended && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

Window X11Test::TopLevel(Window window) {
  const Window root = DefaultRootWindow(probe_);
  for (;;) {
    Window r = None, parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(probe_, window, &r, &parent, &children, &count)) return None;
    if (children) XFree(children);
    if (parent == root || parent == None) return window;
    window = parent;
  }
}

int X11Test::StackPosition(Window window) {
  const Window top = TopLevel(window);
  Window r = None, parent = None;
  Window* children = nullptr;
  unsigned int count = 0;
  int position = -1;
  if (XQueryTree(probe_, DefaultRootWindow(probe_), &r, &parent, &children, &count)) {
    for (unsigned int i = 0; i < count; ++i)
      if (children[i] == top) position = int(i);
  }
  if (children) XFree(children);
  return position;
}

bool X11Test::Viewable(Window window) {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(probe_, window, &attributes) && attributes.map_state == IsViewable;
}

uint32_t X11Test::ScreenPixel(int x, int y) {
  XImage* image = XGetImage(probe_, DefaultRootWindow(probe_), x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image) return 0xDEADBEEF;
  const uint32_t pixel = uint32_t(XGetPixel(image, 0, 0)) & 0xFFFFFF;
  XDestroyImage(image);
  return pixel;
}

Rect X11Test::RootGeometry(Window window) {
  XWindowAttributes a{};
  if (!XGetWindowAttributes(probe_, window, &a)) return {};
  int x = 0, y = 0;
  Window child = None;
  XTranslateCoordinates(probe_, window, DefaultRootWindow(probe_), 0, 0, &x, &y, &child);
  return Rect::FromSize(x, y, a.width, a.height);
}

std::vector<long> X11Test::LongProperty(Window window, const char* name, Atom type) {
  Atom actual = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::vector<long> values;
  if (XGetWindowProperty(probe_, window, Intern(name), 0, 1024, False, type, &actual, &format,
                         &count, &after, &data) == Success &&
      data && format == 32) {
    const long* longs = reinterpret_cast<const long*>(data);
    values.assign(longs, longs + count);
  }
  if (data) XFree(data);
  return values;
}

std::string X11Test::TextProperty(Window window, const char* name, const char* type) {
  Atom actual = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::string text;
  if (XGetWindowProperty(probe_, window, Intern(name), 0, 4096, False, Intern(type), &actual,
                         &format, &count, &after, &data) == Success &&
      data && format == 8)
    text.assign(reinterpret_cast<const char*>(data), count);
  if (data) XFree(data);
  return text;
}

std::vector<std::string> X11Test::AtomNames(Window window, const char* name) {
  std::vector<std::string> names;
  for (long atom : LongProperty(window, name, XA_ATOM)) {
    char* text = XGetAtomName(probe_, Atom(atom));
    if (text) {
      names.emplace_back(text);
      XFree(text);
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace somnara::testing
