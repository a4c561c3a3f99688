#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <random>

#include "platform/linux/system/ini_document.h"
#include "platform/linux/system/ini_profile_store.h"
#include "temp_folder.h"

namespace somnara::platform {
namespace {

using somnara::testing::ReadBytes;
using somnara::testing::TempFolder;
using somnara::testing::WriteBytes;

std::string BaseFile() {
  std::string text = "; kept through every write\r\n[Other]\r\n";
  for (int i = 0; i < 300; ++i) text += "entry" + std::to_string(i) + "=some value\r\n";
  return text + "\r\n[Option]\r\nmusic=3\r\n; end\r\n";
}

std::string TextFor(long i) {
  return std::string(100 + std::size_t(i % 900), 'x');
}

[[noreturn]] void WriteForever(const std::string& path, IniProfileStore::Options options,
                               long start, int ready_fd) {
  IniProfileStore store(options);
  (void)!write(ready_fd, "r", 1);
  for (long i = start;; ++i) {
    if (!store.WriteString("Option", "counter", std::to_string(i), path).ok) _exit(2);
    if (!store.WriteString("Option", "text", TextFor(i), path).ok) _exit(3);
  }
}

// What the file must hold, given the values that the last finished writes left in it.
std::string Expected(const std::string& base, const IniDocument& found) {
  IniDocument expected = IniDocument::Parse(base);
  if (auto counter = found.Find("Option", "counter")) expected.Set("Option", "counter", *counter);
  if (auto text = found.Find("Option", "text")) expected.Set("Option", "text", *text);
  return expected.Serialize();
}

void KillWritersRepeatedly(IniProfileStore::Options options, int rounds) {
  TempFolder folder;
  const std::string path = folder.File("option.ini");
  const std::string base = BaseFile();

  // Kill moments spread over about three writes, whatever the disk's speed.
  WriteBytes(folder.File("scratch.ini"), base);
  IniProfileStore probe(options);
  auto begin = std::chrono::steady_clock::now();
  for (int i = 0; i < 10; ++i)
    probe.WriteString("Option", "counter", "1", folder.File("scratch.ini"));
  auto write_us = std::chrono::duration_cast<std::chrono::microseconds>(
                      std::chrono::steady_clock::now() - begin)
                      .count() /
                  10;
  std::filesystem::remove(folder.File("scratch.ini"));
  std::uniform_int_distribution<long> delay_us(0, std::clamp<long>(3 * write_us, 300, 30000));
  std::mt19937 random(7);

  WriteBytes(path, base);
  long last_counter = -1;
  int rounds_with_progress = 0;
  // A loaded machine with slow syncs gets fewer rounds rather than a slow test.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(8);
  int round = 0;
  for (; round < rounds && std::chrono::steady_clock::now() < deadline; ++round) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) WriteForever(path, options, last_counter + 1, ready[1]);
    close(ready[1]);
    pollfd wait_ready{ready[0], POLLIN, 0};
    poll(&wait_ready, 1, 5000);
    close(ready[0]);
    usleep(useconds_t(delay_us(random)));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        << "the writer stopped by itself, status " << status;

    const std::string bytes = ReadBytes(path);
    IniDocument found = IniDocument::Parse(bytes);
    ASSERT_EQ(bytes, Expected(base, found)) << "round " << round;
    if (auto counter = found.Find("Option", "counter")) {
      long value = std::stol(std::string(*counter));
      ASSERT_GE(value, last_counter) << "round " << round;
      if (value > last_counter) ++rounds_with_progress;
      last_counter = value;
    }
  }
  std::size_t leftovers = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    leftovers += entry.path().filename() != "option.ini";
  }
  std::cout << (options.unnamed_temp_files ? "unnamed" : "named") << " temporary files: " << round
            << " kills, one write " << write_us << " us, " << last_counter + 1
            << " counter writes, " << rounds_with_progress << " rounds with progress, " << leftovers
            << " temporary files left behind\n";
  // Kills that all land before the first write would prove nothing.
  EXPECT_GE(rounds_with_progress, round / 10);
}

TEST(SettingsKillTest, KilledWriterNeverLeavesATornFile) {
  KillWritersRepeatedly({.unnamed_temp_files = true}, 250);
}

TEST(SettingsKillTest, KilledWriterNeverLeavesATornFileWithNamedTemporaries) {
  KillWritersRepeatedly({.unnamed_temp_files = false}, 100);
}

}  // namespace
}  // namespace somnara::platform
