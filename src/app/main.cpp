#include <cstdio>
#include <string>

#include "app/program_entry.h"
#include "framework/application.h"
#include "platform/linux/linux_services.h"

int main() {
  std::string error;
  auto services = somnara::platform::LinuxServices::Open(&error);
  if (!services) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  somnara::platform::Install(services->Get());
  int code = somnara::app::RunProgram();
  // Windows go before the desktop connection they live on.
  somnara::fw::ResetApplication();
  somnara::platform::Install({});
  return code;
}
