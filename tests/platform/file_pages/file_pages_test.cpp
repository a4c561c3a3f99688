// Read-only file data given back to the system: no longer counted as ours, still readable.
#include "platform/linux/system/file_pages.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace somnara::platform {
namespace {

// Resident kilobytes of the mapping that starts at `start`, from /proc/self/smaps.
long ResidentKb(const void* start) {
  std::ifstream smaps("/proc/self/smaps");
  char head[32];
  std::snprintf(head, sizeof head, "%lx-", static_cast<unsigned long>(std::uintptr_t(start)));
  bool inside = false;
  for (std::string line; std::getline(smaps, line);) {
    if (line.find('-') != std::string::npos && line.find(' ') > line.find('-'))
      inside = line.rfind(head, 0) == 0;
    if (inside && line.rfind("Rss:", 0) == 0) return std::stol(line.substr(4));
  }
  return -1;
}

TEST(FilePagesTest, WholePagesLeaveTheProcessAndReadBackTheSame) {
  const long page = sysconf(_SC_PAGESIZE);
  const size_t size = size_t(page) * 16;
  std::vector<unsigned char> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(i * 7 + 3);
  char path[] = "/tmp/somnara-pages-XXXXXX";
  const int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(write(fd, bytes.data(), size), ssize_t(size));
  auto* map = static_cast<const unsigned char*>(mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0));
  close(fd);
  unlink(path);
  ASSERT_NE(map, MAP_FAILED);

  EXPECT_EQ(std::vector<unsigned char>(map, map + size), bytes);  // every page read in
  EXPECT_EQ(ResidentKb(map), long(size / 1024));

  // A range that starts and ends inside pages keeps those two.
  ReleaseFilePages(map + 100, size - 200);
  EXPECT_EQ(ResidentKb(map), 2 * page / 1024);
  EXPECT_EQ(std::vector<unsigned char>(map, map + size), bytes);
  munmap(const_cast<unsigned char*>(map), size);
}

}  // namespace
}  // namespace somnara::platform
