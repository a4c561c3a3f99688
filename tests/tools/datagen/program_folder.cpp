#include "tools/datagen/program_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

namespace somnara::testing {

namespace fs = std::filesystem;

fs::path* ProgramFolderTest::folder_ = nullptr;
GeneratorRun* ProgramFolderTest::run_ = nullptr;

namespace {

// Names the generator build, so a rebuilt generator writes a fresh folder.
std::string GeneratorKey() {
  fs::path generator = SOMNARA_DATAGEN_PATH;
  auto stamp = uint64_t(fs::last_write_time(generator).time_since_epoch().count());
  char key[64];
  std::snprintf(key, sizeof key, "%ju-%016jx", uintmax_t(fs::file_size(generator)),
                uintmax_t(stamp));
  return key;
}

class FileLock {
 public:
  explicit FileLock(const fs::path& path) : fd_(open(path.c_str(), O_RDWR | O_CREAT, 0644)) {
    if (fd_ >= 0) flock(fd_, LOCK_EX);
  }
  ~FileLock() {
    if (fd_ >= 0) close(fd_);  // closing releases the lock
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  int fd_;
};

}  // namespace

void ProgramFolderTest::SetUpTestSuite() {
  if (folder_) return;
  // Writing every file takes seconds, more under the sanitizers, and CTest runs each case in
  // a process of its own. So the processes share one folder per generator build: the first
  // one writes it under a lock, the others read it.
  const fs::path root = SOMNARA_DATAGEN_CACHE;
  fs::create_directories(root);
  FileLock lock(root / ".lock");
  const std::string name = "program-" + GeneratorKey();
  folder_ = new fs::path(root / name);
  run_ = new GeneratorRun{0, ""};
  const fs::path done = root / (name + ".done");
  if (fs::exists(done)) return;
  for (const auto& entry : fs::directory_iterator(root))
    if (entry.path().filename() != ".lock") fs::remove_all(entry.path());
  *run_ = RunGenerator({folder_->string(), "--quiet"});
  if (run_->exit_code == 0) std::ofstream(done) << "written\n";
}

void ProgramFolderTest::SetUp() {
  ASSERT_EQ(run_->exit_code, 0) << "the generator failed: " << run_->errors;
}

const fs::path& ProgramFolderTest::Folder() {
  return *folder_;
}

}  // namespace somnara::testing
