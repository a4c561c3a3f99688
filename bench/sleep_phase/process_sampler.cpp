#include "process_sampler.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "support/child_process.h"
#include "support/process_stats.h"

namespace somnara::bench {
namespace {

// A "Name:   value" line of a status file, as a number; -1 when missing.
int64_t StatusField(const std::string& path, const char* field) {
  std::ifstream in(path);
  std::string line;
  const size_t length = std::strlen(field);
  while (std::getline(in, line))
    if (line.compare(0, length, field) == 0) return std::atoll(line.c_str() + length);
  return -1;
}

}  // namespace

bool ProcessSampler::ReadSwitches(std::map<int, int64_t>* out) const {
  const std::string tasks = "/proc/" + std::to_string(pid_) + "/task";
  DIR* dir = opendir(tasks.c_str());
  if (!dir) return false;
  while (dirent* entry = readdir(dir)) {
    if (entry->d_name[0] < '0' || entry->d_name[0] > '9') continue;
    const std::string status = tasks + "/" + entry->d_name + "/status";
    const int64_t voluntary = StatusField(status, "voluntary_ctxt_switches:");
    const int64_t involuntary = StatusField(status, "nonvoluntary_ctxt_switches:");
    if (voluntary >= 0 && involuntary >= 0)
      (*out)[std::atoi(entry->d_name)] = voluntary + involuntary;
  }
  closedir(dir);
  return true;
}

bool ProcessSampler::Begin() {
  start_ms_ = testing::MonotonicMs();
  start_cpu_ = testing::ProcessCpuSeconds(pid_);
  first_.clear();
  last_.clear();
  rss_sum_ = rss_peak_ = 0;
  rss_samples_ = 0;
  return start_cpu_ >= 0 && ReadSwitches(&first_) && Sample();
}

bool ProcessSampler::Sample() {
  std::map<int, int64_t> now;
  if (!ReadSwitches(&now)) return false;
  for (const auto& [tid, count] : now) last_[tid] = count;
  const int64_t rss_kib = StatusField("/proc/" + std::to_string(pid_) + "/status", "VmRSS:");
  if (rss_kib < 0) return false;
  const double mib = double(rss_kib) / 1024.0;
  rss_sum_ += mib;
  rss_peak_ = std::max(rss_peak_, mib);
  ++rss_samples_;
  return true;
}

ProcessFigures ProcessSampler::End() {
  Sample();
  ProcessFigures f;
  f.seconds = double(testing::MonotonicMs() - start_ms_) / 1000.0;
  if (f.seconds <= 0) return f;
  f.cpu_share = (testing::ProcessCpuSeconds(pid_) - start_cpu_) / f.seconds;
  int64_t switches = 0;
  for (const auto& [tid, count] : last_) {
    auto it = first_.find(tid);
    switches += count - (it == first_.end() ? 0 : it->second);
  }
  f.wakeups_per_second = double(switches) / f.seconds;
  f.rss_mean_mib = rss_samples_ ? rss_sum_ / rss_samples_ : 0;
  f.rss_peak_mib = rss_peak_;
  std::map<int, int64_t> threads;
  ReadSwitches(&threads);
  f.threads = int(threads.size());
  return f;
}

}  // namespace somnara::bench
