#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/program_values.h"
#include "disk_profile_store.h"
#include "framework/application.h"
#include "framework/controls/message_box.h"
#include "framework/controls/standard_classes.h"
#include "framework/form.h"
#include "platform/headless/headless_media_service.h"
#include "platform/headless/headless_power_service.h"
#include "platform/headless/headless_short_path_service.h"
#include "platform/headless/headless_window_system.h"
#include "platform/headless/recording_profile_store.h"
#include "platform/platform.h"
#include "routine/routine_values.h"
#include "temp_folder.h"

namespace somnara::testing {

// The whole program on the headless backend, with a program directory of its own in a
// temporary folder. Media commands, settings writes and power requests are recorded.
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fw::ResetApplication();
    ResetProgramValues();
    program_dir = MakeTempFolder("somnara-program-");
    ASSERT_FALSE(program_dir.empty());
    platform::Services s;
    s.windows = &windows;
    s.media = &media;
    s.short_paths = &short_paths;
    s.power = &power;
    s.profiles = &profiles;
    s.program_dir = program_dir;
    platform::Install(s);
  }
  void TearDown() override {
    fw::ResetApplication();
    ResetProgramValues();
    platform::Install({});
    std::error_code ignored;
    std::filesystem::remove_all(program_dir, ignored);
  }

  // A data file beside the program; the media service knows it as a track of this length.
  void AddTrack(const std::string& relative, int64_t length_ms) {
    std::string path = WriteFile(relative, "RIFF");
    short_paths.AddFile(path);
    media.AddTrack(path, length_ms);
  }
  // Returns the path as the program forms it (see ProgramPath), which is how the short-path
  // and media services are asked for it.
  std::string WriteFile(const std::string& relative, const std::string& bytes) {
    std::filesystem::path path = std::filesystem::path(program_dir) / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return ProgramPath(relative);
  }
  std::string ProgramPath(const std::string& relative) const {
    return program_dir + "/" + relative;
  }

  // The settings file's lines, without line ends.
  std::vector<std::string> SettingsLines() const {
    std::ifstream in(ProgramPath("option.ini"));
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }
  // "read key=value" / "write key=value" for every call a recording store saw, in order.
  static std::vector<std::string> DescribeCalls(const platform::RecordingProfileStore& store) {
    std::vector<std::string> out;
    for (const auto& c : store.calls())
      out.push_back(
          (c.kind == platform::RecordingProfileStore::Call::Kind::kRead ? "read " : "write ") +
          c.key + "=" + c.value);
    return out;
  }

  // Media commands as "time command" lines.
  std::vector<std::string> MediaLog() const {
    std::vector<std::string> out;
    for (const auto& e : media.Log()) out.push_back(std::to_string(e.time_ms) + " " + e.command);
    return out;
  }
  int64_t Now() { return windows.Time().NowMs(); }
  // The modal form on top, if any.
  fw::Form* TopForm() const {
    fw::Form* top = nullptr;
    for (fw::Form* f : fw::App().Forms())
      if (f->Visible() && f->IsModal()) top = f;
    return top;
  }

  platform::HeadlessWindowSystem windows;
  platform::HeadlessMediaService media{windows.Time()};
  platform::HeadlessShortPathService short_paths;
  platform::HeadlessPowerService power;
  DiskProfileStore profiles;
  std::string program_dir;
};

// A tiny valid GIF (1 x 1, two frames) for pend.gif.
std::string SmallAnimatedGif();

}  // namespace somnara::testing
