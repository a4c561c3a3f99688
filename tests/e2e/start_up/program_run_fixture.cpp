#include "e2e/start_up/program_run_fixture.h"

#include <sys/wait.h>

namespace somnara::testing {

void ProgramRunTest::SetUp() {
  std::string error;
  ASSERT_TRUE(ReadBmp(SOMNARA_STAR_TILE, &tile_, &error)) << error;
  ASSERT_TRUE(copy_.Make(SOMNARA_PROGRAM_DIR, &error)) << error;
  ASSERT_TRUE(xvfb_.Start(&error)) << error;
  if (WithWindowManager()) {
    ASSERT_TRUE(wm_.Start(xvfb_.display(), &error)) << error;
  }
  ASSERT_TRUE(probe_.Open(xvfb_.display(), &error)) << error;
}

void ProgramRunTest::TearDown() {
  program_.Stop();
  // A sanitizer build of the program reports what it found on its standard error.
  const std::string said = copy_.ReadStderr();
  for (const char* report : {"Sanitizer", "runtime error:"})
    EXPECT_EQ(said.find(report), std::string::npos) << "the program reported:\n" << said;
  probe_.Close();
  wm_.Stop();
  xvfb_.Stop();
}

void ProgramRunTest::Launch() {
  LaunchOptions options;
  options.display = xvfb_.display();
  options.stderr_path = copy_.stderr_path();
  launched_ms_ = MonotonicMs();
  ASSERT_TRUE(program_.Start({copy_.executable()}, options)) << "cannot start the program";
}

bool ProgramRunTest::WaitFor(const std::function<bool()>& done, int timeout_ms) {
  const int64_t end = MonotonicMs() + timeout_ms;
  for (;;) {
    if (done()) return true;
    if (!ended_ && program_.Poll(&exit_status_)) ended_ = true;
    if (ended_ || MonotonicMs() >= end) return false;
    SleepMs(10);
  }
}

std::string ProgramRunTest::ExitNote() {
  if (!ended_ && program_.Poll(&exit_status_)) ended_ = true;
  if (!ended_) return {};
  std::string note = "the program has ended (";
  if (WIFEXITED(exit_status_))
    note += "exit status " + std::to_string(WEXITSTATUS(exit_status_));
  else if (WIFSIGNALED(exit_status_))
    note += "signal " + std::to_string(WTERMSIG(exit_status_));
  return note + "); its standard error: " + copy_.ReadStderr();
}

std::optional<TopWindow> ProgramRunTest::Backdrop() {
  return probe_.Find(kTitle, [&](const TopWindow& w) { return w.bounds == ScreenRect(); });
}

std::optional<TopWindow> ProgramRunTest::MainWindow() {
  return probe_.Find(kMainCaption, [](const TopWindow&) { return true; });
}

std::optional<TopWindow> ProgramRunTest::ErrorBox() {
  return probe_.Find(kTitle, [&](const TopWindow& w) { return w.bounds != ScreenRect(); });
}

std::optional<TopWindow> ProgramRunTest::Again(const TopWindow& w) {
  for (const TopWindow& now : probe_.Windows())
    if (now.client == w.client) return now;
  return std::nullopt;
}

std::vector<Rect> ProgramRunTest::CoveredAbove(const TopWindow& w) {
  std::vector<Rect> covered;
  for (const TopWindow& other : probe_.Windows())
    if (other.viewable && other.stack > w.stack) covered.push_back(other.frame_bounds);
  return covered;
}

Comparison ProgramRunTest::CompareBackdropWithTile(const TopWindow& backdrop,
                                                   const ScreenImage& screen) {
  const Rect& b = backdrop.bounds;
  return CompareWithTile(screen, b.Inflate(-2, -2), tile_, {b.left + 1, b.top + 1},
                         CoveredAbove(backdrop));
}

}  // namespace somnara::testing
