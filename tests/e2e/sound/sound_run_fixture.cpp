#include "e2e/sound/sound_run_fixture.h"

#include <X11/Xlib.h>
#include <sys/wait.h>

#include <fstream>

namespace somnara::testing {

void SoundRunTest::SetUp() {
  std::string error;
  ASSERT_TRUE(copy_.Make(SOMNARA_PROGRAM_DIR, &error)) << error;
  ASSERT_TRUE(xvfb_.Start(&error)) << error;
  ASSERT_TRUE(pulse_.Start(&error)) << error;
  ASSERT_TRUE(probe_.Open(xvfb_.display(), &error)) << error;
  ASSERT_TRUE(recorder_.Start(pulse_, &error)) << error;
}

void SoundRunTest::TearDown() {
  program_.Stop();
  // A sanitizer build of the program reports what it found on its standard error.
  const std::string said = copy_.ReadStderr();
  for (const char* report : {"Sanitizer", "runtime error:"})
    EXPECT_EQ(said.find(report), std::string::npos) << "the program reported:\n" << said;
  recorder_.Stop();
  probe_.Close();
  pulse_.Stop();
  xvfb_.Stop();
}

void SoundRunTest::Launch() {
  LaunchOptions options;
  options.display = xvfb_.display();
  options.stderr_path = copy_.stderr_path();
  options.environment = {pulse_.Environment()};
  ASSERT_TRUE(program_.Start({copy_.executable()}, options)) << "cannot start the program";
}

bool SoundRunTest::WaitFor(const std::function<bool()>& done, int timeout_ms) {
  const int64_t end = MonotonicMs() + timeout_ms;
  for (;;) {
    if (done()) return true;
    if (!ended_ && program_.Poll(&exit_status_)) ended_ = true;
    if (ended_ || MonotonicMs() >= end) return false;
    SleepMs(20);
  }
}

std::string SoundRunTest::Note() {
  if (!ended_ && program_.Poll(&exit_status_)) ended_ = true;
  std::string note;
  if (ended_) {
    note = "the program has ended (";
    if (WIFEXITED(exit_status_))
      note += "exit status " + std::to_string(WEXITSTATUS(exit_status_));
    else if (WIFSIGNALED(exit_status_))
      note += "signal " + std::to_string(WTERMSIG(exit_status_));
    note += "); ";
  }
  return note + "its standard error: " + copy_.ReadStderr();
}

Point SoundRunTest::ClientOrigin(const TopWindow& w, Size client) {
  const int border = (w.bounds.Width() - client.width) / 2;
  return {w.bounds.left + border, w.bounds.top + w.bounds.Height() - client.height - border};
}

std::optional<TopWindow> SoundRunTest::WindowWithClient(const std::string& caption, Size client) {
  return probe_.Find(caption, [&](const TopWindow& w) {
    const int border = (w.bounds.Width() - client.width) / 2;
    const int top_band = w.bounds.Height() - client.height - border;
    return border >= 0 && border <= 8 && top_band >= 0 && top_band <= 40;
  });
}

bool SoundRunTest::HasKeyboard(const TopWindow& w) {
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(probe_.display(), &focus, &revert);
  return focus != 0 && (focus == w.client || focus == w.frame);
}

void SoundRunTest::Keys(const std::vector<std::string>& keys) {
  // A pause between keys lets a busy program take each one in turn.
  std::vector<std::string> argv = {"xdotool", "key", "--delay", "80"};
  argv.insert(argv.end(), keys.begin(), keys.end());
  ChildProcess xdotool;
  ASSERT_TRUE(xdotool.Start(argv, xvfb_.display())) << "cannot start xdotool";
  int status = 0;
  ASSERT_TRUE(xdotool.WaitExit(kWaitMs, &status)) << "xdotool did not finish";
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "xdotool failed";
}

void SoundRunTest::Click(Point p) {
  ChildProcess xdotool;
  ASSERT_TRUE(xdotool.Start(
      {"xdotool", "mousemove", "--sync", std::to_string(p.x), std::to_string(p.y), "click", "1"},
      xvfb_.display()))
      << "cannot start xdotool";
  int status = 0;
  ASSERT_TRUE(xdotool.WaitExit(kWaitMs, &status)) << "xdotool did not finish";
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "xdotool failed";
}

void SoundRunTest::Drag(Point from, Point to) {
  ChildProcess xdotool;
  ASSERT_TRUE(xdotool.Start(
      {"xdotool", "mousemove", "--sync", std::to_string(from.x), std::to_string(from.y),
       "mousedown", "1", "sleep", "0.2", "mousemove", "--sync", std::to_string(to.x),
       std::to_string(to.y), "sleep", "0.2", "mouseup", "1"},
      xvfb_.display()))
      << "cannot start xdotool";
  int status = 0;
  ASSERT_TRUE(xdotool.WaitExit(kWaitMs, &status)) << "xdotool did not finish";
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "xdotool failed";
}

std::map<std::string, std::string> SoundRunTest::OptionSection() {
  return copy_.OptionSection();
}

}  // namespace somnara::testing
