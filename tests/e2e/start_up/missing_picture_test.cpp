// A program folder without pend.gif: the standard error box names the missing file, the
// main window still opens a second after start, and the box can be dismissed.
#include <sys/wait.h>

#include "e2e/start_up/program_run_fixture.h"
#include "e2e/start_up/reference_message_box.h"

namespace somnara::testing {
namespace {

class MissingPictureTest : public ProgramRunTest {
 protected:
  // Clicks like a user, with xdotool on the private display.
  bool Click(Point at) {
    ChildProcess tool;
    if (!tool.Start(
            {"xdotool", "mousemove", std::to_string(at.x), std::to_string(at.y), "click", "1"},
            xvfb_.display()))
      return false;
    int status = -1;
    return tool.WaitExit(5000, &status) && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
};

TEST_F(MissingPictureTest, ErrorBoxNamesTheMissingFileAndTheMainWindowStillOpens) {
  ASSERT_TRUE(copy_.Remove("pend.gif"));
  const std::string message =
      "Cannot open file \"" + copy_.dir() + "/pend.gif\". No such file or directory";
  // What the box must look like, drawn by the framework in this process before the
  // program starts on the same display.
  ReferenceBox reference;
  std::string error;
  ASSERT_TRUE(DrawReferenceBox(xvfb_.display(), kTitle, message, &reference, &error)) << error;
  ASSERT_FALSE(ErrorBox().has_value()) << "the reference box is still up";

  Launch();
  std::optional<TopWindow> box, backdrop, main;
  ASSERT_TRUE(WaitFor([&] { return (box = ErrorBox()).has_value(); }))
      << "no error box. " << ExitNote();
  ASSERT_TRUE(WaitFor([&] { return (backdrop = Backdrop()).has_value(); })) << ExitNote();
  EXPECT_EQ((Size{box->bounds.Width(), box->bounds.Height()}), reference.size)
      << "the box is not sized for the expected message";

  // The main window opens regardless, a second after start.
  ASSERT_TRUE(WaitFor([&] { return (main = MainWindow()).has_value(); }))
      << "the main window did not open. " << ExitNote();
  EXPECT_GE(SinceLaunchMs(), 1000);
  // A window just mapped may not have been raised yet: the order settles within a wait.
  const bool stacked = WaitFor([&] {
    box = Again(*box);
    backdrop = Again(*backdrop);
    main = Again(*main);
    return box && backdrop && main && box->stack > backdrop->stack && main->stack > backdrop->stack;
  });
  ASSERT_TRUE(box && backdrop && main);
  EXPECT_TRUE(stacked) << "the error box (" << box->stack << ") or the main window (" << main->stack
                       << ") lies below the backdrop (" << backdrop->stack << ")";

  // The main window may open over the box; moved aside, as a user would drag it, it
  // uncovers the box, which paints itself again.
  if (!main->frame_bounds.Intersect(box->frame_bounds).IsEmpty()) {
    const int y =
        box->frame_bounds.top >= main->frame_bounds.Height() ? 0 : box->frame_bounds.bottom;
    probe_.Move(main->frame, 0, y);
    ASSERT_TRUE(WaitFor([&] {
      main = Again(*main);
      return main && main->frame_bounds.Intersect(box->frame_bounds).IsEmpty();
    })) << "the main window could not be moved off the box";
  }
  const Point text_at{box->bounds.left + reference.text.left, box->bounds.top + reference.text.top};
  Comparison text;
  const bool shown = WaitFor([&] {
    text = CompareWithPicture(probe_.Grab(reference.text.Offset(box->bounds.left, box->bounds.top)),
                              reference.text_pixels, text_at);
    return text.Matches();
  });
  EXPECT_TRUE(shown) << "the box does not show \"" << message << "\": " << text.Describe();

  // The backdrop is there all the same, once it has repainted what the moved window
  // uncovered (a slow, sanitized program takes a moment).
  Comparison stars;
  const bool starry = WaitFor([&] {
    stars = CompareBackdropWithTile(*backdrop, probe_.GrabScreen());
    return stars.Matches();
  });
  EXPECT_TRUE(starry) << stars.Describe();

  // OK closes the box; the program goes on with its main window.
  const Rect ok = reference.ok.Offset(box->bounds.left, box->bounds.top);
  ASSERT_TRUE(Click({(ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2}))
      << "xdotool failed (is the xdotool package installed?)";
  EXPECT_TRUE(WaitFor([&] { return !ErrorBox().has_value(); })) << "the box stays after OK";
  EXPECT_TRUE(MainWindow().has_value()) << ExitNote();
  EXPECT_TRUE(program_.running()) << ExitNote();
}

}  // namespace
}  // namespace somnara::testing
