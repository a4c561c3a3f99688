#pragma once

#include <sys/types.h>

#include <cstdint>
#include <map>
#include <string>

namespace somnara::bench {

// What a process spent over a stretch of time, from /proc: its CPU time (exited threads
// included), the context switches of all its threads, voluntary and not (a thread that
// ends during the stretch takes its own away, one born in it counts from nothing), and
// its resident memory sampled now and then.
struct ProcessFigures {
  double seconds = 0;
  double cpu_share = 0;  // CPU time / wall time (1.0 is one core)
  double wakeups_per_second = 0;
  double rss_mean_mib = 0;
  double rss_peak_mib = 0;
  int threads = 0;  // at the end
};

class ProcessSampler {
 public:
  explicit ProcessSampler(pid_t pid) : pid_(pid) {}

  // False when the process is gone.
  bool Begin();
  bool Sample();
  ProcessFigures End();

 private:
  bool ReadSwitches(std::map<int, int64_t>* out) const;

  pid_t pid_;
  int64_t start_ms_ = 0;
  double start_cpu_ = 0;
  std::map<int, int64_t> first_;
  std::map<int, int64_t> last_;
  double rss_sum_ = 0;
  double rss_peak_ = 0;
  int rss_samples_ = 0;
};

}  // namespace somnara::bench
