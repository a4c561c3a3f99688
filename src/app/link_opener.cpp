#include "app/link_opener.h"

#include "platform/platform.h"
#include "platform/shell_service.h"

namespace somnara::app {

void OpenLink(const std::string& target) {
  platform::ShellService* shell = platform::Current().shell;
  if (shell == nullptr) return;  // a desktop without openers: nothing to ask
  if (shell->Open(target)) return;
  shell->OpenUrlHandler(target);
}

void OpenMailTo(const std::string& address) {
  platform::ShellService* shell = platform::Current().shell;
  if (shell == nullptr) return;
  shell->Open("mailto:" + address);
}

}  // namespace somnara::app
