// Text put on the clipboard by our backend, read by another client of the same server the
// way a text editor pastes it.

#include "platform/linux/x11/x11_clipboard.h"

#include <optional>
#include <string>

#include "platform/x11/x11_fixture.h"

namespace somnara::testing {
namespace {

class X11ClipboardTest : public X11Test {
 protected:
  // What the probe gets for the CLIPBOARD in `target`; none when the owner refused.
  std::optional<std::string> Paste(const char* target) {
    const Window requestor =
        XCreateSimpleWindow(probe_, DefaultRootWindow(probe_), 0, 0, 1, 1, 0, 0, 0);
    const Atom property = Intern("SOMNARA_TEST_PASTE");
    XConvertSelection(probe_, Intern("CLIPBOARD"), Intern(target), property, requestor,
                      CurrentTime);
    XEvent event{};
    const bool answered = PumpUntil(
        [&] { return XCheckTypedWindowEvent(probe_, requestor, SelectionNotify, &event) == True; });
    std::optional<std::string> text;
    if (answered && event.xselection.property != None) {
      Atom type = 0;
      int format = 0;
      unsigned long count = 0, after = 0;
      unsigned char* data = nullptr;
      XGetWindowProperty(probe_, requestor, property, 0, 1 << 20, True, AnyPropertyType, &type,
                         &format, &count, &after, &data);
      if (type == XA_ATOM) {
        text.emplace();
        for (unsigned long i = 0; i < count; ++i) {
          char* name = XGetAtomName(probe_, reinterpret_cast<Atom*>(data)[i]);
          *text += std::string(name) + " ";
          XFree(name);
        }
      } else {
        text.emplace(reinterpret_cast<char*>(data), count);
      }
      if (data != nullptr) XFree(data);
    }
    XDestroyWindow(probe_, requestor);
    return text;
  }
};

TEST_F(X11ClipboardTest, AnotherClientPastesTheTextUntilItTakesTheClipboard) {
  platform::X11Clipboard clipboard(*system_);
  const std::string text = "Caf\xC3\xA9\r\nCancel   OK";
  ASSERT_TRUE(clipboard.SetText(text));
  EXPECT_EQ(Paste("UTF8_STRING"), text);
  EXPECT_EQ(Paste("STRING"), "Caf\xE9\r\nCancel   OK");
  EXPECT_EQ(Paste("TARGETS"), "TARGETS UTF8_STRING STRING ");
  EXPECT_EQ(Paste("image/png"), std::nullopt);

  // Another program copies something: we let go of ours.
  const Window other = XCreateSimpleWindow(probe_, DefaultRootWindow(probe_), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(probe_, Intern("CLIPBOARD"), other, CurrentTime);
  EXPECT_TRUE(PumpUntil([&] { return !clipboard.Owns(); }));

  ASSERT_TRUE(clipboard.SetText("again"));
  EXPECT_EQ(Paste("UTF8_STRING"), "again");
}

}  // namespace
}  // namespace somnara::testing
