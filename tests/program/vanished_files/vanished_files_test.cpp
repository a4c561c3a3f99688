// Files beside the program that vanish or go bad, and a damaged stored skin: a two-minute
// night with fading still runs to its end, as it does when a file is missing from the start.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "app/backdrop_window.h"
#include "app/main_window.h"
#include "app/program_entry.h"
#include "framework/controls/edit.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/resources.h"
#include "program_fixture.h"
#include "routine/sleep_window.h"
#include "routine/wizard_window.h"
#include "skin/controls/tsui_button.h"
#include "skin/theme/tsui_built_in_file_theme.h"

namespace somnara::routine {
namespace {

// The user's clicks, and the moments the night reaches by itself (as in the whole night).
constexpr int64_t kSleep = 3300 + 43 + 120052 + 1000 + 30041;
constexpr int64_t kMusic = kSleep + 30000;
constexpr int64_t kEnd = kMusic + 126000;  // two minutes and the six closing ticks
constexpr char kSound[] = "SNatural.dll";

// A resource of the test's own over the program's; its name is changed per test.
fw::ResourceEntry g_override[] = {{"-", nullptr, 0}, {nullptr, nullptr, 0}};

class VanishedFilesTest;
struct Damage {
  const char* name;
  int64_t at;  // when the damage is done; 0 before the start
  std::function<void(VanishedFilesTest&)> act;
  const char* error;  // what the error box says first, "" for nothing
};

class VanishedFilesTest : public somnara::testing::ProgramTest,
                          public ::testing::WithParamInterface<Damage> {
 public:
  void SetUp() override {
    ProgramTest::SetUp();
    // Registered after the program's, so that it wins.
    resources::RegisterProgramResources();
    fw::RegisterResources(g_override);
    WriteFile("pend.gif", somnara::testing::SmallAnimatedGif());
    AddTrack("sound/start.mid", 9000);
    AddTrack("somna.dll", 45000);
    AddTrack(kSound, 20000);
    fw::App().OnException = [this](const std::string& message) { errors.push_back(message); };
  }
  void TearDown() override {
    g_override[0] = {"-", nullptr, 0};
    ProgramTest::TearDown();
  }

  void Vanish(const std::string& relative) {
    std::filesystem::remove(ProgramPath(relative));
    short_paths.RemoveFile(ProgramPath(relative));
    media.RemoveTrack(ProgramPath(relative));
  }
  void Garble(const std::string& relative) {
    WriteFile(relative, std::string(4096, '\x5A'));
    media.MakeUnplayable(ProgramPath(relative));
  }
  void CutPendGif(size_t size) { std::filesystem::resize_file(ProgramPath("pend.gif"), size); }
  // The stored skin with `change` done to it, in place of the program's.
  void DamageSkin(const std::function<void(std::vector<uint8_t>&)>& change) {
    fw::ResourceLookup stored = fw::FindResource("skins/stored.skn");
    ASSERT_TRUE(stored.found);
    skin.assign(stored.bytes.begin(), stored.bytes.end());
    change(skin);
    g_override[0] = {"skins/stored.skn", skin.data(), skin.size()};
  }

  void Click(int64_t ms, std::function<fw::Control*()> control) {
    windows.At(ms, [this, control] {
      fw::Control* c = control();
      windows.Click(c->ClientToScreen({c->Width() / 2, c->Height() / 2}));
    });
  }

  std::vector<std::string> errors;
  std::vector<uint8_t> skin;
};

void PrintTo(const Damage& d, std::ostream* os) {
  *os << d.name;
}

TEST_P(VanishedFilesTest, TheNightRunsToItsEndAsForAMissingFile) {
  const Damage& damage = GetParam();
  if (damage.at == 0) damage.act(*this);
  if (HasFatalFailure()) return;
  if (damage.at > 0) windows.At(damage.at, [&] { damage.act(*this); });
  Click(2000, [] { return Form2->suiButton1; });
  Click(3000, [] { return Form3->suiButton4; });
  Click(3100, [] { return Form3->suiButton1; });
  Click(3200, [] { return Form3->suiButton2; });
  windows.At(3299, [] { Form3->Edit1->SetText("2"); });
  Click(3300, [] { return Form3->suiButton3; });
  windows.At(kEnd + 60000, [] { fw::App().Terminate(); });
  app::RunProgram();

  EXPECT_EQ(Now(), kEnd) << "the night did not end on time";
  ASSERT_NE(Form4, nullptr);
  EXPECT_EQ(Form4->Label1->Caption(), "Somnara has been finished. Good night...");
  ASSERT_EQ(power.requests().size(), 1u);
  EXPECT_EQ(power.requests()[0].flags, 9u);
  EXPECT_EQ(power.idle_inhibitors_held(), 0);
  // A skin that cannot be read leaves the theme not ready, so the windows draw in DeepBlue.
  EXPECT_EQ(fw::Require<skin::TsuiBuiltInFileTheme>(*Form1, "suiBuiltInFileTheme1")->Ready(),
            skin.empty());
  if (*damage.error == '\0') {
    EXPECT_EQ(errors, std::vector<std::string>{});
  } else {
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors[0].rfind(damage.error, 0), 0u) << errors[0];
  }

  // A sound that cannot be opened is tried again every loop tick until the end stops the
  // tries; nothing is opened after that.
  int64_t last_open = -1;
  int failed_opens = 0;
  for (const auto& e : media.Log())
    if (e.command.rfind("open ", 0) == 0) {
      last_open = e.time_ms;
      failed_opens += e.time_ms >= kMusic && e.code != 0;
    }
  EXPECT_LE(last_open, kMusic + 120000);
  const bool sound_damaged = std::string(damage.name).find("sound") != std::string::npos;
  EXPECT_EQ(failed_opens > 100, sound_damaged) << failed_opens;
}

std::string Cut(const ::testing::TestParamInfo<Damage>& info) {
  return info.param.name;
}

// The stored skin's archive, cut in half or with its compressed data scrambled.
void Halve(std::vector<uint8_t>& bytes) {
  bytes.resize(bytes.size() / 2);
}
void Scramble(std::vector<uint8_t>& bytes) {
  for (size_t i = 64; i < bytes.size() / 2; ++i) bytes[i] ^= 0xA5;
}

INSTANTIATE_TEST_SUITE_P(
    Damages, VanishedFilesTest,
    ::testing::Values(
        Damage{"sound_deleted_before_it_starts", kSleep + 1000,
               [](VanishedFilesTest& t) { t.Vanish(kSound); }, ""},
        Damage{"sound_deleted_while_it_plays", kMusic + 5000,
               [](VanishedFilesTest& t) { t.Vanish(kSound); }, ""},
        Damage{"sound_garbled_while_it_plays", kMusic + 5000,
               [](VanishedFilesTest& t) { t.Garble(kSound); }, ""},
        Damage{"sound_deleted_while_it_fades", kMusic + 30000,
               [](VanishedFilesTest& t) { t.Vanish(kSound); }, ""},
        Damage{"pend_gif_cut_in_its_header", 0, [](VanishedFilesTest& t) { t.CutPendGif(10); },
               "GIF image is not valid"},
        Damage{"pend_gif_cut_in_its_second_frame", 0,
               [](VanishedFilesTest& t) { t.CutPendGif(55); }, ""},
        Damage{"pend_gif_cut_during_the_night", kMusic,
               [](VanishedFilesTest& t) { t.CutPendGif(10); }, ""},
        Damage{"stored_skin_cut_in_half", 0, [](VanishedFilesTest& t) { t.DamageSkin(Halve); }, ""},
        Damage{"stored_skin_scrambled", 0, [](VanishedFilesTest& t) { t.DamageSkin(Scramble); },
               ""}),
    Cut);

}  // namespace
}  // namespace somnara::routine
