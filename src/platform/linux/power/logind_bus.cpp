#include "platform/linux/power/logind_bus.h"

#include <cerrno>
#include <cstring>

namespace somnara::platform::logind {

Connection::~Connection() {
  if (bus_) sd_bus_flush_close_unref(bus_);
}

bool Connection::Open(PowerStepResult* error) {
  if (bus_) return true;
  int r = sd_bus_open_system(&bus_);
  if (r < 0) {
    bus_ = nullptr;
    if (error) *error = CallFailure(r, nullptr);
    return false;
  }
  sd_bus_set_method_call_timeout(bus_, kCallTimeoutUsec);
  return true;
}

PowerStepResult CallFailure(int r, const sd_bus_error* error) {
  PowerStepResult result;
  result.code = r < 0 ? -r : (r > 0 ? r : EIO);
  if (error && error->message && *error->message) {
    result.text = OneLine(error->message);
  } else {
    result.text = OneLine(std::strerror(result.code));
  }
  return result;
}

std::string OneLine(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  std::size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

}  // namespace somnara::platform::logind
