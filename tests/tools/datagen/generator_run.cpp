#include "tools/datagen/generator_run.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

extern char** environ;

namespace somnara::testing {

namespace fs = std::filesystem;

namespace {
// Speaking and synthesising take a few seconds; a sanitised build is slower still.
constexpr int kTimeoutSeconds = 240;
}  // namespace

GeneratorRun RunGenerator(const std::vector<std::string>& args, const std::string* path_env) {
  std::vector<std::string> argv = {SOMNARA_DATAGEN_PATH};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> c_argv;
  for (std::string& a : argv) c_argv.push_back(a.data());
  c_argv.push_back(nullptr);

  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    if (path_env && std::strncmp(*e, "PATH=", 5) == 0) continue;
    env.emplace_back(*e);
  }
  if (path_env) env.push_back("PATH=" + *path_env);
  std::vector<char*> c_env;
  for (std::string& e : env) c_env.push_back(e.data());
  c_env.push_back(nullptr);

  int pipe_fds[2];
  if (pipe2(pipe_fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    dup2(pipe_fds[1], 2);
    int null_fd = open("/dev/null", O_WRONLY);
    if (null_fd >= 0) dup2(null_fd, 1);
    execve(c_argv[0], c_argv.data(), c_env.data());
    _exit(127);
  }
  close(pipe_fds[1]);

  GeneratorRun run;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kTimeoutSeconds);
  char buffer[4096];
  while (true) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                    deadline - std::chrono::steady_clock::now())
                    .count();
    if (left <= 0) {
      kill(pid, SIGKILL);
      run.errors += "\n(the generator did not finish in time and was killed)";
      break;
    }
    pollfd p{pipe_fds[0], POLLIN, 0};
    int ready = poll(&p, 1, int(left));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) continue;
    ssize_t n = read(pipe_fds[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    run.errors.append(buffer, size_t(n));
  }
  close(pipe_fds[0]);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

ScratchFolder::ScratchFolder() {
  fs::path base = fs::temp_directory_path();
  if (base.string().find(' ') != std::string::npos) base = "/tmp";
  std::string pattern = (base / "somnara-datagen-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::vector<uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
}

}  // namespace somnara::testing
