#pragma once

#include <sys/types.h>

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace somnara::bench {

// The wake-ups of the threads that share one name, over the measured stretch.
struct ThreadWakeups {
  std::string name;
  int threads = 0;
  double per_second = 0;
};

// Where a process's resident memory lies, from /proc/<pid>/smaps, in MiB.
struct MemoryBreakdown {
  double total = 0;
  double anonymous = 0;        // heap, anonymous mappings and stacks
  double gst_plugins = 0;      // the loaded GStreamer plugins (code and data)
  double gst_libraries = 0;    // libgst* and the libraries they bring (glib, orc)
  double sound_libraries = 0;  // pulse client, decoders, synthesiser
  double other_libraries = 0;
  double shared_memory = 0;  // memfd and /dev/shm pools (the sound server's)
  double other_files = 0;    // fonts, locale, caches and the like
  // The largest mappings by resident size, all mappings of one file (or of one kind of
  // anonymous memory: "[heap]", "[anon]", "[stack]") together, largest first.
  std::vector<std::pair<std::string, double>> largest;
};

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
  // Busiest first.
  std::vector<ThreadWakeups> per_thread;
  MemoryBreakdown memory;  // at the end
};

MemoryBreakdown ReadMemoryBreakdown(pid_t pid);

class ProcessSampler {
 public:
  explicit ProcessSampler(pid_t pid) : pid_(pid) {}

  // False when the process is gone.
  bool Begin();
  bool Sample();
  ProcessFigures End();

 private:
  struct Thread {
    std::string name;
    int64_t switches = 0;
  };
  bool ReadSwitches(std::map<int, Thread>* out) const;

  pid_t pid_;
  int64_t start_ms_ = 0;
  double start_cpu_ = 0;
  std::map<int, Thread> first_;
  std::map<int, Thread> last_;
  double rss_sum_ = 0;
  double rss_peak_ = 0;
  int rss_samples_ = 0;
};

}  // namespace somnara::bench
