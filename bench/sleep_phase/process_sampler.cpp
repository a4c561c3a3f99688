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

// The text after "Name:" in a status file, blanks trimmed; empty when missing.
std::string StatusText(const std::string& path, const char* field) {
  std::ifstream in(path);
  std::string line;
  const size_t length = std::strlen(field);
  while (std::getline(in, line)) {
    if (line.compare(0, length, field) != 0) continue;
    const size_t first = line.find_first_not_of(" \t", length);
    return first == std::string::npos ? std::string() : line.substr(first);
  }
  return {};
}

// A "Name:   value" line of a status file, as a number; -1 when missing.
int64_t StatusField(const std::string& path, const char* field) {
  const std::string text = StatusText(path, field);
  return text.empty() ? -1 : std::atoll(text.c_str());
}

bool EndsWith(const std::string& text, const char* tail) {
  const size_t n = std::strlen(tail);
  return text.size() >= n && text.compare(text.size() - n, n, tail) == 0;
}

bool IsLibrary(const std::string& path) {
  return EndsWith(path, ".so") || path.find(".so.") != std::string::npos;
}

double* Category(MemoryBreakdown* m, const std::string& path) {
  if (path.empty() || path[0] == '[') return &m->anonymous;
  if (path.find("memfd:") != std::string::npos || path.rfind("/dev/shm/", 0) == 0)
    return &m->shared_memory;
  if (path.find("/gstreamer-1.0/") != std::string::npos) return &m->gst_plugins;
  if (!IsLibrary(path)) return &m->other_files;
  const std::string base = path.substr(path.rfind('/') + 1);
  for (const char* prefix : {"libgst", "libglib", "libgobject", "libgmodule", "libgio", "liborc"})
    if (base.rfind(prefix, 0) == 0) return &m->gst_libraries;
  for (const char* prefix : {"libpulse", "libsndfile", "libfluidsynth", "libvorbis", "libogg",
                             "libmpg123", "libFLAC", "libopus", "libasound", "libmp3lame",
                             "libinstpatch", "libsamplerate", "libjack", "libpipewire"})
    if (base.rfind(prefix, 0) == 0) return &m->sound_libraries;
  return &m->other_libraries;
}

}  // namespace

MemoryBreakdown ReadMemoryBreakdown(pid_t pid) {
  MemoryBreakdown m;
  std::ifstream in("/proc/" + std::to_string(pid) + "/smaps");
  std::string line;
  std::string path;
  std::map<std::string, double> by_path;
  while (std::getline(in, line)) {
    // A mapping's header: "start-end perms offset dev inode [path]".
    if (!line.empty() && std::isxdigit(static_cast<unsigned char>(line[0])) &&
        line.find('-') < line.find(' ')) {
      std::istringstream fields(line);
      std::string skip;
      for (int i = 0; i < 5; ++i) fields >> skip;
      std::getline(fields, path);
      path.erase(0, path.find_first_not_of(' '));
      continue;
    }
    if (line.rfind("Rss:", 0) != 0) continue;
    const double mib = double(std::atoll(line.c_str() + 4)) / 1024.0;
    *Category(&m, path) += mib;
    m.total += mib;
    by_path[path.empty() ? "[anon]" : path] += mib;
  }
  constexpr size_t kLargest = 16;
  m.largest.assign(by_path.begin(), by_path.end());
  std::sort(m.largest.begin(), m.largest.end(),
            [](const auto& a, const auto& b) { return a.second > b.second; });
  if (m.largest.size() > kLargest) m.largest.resize(kLargest);
  return m;
}

bool ProcessSampler::ReadSwitches(std::map<int, Thread>* out) const {
  const std::string tasks = "/proc/" + std::to_string(pid_) + "/task";
  DIR* dir = opendir(tasks.c_str());
  if (!dir) return false;
  while (dirent* entry = readdir(dir)) {
    if (entry->d_name[0] < '0' || entry->d_name[0] > '9') continue;
    const std::string status = tasks + "/" + entry->d_name + "/status";
    const int64_t voluntary = StatusField(status, "voluntary_ctxt_switches:");
    const int64_t involuntary = StatusField(status, "nonvoluntary_ctxt_switches:");
    if (voluntary >= 0 && involuntary >= 0)
      (*out)[std::atoi(entry->d_name)] =
          Thread{StatusText(status, "Name:"), voluntary + involuntary};
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
  std::map<int, Thread> now;
  if (!ReadSwitches(&now)) return false;
  for (const auto& [tid, thread] : now) last_[tid] = thread;
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
  std::map<std::string, ThreadWakeups> by_name;
  for (const auto& [tid, thread] : last_) {
    auto it = first_.find(tid);
    const int64_t own = thread.switches - (it == first_.end() ? 0 : it->second.switches);
    switches += own;
    ThreadWakeups& named = by_name[thread.name];
    named.name = thread.name;
    ++named.threads;
    named.per_second += double(own) / f.seconds;
  }
  f.wakeups_per_second = double(switches) / f.seconds;
  for (auto& [name, named] : by_name) f.per_thread.push_back(named);
  std::sort(
      f.per_thread.begin(), f.per_thread.end(),
      [](const ThreadWakeups& a, const ThreadWakeups& b) { return a.per_second > b.per_second; });
  f.rss_mean_mib = rss_samples_ ? rss_sum_ / rss_samples_ : 0;
  f.rss_peak_mib = rss_peak_;
  std::map<int, Thread> threads;
  ReadSwitches(&threads);
  f.threads = int(threads.size());
  f.memory = ReadMemoryBreakdown(pid_);
  return f;
}

}  // namespace somnara::bench
