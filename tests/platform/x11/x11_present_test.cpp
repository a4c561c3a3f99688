// Pixels from the framework's buffer onto the screen, their repair, and window shapes.
#include <gtest/gtest.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <unistd.h>

#include "platform/linux/x11/x11_surface.h"
#include "platform/x11/x11_fixture.h"

namespace somnara::testing {
namespace {

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kBlue = 0x0000FF;
constexpr uint32_t kGreen = 0x00FF00;

// How pictures reach the server: read from the presenter's buffer, or copied and sent
// through shared memory or as plain image requests.
enum class Transfer { kLent, kSharedMemory, kImageRequests };

class X11PresentTest : public X11Test, public ::testing::WithParamInterface<Transfer> {
 protected:
  platform::X11WindowSystem::Options SystemOptions() const override {
    platform::X11WindowSystem::Options options;
    options.allow_shared_memory = GetParam() == Transfer::kSharedMemory;
    options.lend_pixels = GetParam() == Transfer::kLent;
    return options;
  }
};

TEST_P(X11PresentTest, ShowsThePresentedPixelsAndOnlyTheDamagedPart) {
  RecordingListener listener;
  auto window = NewWindow(Rect::FromSize(100, 100, 200, 100), &listener);
  ShowAndWait(*window);

  // Left half red, right half blue, in a buffer wider than the window (stride).
  const int stride = 256;
  std::vector<uint32_t> pixels(size_t(stride) * 100, 0);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x) pixels[size_t(y) * stride + x] = x < 100 ? kRed : kBlue;
  window->Present({pixels.data(), 200, 100, stride}, Rect::FromSize(0, 0, 200, 100));
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(299, 199) == kBlue; }));
  EXPECT_EQ(ScreenPixel(100, 100), kRed);
  EXPECT_EQ(ScreenPixel(199, 150), kRed);
  EXPECT_EQ(ScreenPixel(200, 150), kBlue);
  EXPECT_EQ(window->UsesSharedMemory(), GetParam() == Transfer::kSharedMemory);

  // All green in the buffer, but only the top-left quarter declared damaged.
  std::fill(pixels.begin(), pixels.end(), kGreen);
  window->Present({pixels.data(), 200, 100, stride}, Rect::FromSize(0, 0, 100, 50));
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(100, 100) == kGreen; }));
  EXPECT_EQ(ScreenPixel(199, 149), kGreen);
  EXPECT_EQ(ScreenPixel(199, 150), kRed);
  EXPECT_EQ(ScreenPixel(250, 120), kBlue);

  // Damage beyond the window is clipped; bad views are refused without harm.
  window->Present({pixels.data(), 200, 100, stride}, Rect::FromSize(150, 50, 500, 500));
  window->Present({nullptr, 200, 100, 200}, Rect::FromSize(0, 0, 200, 100));
  window->Present({pixels.data(), -5, 100, stride}, Rect::FromSize(0, 0, 200, 100));
  window->Present({pixels.data(), 200, 100, 10}, Rect::FromSize(0, 0, 200, 100));
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(299, 199) == kGreen; }));
  EXPECT_EQ(ScreenPixel(200, 120), kBlue);
  EXPECT_EQ(system_->ProtocolErrorCount(), 0u);
}

TEST_P(X11PresentTest, ExposedPartsAreRepairedFromTheKeptCopy) {
  RecordingListener listener;
  auto window = NewWindow(Rect::FromSize(100, 100, 200, 100), &listener);
  window->SetVisible(true);
  // Nothing presented yet: the framework is asked to paint.
  EXPECT_TRUE(PumpUntil([&] { return listener.Count(Kind::kExpose) > 0; }));
  Fill(*window, kRed);
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(150, 150) == kRed; }));
  listener.events.clear();

  // Another program's window covers ours and goes away again.
  XSetWindowAttributes attributes{};
  attributes.background_pixel = 0x123456;
  attributes.override_redirect = True;
  const Window cover =
      XCreateWindow(probe_, DefaultRootWindow(probe_), 50, 50, 400, 300, 0, CopyFromParent,
                    InputOutput, CopyFromParent, CWBackPixel | CWOverrideRedirect, &attributes);
  XMapRaised(probe_, cover);
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(150, 150) == 0x123456; }));
  // Covered all over, it is told so: what it would draw now nobody sees.
  auto seen = [&] {
    const InputEvent* notice = listener.Last(Kind::kVisibility);
    return notice == nullptr || notice->visible;
  };
  EXPECT_TRUE(PumpUntil([&] { return !seen(); }));
  XDestroyWindow(probe_, cover);
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(150, 150) == kRed; }));
  EXPECT_TRUE(PumpUntil(seen));
  EXPECT_EQ(ScreenPixel(299, 199), kRed);
  EXPECT_EQ(listener.Count(Kind::kExpose), 0);

  // Grown beyond the kept picture: the new part is asked for.
  window->SetBounds(Rect::FromSize(100, 100, 300, 100));
  EXPECT_TRUE(PumpUntil([&] { return listener.Count(Kind::kExpose) > 0; }));
  const InputEvent* expose = listener.Last(Kind::kExpose);
  EXPECT_GE(expose->area.right, 300);
  EXPECT_EQ(ScreenPixel(150, 150), kRed);
}

TEST_P(X11PresentTest, AWindowAppearsWithItsFirstFrame) {
  RecordingListener listener;
  auto window = NewWindow(Rect::FromSize(100, 100, 200, 100), &listener);
  Fill(*window, kRed);
  window->SetVisible(true);
  // Looked at with the server held still and without our side taking any event: the window
  // is either not mapped yet or already shows the frame, never its bare background.
  bool mapped = false;
  for (int i = 0; i < 3000 && !mapped; ++i) {
    XGrabServer(probe_);
    mapped = Viewable(window->xid());
    const uint32_t shown = mapped ? ScreenPixel(150, 150) : kRed;
    XUngrabServer(probe_);
    XFlush(probe_);
    EXPECT_EQ(shown, kRed);
    if (!mapped) usleep(1000);
  }
  EXPECT_TRUE(mapped);
}

INSTANTIATE_TEST_SUITE_P(EachTransfer, X11PresentTest,
                         ::testing::Values(Transfer::kLent, Transfer::kSharedMemory,
                                           Transfer::kImageRequests),
                         [](const ::testing::TestParamInfo<Transfer>& info) {
                           return info.param == Transfer::kLent           ? "Lent"
                                  : info.param == Transfer::kSharedMemory ? "SharedMemory"
                                                                          : "ImageRequests";
                         });

class X11SurfaceTest : public X11Test {};

TEST_F(X11SurfaceTest, RefusedSegmentIsReportedQuietly) {
  // A segment that no longer exists, as the server of another machine would see ours.
  XShmSegmentInfo info{};
  info.shmid = shmget(IPC_PRIVATE, 4096, IPC_CREAT | 0600);
  ASSERT_GE(info.shmid, 0);
  shmctl(info.shmid, IPC_RMID, nullptr);
  info.readOnly = False;
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(platform::x11::AttachSegment(system_->display(), &info));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(system_->ProtocolErrorCount(), 0u);

  EXPECT_TRUE(platform::x11::IsLocalDisplayName(":3"));
  EXPECT_TRUE(platform::x11::IsLocalDisplayName("unix:0.0"));
  EXPECT_FALSE(platform::x11::IsLocalDisplayName("localhost:10.0"));
  EXPECT_FALSE(platform::x11::IsLocalDisplayName("otherhost:0"));
}

class X11RegionTest : public X11Test {};

TEST_F(X11RegionTest, OutsideTheRegionTheRootShowsThrough) {
  const uint32_t root_colour = ScreenPixel(200, 130);
  ASSERT_NE(root_colour, kRed);
  RecordingListener listener;
  auto window = NewWindow(Rect::FromSize(100, 100, 200, 100), &listener);
  ShowAndWait(*window);
  Fill(*window, kRed);
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(200, 130) == kRed; }));

  // Left band and top-right corner only.
  Region region;
  region.rects = {Rect::FromSize(0, 0, 50, 100), Rect::FromSize(150, 0, 50, 50)};
  window->SetRegion(region);
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(200, 130) == root_colour; }));
  EXPECT_EQ(ScreenPixel(110, 190), kRed);
  EXPECT_EQ(ScreenPixel(160, 190), ScreenPixel(160, 90));  // root pattern, like outside
  EXPECT_EQ(ScreenPixel(290, 110), kRed);
  EXPECT_NE(ScreenPixel(290, 160), kRed);

  // Only empty rectangles: nothing of the window is left.
  region.rects = {Rect{10, 10, 10, 40}, Rect{5, 5, 0, 0}};
  window->SetRegion(region);
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(110, 190) != kRed; }));

  // No region: the whole window again, repaired from the kept picture.
  window->SetRegion(Region{});
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(200, 130) == kRed; }));
  EXPECT_EQ(ScreenPixel(290, 160), kRed);
  EXPECT_EQ(system_->ProtocolErrorCount(), 0u);
}

}  // namespace
}  // namespace somnara::testing
