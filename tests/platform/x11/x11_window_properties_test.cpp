// What the window manager (and anyone else) can read off our windows.
#include <gtest/gtest.h>

#include "platform/x11/x11_fixture.h"

namespace somnara::testing {
namespace {

using Strings = std::vector<std::string>;

class X11PropertiesTest : public X11Test {};

TEST_F(X11PropertiesTest, NameClassDecorationsAndOwner) {
  RecordingListener listener;
  auto owner =
      NewWindow(Rect::FromSize(10, 10, 200, 100), &listener, false, false, nullptr, "Somnara");
  auto window = NewWindow(Rect::FromSize(20, 20, 200, 100), &listener, false, false, owner.get(),
                          "Caf\xC3\xA9 \xE2\x98\xBE");
  XSync(system_->display(), False);
  const Window w = window->xid();

  EXPECT_EQ(TextProperty(w, "_NET_WM_NAME", "UTF8_STRING"), "Caf\xC3\xA9 \xE2\x98\xBE");
  EXPECT_EQ(TextProperty(w, "WM_NAME", "STRING"), "Caf\xE9 ?");
  XClassHint hint{};
  ASSERT_TRUE(XGetClassHint(probe_, w, &hint));
  EXPECT_STREQ(hint.res_name, "somnara");
  EXPECT_STREQ(hint.res_class, "somnara");
  XFree(hint.res_name);
  XFree(hint.res_class);
  // Decorations off: flags say "decorations given", and none are.
  const std::vector<long> motif = LongProperty(w, "_MOTIF_WM_HINTS", Intern("_MOTIF_WM_HINTS"));
  ASSERT_EQ(motif.size(), 5u);
  EXPECT_EQ(motif[0] & 2, 2);
  EXPECT_EQ(motif[2], 0);
  Window transient = None;
  ASSERT_TRUE(XGetTransientForHint(probe_, w, &transient));
  EXPECT_EQ(transient, owner->xid());
  Atom* protocols = nullptr;
  int count = 0;
  ASSERT_TRUE(XGetWMProtocols(probe_, w, &protocols, &count));
  std::vector<Atom> list(protocols, protocols + count);
  XFree(protocols);
  EXPECT_NE(std::find(list.begin(), list.end(), Intern("WM_DELETE_WINDOW")), list.end());

  window->SetTitle("Step 1");
  window->SetOwner(nullptr);
  XSync(system_->display(), False);
  EXPECT_EQ(TextProperty(w, "_NET_WM_NAME", "UTF8_STRING"), "Step 1");
  EXPECT_FALSE(XGetTransientForHint(probe_, w, &transient));

  // A loop of owners is refused rather than recorded.
  window->SetOwner(owner.get());
  owner->SetOwner(window.get());
  XSync(system_->display(), False);
  EXPECT_FALSE(XGetTransientForHint(probe_, owner->xid(), &transient));

  // The owner going away leaves no dangling link.
  owner.reset();
  XSync(system_->display(), False);
  EXPECT_FALSE(XGetTransientForHint(probe_, w, &transient));
  EXPECT_EQ(system_->ProtocolErrorCount(), 0u);
}

TEST_F(X11PropertiesTest, StatesForStayOnTopModalAndFullScreen) {
  RecordingListener listener;
  auto backdrop = NewWindow(Rect::FromSize(5, 5, 10, 10), &listener, true, true);
  auto dialog = NewWindow(Rect::FromSize(50, 50, 100, 100), &listener, false, false);
  XSync(system_->display(), False);
  // No full-screen state: a window manager would resize such a window with the screen.
  EXPECT_EQ(AtomNames(backdrop->xid(), "_NET_WM_STATE"), Strings{"_NET_WM_STATE_ABOVE"});
  // Full screen covers the screen whatever bounds were asked.
  EXPECT_EQ(backdrop->bounds(), Rect::FromSize(0, 0, 1024, 768));
  EXPECT_EQ(RootGeometry(backdrop->xid()), Rect::FromSize(0, 0, 1024, 768));
  EXPECT_EQ(AtomNames(dialog->xid(), "_NET_WM_STATE"), Strings{});

  // Owned by a stay-on-top window, a window stays on top too (shown above it).
  dialog->SetOwner(backdrop.get());
  dialog->SetModal(true);
  XSync(system_->display(), False);
  EXPECT_EQ(AtomNames(dialog->xid(), "_NET_WM_STATE"),
            (Strings{"_NET_WM_STATE_ABOVE", "_NET_WM_STATE_MODAL"}));
  backdrop->SetStayOnTop(false);
  dialog->SetModal(false);
  XSync(system_->display(), False);
  EXPECT_EQ(AtomNames(backdrop->xid(), "_NET_WM_STATE"), Strings{});
  EXPECT_EQ(AtomNames(dialog->xid(), "_NET_WM_STATE"), Strings{});
}

class X11PropertiesWithWmTest : public X11WithWmTest {};

TEST_F(X11PropertiesWithWmTest, WindowManagerKeepsTheStatesWeAskFor) {
  RecordingListener listener;
  auto backdrop = NewWindow(Rect::FromSize(0, 0, 100, 100), &listener, true, true);
  ShowAndWait(*backdrop);
  auto dialog =
      NewWindow(Rect::FromSize(100, 100, 300, 200), &listener, false, false, backdrop.get());
  ShowAndWait(*dialog);
  EXPECT_TRUE(PumpUntil([&] {
    return AtomNames(backdrop->xid(), "_NET_WM_STATE") == Strings{"_NET_WM_STATE_ABOVE"};
  }));
  // Asked of the window manager while mapped, not written over its head.
  dialog->SetModal(true);
  EXPECT_TRUE(PumpUntil([&] {
    const Strings states = AtomNames(dialog->xid(), "_NET_WM_STATE");
    return std::find(states.begin(), states.end(), "_NET_WM_STATE_MODAL") != states.end();
  }));
  dialog->SetModal(false);
  EXPECT_TRUE(PumpUntil([&] {
    const Strings states = AtomNames(dialog->xid(), "_NET_WM_STATE");
    return std::find(states.begin(), states.end(), "_NET_WM_STATE_MODAL") == states.end();
  }));
  // No frame around the window: the decorations are ours.
  EXPECT_EQ(RootGeometry(TopLevel(dialog->xid())), Rect::FromSize(100, 100, 300, 200));
  EXPECT_EQ(RootGeometry(backdrop->xid()), Rect::FromSize(0, 0, 1024, 768));
}

class X11OpacityTest : public X11Test {
 protected:
  // Long enough for a held-back opacity value to go out.
  static constexpr int kFrameWait = 2 * int(platform::X11WindowSystem::kOpacityFrameMs) + 5;

  // The opacity property, or -1 when it is absent.
  long long Opacity(Window w) {
    const std::vector<long> v = LongProperty(w, "_NET_WM_WINDOW_OPACITY", XA_CARDINAL);
    return v.empty() ? -1 : (long long)uint32_t(v[0]);
  }
};

TEST_F(X11OpacityTest, ValuesScaleToTheFullRangeAndOpaqueDeletesTheProperty) {
  RecordingListener listener;
  auto window = NewWindow(Rect::FromSize(10, 10, 50, 50), &listener);
  window->SetOpacity(0);
  // The first frame of a fading window already has its opacity: no flash at 255.
  window->SetVisible(true);
  XSync(system_->display(), False);
  EXPECT_EQ(Opacity(window->xid()), 0);

  window->SetOpacity(128);
  Pump(kFrameWait);
  EXPECT_EQ(Opacity(window->xid()), 0x80808080LL);
  window->SetOpacity(254);
  Pump(kFrameWait);
  EXPECT_EQ(Opacity(window->xid()), 0xFEFEFEFELL);
  window->SetOpacity(255);
  Pump(kFrameWait);
  EXPECT_EQ(Opacity(window->xid()), -1);
}

TEST_F(X11OpacityTest, MillisecondChangesReachTheServerAtMostOncePerFrame) {
  RecordingListener listener;
  auto window = NewWindow(Rect::FromSize(10, 10, 50, 50), &listener);
  ShowAndWait(*window);
  XSelectInput(probe_, window->xid(), PropertyChangeMask);
  XSync(probe_, False);
  const uint64_t pushes_before = system_->OpacityPushCount();

  // A 1 ms fade as the framework runs it: one step, then wait for the next tick.
  const int64_t start = system_->GetClock().NowMs();
  int value = 0;
  for (int tick = 0; tick < 200; ++tick) {
    value = (value + 5) % 255;
    window->SetOpacity(uint8_t(value));
    system_->WaitForEvents(system_->GetClock().NowMs() + 1, 0);
  }
  const int64_t elapsed = system_->GetClock().NowMs() - start;
  Pump(kFrameWait);  // the latest value wins and still arrives

  int notices = 0;
  XSync(probe_, False);
  while (XPending(probe_)) {
    XEvent e;
    XNextEvent(probe_, &e);
    if (e.type == PropertyNotify && e.xproperty.atom == Intern("_NET_WM_WINDOW_OPACITY")) ++notices;
  }
  const uint64_t pushes = system_->OpacityPushCount() - pushes_before;
  EXPECT_EQ(uint64_t(notices), pushes);
  EXPECT_GE(pushes, 2u);
  EXPECT_LE(int64_t(pushes), elapsed / platform::X11WindowSystem::kOpacityFrameMs + 2)
      << "elapsed " << elapsed << " ms";
  EXPECT_EQ(Opacity(window->xid()), (long long)value * 0x01010101LL);
}

}  // namespace
}  // namespace somnara::testing
