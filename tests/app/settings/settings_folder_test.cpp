// The settings file beside the executable while the program folder takes it, otherwise in
// the user's configuration folder, made on the first write.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "app/settings/ordinary_user.h"
#include "platform/headless/headless_settings_folder.h"
#include "platform/linux/system/ini_profile_store.h"
#include "platform/linux/system/xdg_settings_folder.h"
#include "routine/wizard/wizard_fixture.h"
#include "settings/settings.h"
#include "temp_folder.h"

namespace somnara::testing {
namespace {

namespace fs = std::filesystem;

std::string Lines(const std::string& path) {
  std::ifstream in(path);
  std::string all, line;
  while (std::getline(in, line)) all += line + "\n";
  return all;
}

TEST(SettingsFolderTest, TheFileLivesWhereThePlatformSaysAndItsFirstWriteMakesTheFolder) {
  TempFolder temp;
  platform::IniProfileStore store;
  platform::HeadlessSettingsFolder folder(temp.File("config/somnara"));
  platform::Install(
      {.profiles = &store, .settings_folder = &folder, .program_dir = temp.File("program")});
  const std::string path = settings::SettingsFilePath();
  EXPECT_EQ(path, temp.File("config/somnara/option.ini"));
  settings::Settings(path).Write(settings::kMusic, 4);
  EXPECT_EQ(settings::Settings(settings::SettingsFilePath()).Read(settings::kMusic), 4);
  platform::Install({});
}

TEST(XdgSettingsFolderTest, TheProgramFolderWhileItTakesTheFileElseTheConfigurationFolder) {
  OrdinaryUser user;
  std::string reason;
  if (!user.Find(&reason)) GTEST_SKIP() << reason;
  TempFolder temp;
  fs::permissions(temp.path(), fs::perms(0755));
  const std::string own = temp.File("own"), read_only = temp.File("read-only"),
                    writable_file = temp.File("writable-file"),
                    read_only_file = temp.File("read-only-file");
  for (const std::string& dir : {own, read_only, writable_file, read_only_file})
    fs::create_directory(dir);
  WriteBytes(writable_file + "/option.ini", "");
  fs::permissions(writable_file + "/option.ini", fs::perms(0666));
  WriteBytes(read_only_file + "/option.ini", "");
  fs::permissions(read_only_file + "/option.ini", fs::perms(0444));
  for (const std::string& dir : {read_only, writable_file, read_only_file})
    fs::permissions(dir, fs::perms(0555));
  fs::permissions(own, fs::perms(0755));
  ASSERT_TRUE(user.Own(own));

  const std::string answer = user.Run([&] {
    auto locate = [](const std::string& dir) {
      return platform::XdgSettingsFolder(dir).Locate("option.ini") + "\n";
    };
    setenv("HOME", "/home/sleeper", 1);
    setenv("XDG_CONFIG_HOME", "/config", 1);
    std::string out = locate(own) + locate(writable_file) + locate(read_only_file) +
                      locate(read_only) + locate(temp.File("missing"));
    // A relative configuration folder is no configuration folder.
    setenv("XDG_CONFIG_HOME", "config", 1);
    out += locate(read_only);
    unsetenv("XDG_CONFIG_HOME");
    return out + locate(read_only);
  });
  EXPECT_EQ(answer, own + "\n" + writable_file + "\n" +
                        "/config/somnara\n/config/somnara\n/config/somnara\n"
                        "/home/sleeper/.config/somnara\n/home/sleeper/.config/somnara\n");
}

using ReadOnlyProgramFolderTest = WizardTest;

TEST_F(ReadOnlyProgramFolderTest, TheWizardRunsToItsEndWithTheSettingsInTheConfigurationFolder) {
  OrdinaryUser user;
  std::string reason;
  if (!user.Find(&reason)) GTEST_SKIP() << reason;
  TempFolder home;
  fs::permissions(home.path(), fs::perms(0755));
  ASSERT_TRUE(user.Own(home.path()));
  const std::string config = home.File("config");
  fs::permissions(program_dir, fs::perms(0555));
  platform::XdgSettingsFolder folder(program_dir);
  platform::Services services = platform::Current();
  services.settings_folder = &folder;
  platform::Install(services);
  volume.SetValue(0xFF00FF00u);
  ThroughTheWizard(2000);

  const std::string answer = user.Run([&] {
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    Run(2350);
    std::string out;
    for (const std::string& error : errors) out += "error: " + error + "\n";
    return out + Lines(config + "/somnara/option.ini");
  });
  fs::permissions(program_dir, fs::perms::owner_all);
  EXPECT_EQ(answer, "[Option]\nmusic=0\nvolume=255\nvol=30\nfout=1\nexe=3\n");
  EXPECT_FALSE(fs::exists(ProgramPath("option.ini")));
  // Made for the user alone, as the desktop makes configuration folders.
  EXPECT_EQ(fs::status(config).permissions() & fs::perms::all, fs::perms::owner_all);
}

}  // namespace
}  // namespace somnara::testing
