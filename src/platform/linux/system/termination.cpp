#include "platform/linux/system/termination.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <iterator>

namespace somnara::platform {
namespace {

constexpr int kEndingSignals[] = {SIGTERM, SIGINT, SIGHUP};

std::atomic<int> g_write_fd{-1};
std::atomic<int> g_received{0};

// Only async-signal-safe work: remember the first signal and wake whoever reads the pipe.
void OnEndingSignal(int signal_number) {
  const int saved_errno = errno;
  int none = 0;
  g_received.compare_exchange_strong(none, signal_number);
  const int fd = g_write_fd.load();
  const char byte = 1;
  if (fd >= 0) [[maybe_unused]]
    ssize_t n = write(fd, &byte, 1);
  errno = saved_errno;
}

}  // namespace

bool EndingSignals::Install() {
  int fds[2] = {-1, -1};
  if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  int expected = -1;
  if (!g_write_fd.compare_exchange_strong(expected, fds[1])) {
    close(fds[0]);
    close(fds[1]);
    return false;
  }
  read_fd_ = fds[0];
  write_fd_ = fds[1];
  for (size_t i = 0; i < std::size(kEndingSignals); ++i) {
    struct sigaction current {};
    if (sigaction(kEndingSignals[i], nullptr, &current) != 0 || current.sa_handler != SIG_DFL ||
        (current.sa_flags & SA_SIGINFO) != 0) {
      continue;
    }
    struct sigaction ours {};
    ours.sa_handler = OnEndingSignal;
    sigemptyset(&ours.sa_mask);
    // A blocking call of the interface thread goes on; the pipe wakes its wait.
    ours.sa_flags = SA_RESTART;
    installed_[i] = sigaction(kEndingSignals[i], &ours, nullptr) == 0;
  }
  return true;
}

EndingSignals::~EndingSignals() {
  if (write_fd_ < 0) return;
  for (size_t i = 0; i < std::size(kEndingSignals); ++i) {
    if (!installed_[i]) continue;
    struct sigaction current {};
    sigaction(kEndingSignals[i], nullptr, &current);
    if (current.sa_handler == OnEndingSignal) signal(kEndingSignals[i], SIG_DFL);
  }
  g_write_fd = -1;
  close(read_fd_);
  close(write_fd_);
}

void EndingSignals::Drain() const {
  char drained[16];
  while (read_fd_ >= 0 && read(read_fd_, drained, sizeof drained) > 0) {
  }
}

int EndingSignals::Received() const {
  return g_received.load();
}

}  // namespace somnara::platform
