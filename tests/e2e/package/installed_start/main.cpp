// Starts the installed `somnara` command on a private Xvfb and looks from outside: the star
// backdrop covers the screen, then the main window opens above it. Both need the data
// folder, so this also shows that the command, a link, led the program to its files.
//   installed_start_check <command>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <optional>

#include "support/child_process.h"
#include "support/screen_image.h"
#include "support/screen_probe.h"
#include "support/xvfb_server.h"

namespace somnara::testing {
namespace {

const std::string kTitle = "Somnara";
const std::string kMainCaption = "Somnara - Help you easy to get a good night's sleep";
constexpr int kWaitMs = 20000;

class InstalledRun {
 public:
  bool Start(const std::string& command, std::string* error) {
    if (!ReadBmp(SOMNARA_STAR_TILE, &tile_, error) || !xvfb_.Start(error) ||
        !probe_.Open(xvfb_.display(), error))
      return false;
    char pattern[] = "/tmp/somnara-installed-XXXXXX";
    const int fd = mkstemp(pattern);
    if (fd < 0) return Fail("no temporary file for the program's standard error", error);
    close(fd);
    stderr_path_ = pattern;
    LaunchOptions options;
    options.display = xvfb_.display();
    options.stderr_path = stderr_path_;
    if (!program_.Start({command}, options)) return Fail("cannot start " + command, error);
    return true;
  }
  ~InstalledRun() {
    program_.Stop();
    probe_.Close();
    xvfb_.Stop();
    if (!stderr_path_.empty()) unlink(stderr_path_.c_str());
  }

  // The backdrop covers the screen and shows the star tile inside its edge.
  bool BackdropShowsStars(std::string* error) {
    Comparison stars;
    const bool shown = WaitFor([&] {
      const std::optional<TopWindow> backdrop = Backdrop();
      if (!backdrop) return false;
      const Rect& b = backdrop->bounds;
      stars = CompareWithTile(probe_.GrabScreen(), b.Inflate(-2, -2), tile_,
                              {b.left + 1, b.top + 1}, CoveredAbove(*backdrop));
      return stars.Matches();
    });
    return shown ||
           Fail("the backdrop with the star tile did not appear: " + stars.Describe(), error);
  }

  // The main window opens above the backdrop.
  bool MainWindowAbove(std::string* error) {
    const bool shown = WaitFor([&] {
      const std::optional<TopWindow> main =
          probe_.Find(kMainCaption, [](const TopWindow&) { return true; });
      const std::optional<TopWindow> backdrop = Backdrop();
      return main && backdrop && main->stack > backdrop->stack;
    });
    return shown || Fail("the main window did not open above the backdrop", error);
  }

 private:
  bool Fail(const std::string& what, std::string* error) {
    std::ifstream in(stderr_path_);
    const std::string said((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    *error = what;
    if (Ended()) *error += " (the program has ended)";
    if (!said.empty()) *error += "; the program said:\n" + said;
    return false;
  }
  // Polls until `done` holds; false after kWaitMs, or at once when the program has ended.
  bool WaitFor(const std::function<bool()>& done) {
    for (const int64_t end = MonotonicMs() + kWaitMs; MonotonicMs() < end; SleepMs(20)) {
      if (done()) return true;
      if (Ended()) return false;
    }
    return false;
  }
  bool Ended() {
    ended_ = ended_ || program_.Poll();
    return ended_;
  }
  std::optional<TopWindow> Backdrop() {
    const Rect screen = Rect::FromSize(0, 0, XvfbServer::kWidth, XvfbServer::kHeight);
    return probe_.Find(kTitle, [&](const TopWindow& w) { return w.bounds == screen; });
  }
  std::vector<Rect> CoveredAbove(const TopWindow& w) {
    std::vector<Rect> covered;
    for (const TopWindow& other : probe_.Windows())
      if (other.viewable && other.stack > w.stack) covered.push_back(other.frame_bounds);
    return covered;
  }

  XvfbServer xvfb_;
  ScreenProbe probe_;
  ChildProcess program_;
  ScreenImage tile_;
  std::string stderr_path_;
  bool ended_ = false;
};

}  // namespace
}  // namespace somnara::testing

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: installed_start_check <command>\n";
    return 2;
  }
  somnara::testing::InstalledRun run;
  std::string error;
  if (!run.Start(argv[1], &error) || !run.BackdropShowsStars(&error) ||
      !run.MainWindowAbove(&error)) {
    std::cerr << "installed_start_check: " << error << "\n";
    return 1;
  }
  std::cout << "installed_start_check: the backdrop and then the main window appeared\n";
  return 0;
}
