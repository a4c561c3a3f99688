// The UI thread's sleep: until the deadline, input, or a wake from another thread.
#include <gtest/gtest.h>

#include <thread>

#include "platform/x11/x11_fixture.h"

namespace somnara::testing {
namespace {

class X11WaitTest : public X11Test {};

TEST_F(X11WaitTest, ReturnsNoEarlierThanTheDeadline) {
  const platform::Clock& clock = system_->GetClock();
  for (int ms : {1, 2, 7, 30}) {
    const int64_t deadline = clock.NowMs() + ms;
    system_->WaitForEvents(deadline, 0);
    EXPECT_GE(clock.NowMs(), deadline) << ms << " ms";
  }
  // With slack it sleeps on to the slack's end, so that later timers share the wake-up.
  const int64_t deadline = clock.NowMs() + 5;
  system_->WaitForEvents(deadline, 40);
  EXPECT_GE(clock.NowMs(), deadline + 40);
  // A past deadline returns at once.
  const int64_t before = clock.NowMs();
  system_->WaitForEvents(before - 100, 0);
  EXPECT_LT(clock.NowMs() - before, 1000);
}

TEST_F(X11WaitTest, WakeEndsTheWaitFromAnotherThreadOrBeforehand) {
  const platform::Clock& clock = system_->GetClock();
  // Called before the wait: the next wait returns at once.
  system_->Wake();
  int64_t start = clock.NowMs();
  system_->WaitForEvents(-1, 0);
  EXPECT_LT(clock.NowMs() - start, 5000);

  std::thread waker([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    system_->Wake();
  });
  start = clock.NowMs();
  system_->WaitForEvents(-1, 0);  // would sleep for ever without the wake
  const int64_t waited = clock.NowMs() - start;
  waker.join();
  EXPECT_GE(waited, 20);
}

TEST_F(X11WaitTest, InputEndsTheWaitAndUnrelatedTrafficDoesNot) {
  RecordingListener listener;
  auto window = NewWindow(Rect::FromSize(0, 0, 100, 100), &listener);
  ShowAndWait(*window);
  Pump(30);
  listener.events.clear();

  // Root property changes concern no listener: the wait goes on to its deadline.
  const platform::Clock& clock = system_->GetClock();
  const long value = 1;
  XChangeProperty(probe_, DefaultRootWindow(probe_), Intern("SOMNARA_TEST"), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&value), 1);
  XSync(probe_, False);
  int64_t deadline = clock.NowMs() + 40;
  system_->WaitForEvents(deadline, 0);
  EXPECT_GE(clock.NowMs(), deadline);

  // A close request from the window manager wakes it long before the deadline.
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window->xid();
  event.xclient.message_type = Intern("WM_PROTOCOLS");
  event.xclient.format = 32;
  event.xclient.data.l[0] = long(Intern("WM_DELETE_WINDOW"));
  XSendEvent(probe_, window->xid(), False, NoEventMask, &event);
  XSync(probe_, False);
  deadline = clock.NowMs() + 60000;
  system_->WaitForEvents(deadline, 0);
  EXPECT_LT(clock.NowMs(), deadline);
  EXPECT_EQ(listener.Count(Kind::kCloseRequest), 1);
}

}  // namespace
}  // namespace somnara::testing
