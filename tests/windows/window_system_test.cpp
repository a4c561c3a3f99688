// The Win32 window system on a real desktop (Wine on a private X server in CI): what a
// window shows, how the desktop's messages become the framework's events, modal owners,
// the wait, and the clipboard.
#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

#include "platform/windows/clipboard/win32_clipboard.h"
#include "platform/windows/window/win32_api.h"
#include "platform/windows/window/win32_window.h"
#include "platform/windows/window/win32_window_system.h"

namespace somnara::platform {
namespace {

struct Recorder : NativeWindowListener {
  std::vector<InputEvent> events;
  void OnNativeEvent(const InputEvent& e) override { events.push_back(e); }
};

class Win32WindowSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    system_ = Win32WindowSystem::Open(&error);
    ASSERT_TRUE(system_) << error;
  }
  std::unique_ptr<Win32Window> Make(const Rect& bounds, NativeWindow* owner = nullptr) {
    NativeWindowOptions options;
    options.title = "Test";
    options.bounds = bounds;
    options.owner = owner;
    return std::unique_ptr<Win32Window>(
        static_cast<Win32Window*>(system_->CreateWindow(options, &recorder_).release()));
  }
  void Pump(int ms) {
    const int64_t end = system_->GetClock().NowMs() + ms;
    while (system_->GetClock().NowMs() < end) system_->WaitForEvents(end, 0);
  }
  // The screen's colour at `p` as 0x00RRGGBB.
  static uint32_t ScreenPixel(Point p) {
    HDC dc = GetDC(nullptr);
    const COLORREF c = GetPixel(dc, p.x, p.y);
    ReleaseDC(nullptr, dc);
    return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
  }

  std::unique_ptr<Win32WindowSystem> system_;
  Recorder recorder_;
};

TEST_F(Win32WindowSystemTest, ShowsThePresentedPictureTopRowFirstWithinItsRegion) {
  auto w = Make(Rect::FromSize(100, 100, 60, 40));
  std::vector<uint32_t> pixels(60 * 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x) pixels[size_t(y * 60 + x)] = y < 20 ? 0xFF0000 : 0x0000FF;
  // Presented while hidden: shown from the kept copy when the window appears.
  w->Present({pixels.data(), 60, 40, 60}, Rect::FromSize(0, 0, 60, 40));
  w->SetVisible(true);
  Pump(200);
  EXPECT_EQ(ScreenPixel({130, 105}), 0xFF0000u);
  EXPECT_EQ(ScreenPixel({130, 135}), 0x0000FFu);
  for (const InputEvent& e : recorder_.events)
    EXPECT_NE(e.kind, InputEvent::Kind::kExpose) << "asked for a part already presented";

  // Only the damaged part changes.
  std::fill(pixels.begin(), pixels.end(), 0x00FF00u);
  w->Present({pixels.data(), 60, 40, 60}, Rect::FromSize(0, 0, 30, 40));
  Pump(100);
  EXPECT_EQ(ScreenPixel({110, 105}), 0x00FF00u);
  EXPECT_EQ(ScreenPixel({145, 105}), 0xFF0000u);

  w->SetRegion(Region{{Rect::FromSize(0, 0, 30, 40)}});
  Pump(200);
  EXPECT_EQ(ScreenPixel({110, 105}), 0x00FF00u);
  EXPECT_NE(ScreenPixel({145, 105}), 0xFF0000u) << "outside the region the window still shows";
}

TEST_F(Win32WindowSystemTest, TranslatesMessagesOnlyWhenWaiting) {
  auto w = Make(Rect::FromSize(200, 150, 50, 50));
  w->SetVisible(true);
  Pump(100);
  recorder_.events.clear();
  HWND hwnd = w->hwnd();
  // A captured pointer left of the window: the 16-bit halves are signed.
  PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(uint16_t(-5), 7));
  PostMessageW(hwnd, WM_CHAR, 0xD83D, 0);  // U+1F600 in two units
  PostMessageW(hwnd, WM_CHAR, 0xDE00, 0);
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(recorder_.events.empty()) << "handed over from inside a window procedure";
  Pump(100);
  std::vector<InputEvent> input;
  for (const InputEvent& e : recorder_.events)
    if (e.kind != InputEvent::Kind::kMouseEnter && e.kind != InputEvent::Kind::kMouseMove &&
        e.kind != InputEvent::Kind::kMouseLeave && e.kind != InputEvent::Kind::kFocusIn &&
        e.kind != InputEvent::Kind::kFocusOut)
      input.push_back(e);
  ASSERT_EQ(input.size(), 3u);
  EXPECT_EQ(input[0].kind, InputEvent::Kind::kCloseRequest);  // sent, so taken first
  EXPECT_EQ(input[1].kind, InputEvent::Kind::kMouseDown);
  EXPECT_EQ(input[1].pos, (Point{-5, 7}));
  EXPECT_EQ(input[1].screen, (Point{195, 157}));
  EXPECT_TRUE(input[1].held.left);
  EXPECT_EQ(input[2].kind, InputEvent::Kind::kChar);
  EXPECT_EQ(input[2].ch, 0x1F600u);
}

TEST_F(Win32WindowSystemTest, ModalWindowsDisableTheirOwnersUntilTheLastOneEnds) {
  auto main = Make(Rect::FromSize(10, 10, 50, 50));
  auto dialog = Make(Rect::FromSize(20, 20, 40, 40), main.get());
  auto box = Make(Rect::FromSize(30, 30, 20, 20), dialog.get());
  dialog->SetModal(true);
  box->SetModal(true);
  EXPECT_FALSE(IsWindowEnabled(main->hwnd()));
  EXPECT_FALSE(IsWindowEnabled(dialog->hwnd()));
  box->SetModal(false);
  EXPECT_FALSE(IsWindowEnabled(main->hwnd())) << "the outer modal window still runs";
  EXPECT_TRUE(IsWindowEnabled(dialog->hwnd()));
  // A modal window that goes away gives its owners back.
  dialog.reset();
  EXPECT_TRUE(IsWindowEnabled(main->hwnd()));
  EXPECT_TRUE(IsWindow(box->hwnd())) << "the desktop destroyed it with its owner";
}

TEST_F(Win32WindowSystemTest, WaitEndsAtTheDeadlineOrWhenWokenFromAnotherThread) {
  const Clock& clock = system_->GetClock();
  int64_t start = clock.NowMs();
  system_->WaitForEvents(start + 30, 0);
  EXPECT_GE(clock.NowMs(), start + 30);
  start = clock.NowMs();
  std::thread waker([this] {
    Sleep(50);
    system_->Wake();
  });
  system_->WaitForEvents(-1, 0);
  waker.join();
  EXPECT_GE(clock.NowMs() - start, 40);
}

TEST_F(Win32WindowSystemTest, ClipboardOffersTheTextAsUnicode) {
  Win32Clipboard clipboard(*system_);
  ASSERT_TRUE(clipboard.SetText("Gr\xC3\xBC\xC3\x9F\x65 \xE2\x98\xBE\r\nline"));
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const auto* text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
  const std::wstring got = text ? text : L"";
  if (text) GlobalUnlock(data);
  CloseClipboard();
  EXPECT_EQ(got, L"Gr\u00FC\u00DFe \u263E\r\nline");
}

}  // namespace
}  // namespace somnara::platform
