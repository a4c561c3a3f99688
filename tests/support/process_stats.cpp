#include "support/process_stats.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace somnara::testing {

double ProcessCpuSeconds(int pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(in, line)) return -1;
  // The command name may hold spaces and parentheses: the fields start after the last ')'.
  const size_t close = line.rfind(')');
  if (close == std::string::npos || close + 2 > line.size()) return -1;
  std::istringstream fields(line.substr(close + 2));
  std::string skip;
  for (int i = 0; i < 11; ++i) fields >> skip;  // state .. cmajflt
  long long utime = 0, stime = 0;
  if (!(fields >> utime >> stime)) return -1;
  return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

}  // namespace somnara::testing
