// Opening the display and the screen-wide services.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/x11/x11_fixture.h"

namespace somnara::testing {
namespace {

using platform::X11WindowSystem;

TEST(X11OpenTest, NoDisplayGivesAOneLineErrorAndNull) {
  std::string error;
  const char* saved = std::getenv("DISPLAY");
  const std::string saved_value = saved ? saved : "";
  unsetenv("DISPLAY");
  EXPECT_EQ(X11WindowSystem::Open(&error), nullptr);
  EXPECT_EQ(error, "somnara: cannot open the X display: DISPLAY is not set: is a desktop running?");
  if (saved) setenv("DISPLAY", saved_value.c_str(), 1);

  // A display nobody serves: no server socket under this name.
  error.clear();
  EXPECT_EQ(X11WindowSystem::OpenDisplay("/nonexistent/somnara-test:0", {}, &error), nullptr);
  EXPECT_EQ(error,
            "somnara: cannot open the X display \"/nonexistent/somnara-test:0\": is a desktop "
            "running?");
  EXPECT_EQ(error.find('\n'), std::string::npos);
}

TEST(X11OpenDeathTest, LostDisplayEndsTheProgramWithAMessage) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        XvfbServer server;
        std::string error;
        if (!server.Start(&error)) std::exit(3);
        auto system = X11WindowSystem::OpenDisplay(server.display(), {}, &error);
        if (!system) std::exit(4);
        server.Stop();
        system->WaitForEvents(system->GetClock().NowMs() + 5000, 0);
        std::exit(5);  // not reached: the wait must notice the server is gone
      },
      ::testing::ExitedWithCode(1), "somnara: lost the connection to the X display \":[0-9]+\"");
}

class X11ScreenTest : public X11Test {};

TEST_F(X11ScreenTest, ScreenWorkAreaAndCursor) {
  EXPECT_EQ(system_->ScreenSize(), (Size{1024, 768}));
  // No window manager: the whole screen is the work area, even if a stale
  // _NET_WORKAREA was left behind.
  const long stale[4] = {0, 40, 1024, 700};
  XChangeProperty(probe_, DefaultRootWindow(probe_), Intern("_NET_WORKAREA"), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(stale), 4);
  XSync(probe_, False);
  EXPECT_EQ(system_->WorkArea(), Rect::FromSize(0, 0, 1024, 768));

  XWarpPointer(probe_, None, DefaultRootWindow(probe_), 0, 0, 0, 0, 321, 123);
  XSync(probe_, False);
  EXPECT_EQ(system_->CursorPos(), (Point{321, 123}));
}

TEST_F(X11ScreenTest, WorkAreaFromAWindowManagerOfTheCurrentDesktop) {
  // Play a window manager: a check window naming itself, two desktops' work areas.
  const Window root = DefaultRootWindow(probe_);
  const Window check = XCreateSimpleWindow(probe_, root, 0, 0, 1, 1, 0, 0, 0);
  const long check_id = long(check);
  for (Window w : {root, check})
    XChangeProperty(probe_, w, Intern("_NET_SUPPORTING_WM_CHECK"), XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&check_id), 1);
  const long areas[8] = {0, 0, 1024, 768, 50, 30, 900, 700};
  XChangeProperty(probe_, root, Intern("_NET_WORKAREA"), XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(areas), 8);
  const long desktop = 1;
  XChangeProperty(probe_, root, Intern("_NET_CURRENT_DESKTOP"), XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&desktop), 1);
  XSync(probe_, False);
  EXPECT_EQ(system_->WorkArea(), Rect::FromSize(50, 30, 900, 700));

  // Out-of-screen nonsense is clipped to the screen.
  const long wild[4] = {-100, -100, 5000, 5000};
  XChangeProperty(probe_, root, Intern("_NET_WORKAREA"), XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(wild), 4);
  XSync(probe_, False);
  EXPECT_EQ(system_->WorkArea(), Rect::FromSize(0, 0, 1024, 768));

  // The checked window gone: the property is stale and ignored.
  XDestroyWindow(probe_, check);
  XChangeProperty(probe_, root, Intern("_NET_WORKAREA"), XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(areas + 4), 4);
  XSync(probe_, False);
  EXPECT_EQ(system_->WorkArea(), Rect::FromSize(0, 0, 1024, 768));
  EXPECT_EQ(system_->ProtocolErrorCount(), 0u);
}

TEST_F(X11ScreenTest, MonitorPowerOnAServerWithoutDpmsIsRefusedWithOneLineAndBeepIsQuiet) {
  ::testing::internal::CaptureStderr();
  ::testing::internal::CaptureStdout();
  system_->SetMonitorPower(2);
  system_->SetMonitorPower(1);
  system_->SetMonitorPower(-1);
  system_->SetMonitorPower(7);  // not a state: ignored
  system_->Beep();
  Pump(20);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "somnara: the display cannot be switched off: the X server \"" + xvfb_.display() +
                "\" has no display power control\n");
  EXPECT_EQ(system_->ProtocolErrorCount(), 0u);
}

}  // namespace
}  // namespace somnara::testing
