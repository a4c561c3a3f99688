#include "app/link_opener.h"

#include "platform/platform.h"
#include "platform/shell_service.h"

namespace somnara::app {

void OpenLink(const std::string& target) {
  platform::ShellService* shell = platform::Current().shell;
  if (shell == nullptr) return;  // a desktop without openers: nothing to ask
  // An opener may take its time to answer; the shell decides where that wait happens.
  shell->Carry([shell, target] {
    if (shell->Open(target)) return;
    shell->OpenUrlHandler(target);
  });
}

void OpenMailTo(const std::string& address) {
  platform::ShellService* shell = platform::Current().shell;
  if (shell == nullptr) return;
  shell->Carry([shell, target = "mailto:" + address] { shell->Open(target); });
}

}  // namespace somnara::app
