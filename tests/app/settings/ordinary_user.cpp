#include "app/settings/ordinary_user.h"

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace somnara::testing {

bool OrdinaryUser::Find(std::string* reason) {
  if (geteuid() != 0) {
    uid_ = geteuid();
    gid_ = getegid();
    return true;
  }
  const passwd* nobody = getpwnam("nobody");
  if (nobody == nullptr) {
    *reason = "running as root and there is no user \"nobody\" to drop to";
    return false;
  }
  switch_ = true;
  uid_ = nobody->pw_uid;
  gid_ = nobody->pw_gid;
  return true;
}

bool OrdinaryUser::Own(const std::string& path) const {
  return !switch_ || chown(path.c_str(), uid_, gid_) == 0;
}

std::string OrdinaryUser::Run(const std::function<std::string()>& work) const {
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return std::string("pipe: ") + std::strerror(errno);
  const pid_t pid = fork();
  if (pid < 0) return std::string("fork: ") + std::strerror(errno);
  if (pid == 0) {
    close(pipe_fds[0]);
    std::string answer;
    if (switch_ && (setgroups(0, nullptr) != 0 || setgid(gid_) != 0 || setuid(uid_) != 0)) {
      answer = std::string("cannot become the user: ") + std::strerror(errno);
    } else {
      answer = work();
    }
    for (std::size_t done = 0; done < answer.size();) {
      const ssize_t n = write(pipe_fds[1], answer.data() + done, answer.size() - done);
      if (n <= 0) break;
      done += std::size_t(n);
    }
    // No destructors, no test teardown: those belong to the parent.
    _exit(0);
  }
  close(pipe_fds[1]);
  std::string answer;
  char buffer[4096];
  for (ssize_t n; (n = read(pipe_fds[0], buffer, sizeof buffer)) != 0;) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    answer.append(buffer, std::size_t(n));
  }
  close(pipe_fds[0]);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    answer += "\n(the child ended abnormally, wait status " + std::to_string(status) + ")";
  return answer;
}

}  // namespace somnara::testing
