#include "platform/linux/x11/x11_error_trap.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <mutex>

namespace somnara::platform::x11 {
namespace {

struct ErrorLog {
  uint64_t total = 0;
  uint64_t unexpected = 0;
  int last_code = 0;
  int traps = 0;    // ErrorTraps open on the connection: their errors are expected
  int printed = 0;  // unexpected errors are shown, but only the first few
};

constexpr int kMaxPrinted = 10;

std::mutex g_mutex;
std::map<Display*, ErrorLog>& Logs() {
  static auto* logs = new std::map<Display*, ErrorLog>;  // never destroyed: handlers may run late
  return *logs;
}

int OnProtocolError(Display* display, XErrorEvent* event) {
  std::lock_guard lock(g_mutex);
  ErrorLog& log = Logs()[display];
  ++log.total;
  log.last_code = event->error_code;
  if (log.traps > 0) return 0;
  ++log.unexpected;
  if (log.printed < kMaxPrinted) {
    ++log.printed;
    char text[160] = "";
    XGetErrorText(display, event->error_code, text, sizeof text);
    std::fprintf(stderr, "somnara: X request %d.%d failed: %s\n", event->request_code,
                 event->minor_code, text);
  }
  return 0;
}

int OnConnectionLost(Display* display) {
  const char* name = display ? DisplayString(display) : "";
  std::fprintf(stderr, "somnara: lost the connection to the X display \"%s\"\n", name ? name : "");
  std::fflush(stderr);
  // Nothing can be cleaned up over a dead connection, and Xlib must not regain control.
  _exit(1);
}

}  // namespace

void InstallErrorHandlers() {
  static std::once_flag once;
  std::call_once(once, [] {
    XSetErrorHandler(OnProtocolError);
    XSetIOErrorHandler(OnConnectionLost);
  });
}

uint64_t ProtocolErrorCount(Display* display) {
  std::lock_guard lock(g_mutex);
  auto it = Logs().find(display);
  return it == Logs().end() ? 0 : it->second.unexpected;
}

int LastProtocolError(Display* display) {
  std::lock_guard lock(g_mutex);
  auto it = Logs().find(display);
  return it == Logs().end() ? 0 : it->second.last_code;
}

void ForgetDisplay(Display* display) {
  std::lock_guard lock(g_mutex);
  Logs().erase(display);
}

ErrorTrap::ErrorTrap(Display* display) : display_(display), start_(0) {
  XSync(display_, False);  // errors of earlier requests belong to them, not to us
  std::lock_guard lock(g_mutex);
  ErrorLog& log = Logs()[display_];
  start_ = log.total;
  ++log.traps;
}

ErrorTrap::~ErrorTrap() {
  XSync(display_, False);
  std::lock_guard lock(g_mutex);
  --Logs()[display_].traps;
}

bool ErrorTrap::Failed() {
  XSync(display_, False);
  std::lock_guard lock(g_mutex);
  return Logs()[display_].total != start_;
}

}  // namespace somnara::platform::x11
