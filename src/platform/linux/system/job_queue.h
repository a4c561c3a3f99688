#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace somnara::platform {

// Runs jobs that may wait on another process (a login manager, a desktop opener) on a
// thread of its own, one after another in the order they were posted, so that whoever
// posts them never waits. The thread starts with the first job. Destroying the queue runs
// the jobs already posted, then ends the thread: a power request asked for just before
// the program ends still goes out.
class JobQueue {
 public:
  JobQueue() = default;
  ~JobQueue();
  JobQueue(const JobQueue&) = delete;
  JobQueue& operator=(const JobQueue&) = delete;

  void Post(std::function<void()> job);
  // Waits until every job posted so far has run.
  void WaitUntilIdle();

 private:
  void Run();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::function<void()>> jobs_;
  bool busy_ = false;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace somnara::platform
