#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sound/channel/manual_clock.h"
#include "platform/headless/headless_media_service.h"
#include "platform/headless/headless_short_path_service.h"
#include "platform/platform.h"

namespace somnara::testing {

// Installs a headless media service and short paths as the services in force, with the
// program in /prog, and puts the previous services back afterwards.
class SoundChannelTest : public ::testing::Test {
 protected:
  SoundChannelTest() : media_(clock_) {
    saved_ = platform::Current();
    platform::Services services = saved_;
    services.media = &media_;
    services.short_paths = &short_paths_;
    services.program_dir = "/prog";
    platform::Install(services);
  }
  ~SoundChannelTest() override { platform::Install(saved_); }

  // A file the short path service knows and the media service plays.
  void AddSound(const std::string& path, const std::string& short_form, int64_t length_ms) {
    short_paths_.AddFile(path, short_form);
    media_.AddTrack(short_form, length_ms);
  }

  std::vector<std::string> Commands() const {
    std::vector<std::string> commands;
    for (const auto& entry : media_.Log()) commands.push_back(entry.command);
    return commands;
  }

  ManualClock clock_;
  platform::HeadlessMediaService media_;
  platform::HeadlessShortPathService short_paths_;

 private:
  platform::Services saved_;
};

}  // namespace somnara::testing
