#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/media_device_table.h"

namespace somnara::platform {

// A media service without sound for tests: its tracks are lengths registered by element,
// their positions follow the given clock, and every command is written to a log.
class HeadlessMediaService : public MediaDeviceTable {
 public:
  struct LogEntry {
    int64_t time_ms = 0;
    std::string command;
    int code = 0;
  };

  explicit HeadlessMediaService(const Clock& clock);
  ~HeadlessMediaService() override;

  // Makes element (matched without regard to case, as the open command names it) a
  // playable track of the given length.
  void AddTrack(const std::string& element, int64_t length_ms);
  // The file is gone: opening it fails as for a missing file. An open device plays on.
  void RemoveTrack(const std::string& element);
  // The file is there but holds no sound: opening it fails as the real service fails on
  // a file it cannot decode. An open device plays on.
  void MakeUnplayable(const std::string& element);

  MediaResult SendCommand(const std::string& command) override;

  const std::vector<LogEntry>& Log() const { return log_; }
  void ClearLog() { log_.clear(); }

 protected:
  MediaError OpenDevice(const std::string& element, std::unique_ptr<MediaDevice>* device) override;

 private:
  const Clock& clock_;
  std::map<std::string, int64_t> tracks_;
  std::set<std::string> unplayable_;
  std::vector<LogEntry> log_;
};

}  // namespace somnara::platform
