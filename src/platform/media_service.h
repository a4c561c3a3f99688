#pragma once

#include <string>

namespace somnara::platform {

// What the media service answers to one command.
struct MediaResult {
  // 0 on success; otherwise a code that ErrorText turns into a readable text.
  int code = 0;
  // The answer of a query ("status ..."), empty for every other command.
  std::string reply;
};

// Plays sounds on request of text commands, one device per alias:
//   open ELEMENT [type DEVTYPE] [alias ALIAS]
//   play ALIAS | stop ALIAS | close ALIAS | close all
//   setaudio ALIAS volume to N          (N from 0, silent, to 1000, full)
//   set ALIAS time format milliseconds
//   status ALIAS length | position | volume | mode
// Keywords are read without regard to case. A command on an alias that is not open fails,
// and so does opening an alias that is open already. Called from the UI thread only; no
// call blocks longer than a bounded open.
class MediaService {
 public:
  virtual ~MediaService() = default;

  virtual MediaResult SendCommand(const std::string& command) = 0;
  // A readable description of an error code; also for codes this service never returns.
  virtual std::string ErrorText(int code) const = 0;
};

}  // namespace somnara::platform
