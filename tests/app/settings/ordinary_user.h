#pragma once

#include <sys/types.h>

#include <functional>
#include <string>

namespace somnara::testing {

// Root passes every permission check, so a read-only folder is only read-only to someone
// else: a test run by root works as "nobody" in a child process; any other user works as
// itself there.
class OrdinaryUser {
 public:
  // False, with the reason, when root finds no "nobody" to become.
  bool Find(std::string* reason);
  // Hands a file or folder to the user, so it is the user's to write.
  bool Own(const std::string& path) const;
  // Runs `work` as the user in a child process and gives back what it returned, or a note
  // of how the child failed. The child's environment changes stay in the child.
  std::string Run(const std::function<std::string()>& work) const;

 private:
  bool switch_ = false;
  uid_t uid_ = 0;
  gid_t gid_ = 0;
};

}  // namespace somnara::testing
