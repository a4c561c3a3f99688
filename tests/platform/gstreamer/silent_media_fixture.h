#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/linux/media/gst_media_service.h"
#include "platform/linux/media/linux_short_path_service.h"
#include "platform/platform.h"
#include "sound/media.h"
#include "temp_folder.h"

namespace somnara::testing {

// The real media service, silent (a fake sink that keeps time), and the real short paths,
// in force for one test over a temporary folder whose `program_subfolder` is the program's.
class SilentGstMediaTest : public ::testing::Test {
 protected:
  explicit SilentGstMediaTest(const std::string& program_subfolder = "")
      : root_(MakeTempFolder("somnara-gst-")), media_(Silent()) {
    saved_ = platform::Current();
    platform::Services services = saved_;
    services.media = &media_;
    services.short_paths = &short_paths_;
    services.program_dir = root_ + program_subfolder;
    platform::Install(services);
  }
  ~SilentGstMediaTest() override {
    sound::MediaCloseAll();
    platform::Install(saved_);
    std::filesystem::remove_all(root_);
  }

  std::string root_;
  platform::GstMediaService media_;
  platform::LinuxShortPathService short_paths_;
  platform::Services saved_;

 private:
  static platform::GstMediaOptions Silent() {
    platform::GstMediaOptions options;
    options.output = platform::GstMediaOptions::Output::kSilent;
    options.open_timeout_ms = 20000;
    return options;
  }
};

}  // namespace somnara::testing
