#pragma once

#include <string>

#include "platform/clipboard.h"

namespace somnara::platform {

// A clipboard in memory: keeps the text last set, or refuses every setting when told to
// (then it keeps what it held before, as a desktop that never took the new text would).
class HeadlessClipboard : public Clipboard {
 public:
  bool SetText(const std::string& text) override;

  void SetRefuses(bool refuses) { refuses_ = refuses; }
  const std::string& Text() const { return text_; }
  // How many settings were asked for, refused ones included.
  int Requests() const { return requests_; }

 private:
  std::string text_;
  bool refuses_ = false;
  int requests_ = 0;
};

}  // namespace somnara::platform
