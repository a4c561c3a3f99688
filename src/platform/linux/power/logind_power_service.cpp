#include "platform/linux/power/logind_power_service.h"

#include <fcntl.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <utility>

#include "platform/linux/power/logind_bus.h"

namespace somnara::platform {
namespace {

using logind::CallFailure;
using logind::Connection;

const char* CanMethod(PowerAction action) {
  switch (action) {
    case PowerAction::kStandBy:
      return "CanSuspend";
    case PowerAction::kHibernate:
      return "CanHibernate";
    case PowerAction::kPowerOff:
      return "CanPowerOff";
  }
  return "CanPowerOff";
}

class LogindToken : public ProcessToken {
 public:
  LogindToken(std::unique_ptr<Connection> connection, LogindPowerService* service)
      : connection_(std::move(connection)), service_(service) {}

  PowerStepResult LookupPrivilegeValue(const std::string& privilege_name,
                                       PowerAction action) override {
    answer_.clear();
    sd_bus_error error = SD_BUS_ERROR_NULL;
    sd_bus_message* reply = nullptr;
    int r = sd_bus_call_method(connection_->get(), logind::kService, logind::kPath,
                               logind::kManager, CanMethod(action), &error, &reply, "");
    PowerStepResult result;
    const char* answer = nullptr;
    if (r >= 0) r = sd_bus_message_read(reply, "s", &answer);
    if (r < 0) {
      result = CallFailure(r, &error);
    } else {
      answer_ = answer ? answer : "";
      service_->NoteAnswer(action, CanMethod(action), answer_);
    }
    sd_bus_message_unref(reply);
    sd_bus_error_free(&error);
    return result;
  }

  PowerStepResult AdjustTokenPrivileges(bool enable) override {
    if (!enable) return {};
    // "challenge" would mean asking for a password, which nobody is awake to give.
    if (answer_ != "yes") {
      return {PowerService::kErrorNotAllAssigned,
              answer_.empty() ? "The privilege was not looked up."
                              : "The login manager answered \"" + logind::OneLine(answer_) + "\"."};
    }
    return {};
  }

 private:
  std::unique_ptr<Connection> connection_;
  LogindPowerService* service_;
  std::string answer_;
};

// What the login manager's answer to an inhibitor request brings, shared by the inhibitor
// handed out at once and the request that is answered later.
struct InhibitorHold {
  std::mutex mutex;
  int fd = -1;
  bool released = false;
};

class LogindIdleInhibitor : public IdleInhibitor {
 public:
  explicit LogindIdleInhibitor(std::shared_ptr<InhibitorHold> hold) : hold_(std::move(hold)) {}
  ~LogindIdleInhibitor() override {
    std::lock_guard lock(hold_->mutex);
    hold_->released = true;
    if (hold_->fd >= 0) close(hold_->fd);
    hold_->fd = -1;
  }

 private:
  std::shared_ptr<InhibitorHold> hold_;
};

// Inhibit("idle", who, why, "block"): the descriptor that holds the inhibitor, or -1 with
// `error` filled.
int TakeIdleInhibitor(const std::string& who, const std::string& why, std::string* error) {
  Connection connection;
  PowerStepResult failure;
  if (!connection.Open(&failure)) {
    *error = failure.text;
    return -1;
  }
  sd_bus_error bus_error = SD_BUS_ERROR_NULL;
  sd_bus_message* reply = nullptr;
  int r = sd_bus_call_method(connection.get(), logind::kService, logind::kPath, logind::kManager,
                             "Inhibit", &bus_error, &reply, "ssss", "idle", who.c_str(),
                             why.c_str(), "block");
  int fd = -1;
  if (r >= 0) r = sd_bus_message_read(reply, "h", &fd);
  // The reply owns its descriptor; keep a copy that outlives it.
  int held = r >= 0 ? fcntl(fd, F_DUPFD_CLOEXEC, 3) : -1;
  if (r < 0) *error = CallFailure(r, &bus_error).text;
  if (r >= 0 && held < 0) *error = logind::OneLine(std::strerror(errno));
  sd_bus_message_unref(reply);
  sd_bus_error_free(&bus_error);
  return held;
}

}  // namespace

uint32_t LogindPowerService::PlatformId() {
  return kPlatformNt;
}

std::unique_ptr<ProcessToken> LogindPowerService::OpenProcessToken(uint32_t desired_access,
                                                                   PowerStepResult* error) {
  auto connection = std::make_unique<Connection>();
  PowerStepResult failure;
  if (!connection->Open(&failure)) {
    if (error) *error = failure;
    return nullptr;
  }
  if (error) *error = {};
  return std::make_unique<LogindToken>(std::move(connection), this);
}

bool LogindPowerService::SetSystemPowerState(bool suspend, bool force) {
  // Only the forced power-off may override inhibitors: stand-by and hibernate always let
  // a program that blocks sleep (a running backup, say) keep the machine awake.
  (void)force;
  return Request(suspend ? PowerAction::kStandBy : PowerAction::kHibernate,
                 suspend ? "Suspend" : "Hibernate", false);
}

bool LogindPowerService::ExitWindowsEx(uint32_t flags, uint32_t reserved) {
  if ((flags & kEwxReboot) || !(flags & (kEwxShutdown | kEwxPowerOff))) {
    last_request_error_ = "Only power-off is offered.";
    return false;
  }
  return Request(PowerAction::kPowerOff, "PowerOff", (flags & kEwxForce) != 0);
}

void LogindPowerService::NoteAnswer(PowerAction action, const std::string& question,
                                    const std::string& answer) {
  if (answer == "yes") {
    answers_.erase(action);
  } else {
    answers_[action] =
        "the login manager answered \"" + logind::OneLine(answer) + "\" to " + question;
  }
}

bool LogindPowerService::Request(PowerAction action, const char* method, bool force) {
  std::string answer;
  if (auto it = answers_.find(action); it != answers_.end()) {
    answer = std::move(it->second);
    answers_.erase(it);
  }
  bool accepted = Send(method, force);
  // The night ends either way; a request the login manager turned down, or was likely to,
  // must at least leave a line behind for whoever wonders why the machine stayed on.
  std::string line;
  if (!accepted && !answer.empty()) {
    line = std::string(method) + " failed after " + answer + ": " + last_request_error_;
  } else if (!accepted) {
    line = std::string(method) + " failed: " + last_request_error_;
  } else if (!answer.empty()) {
    line = std::string(method) + " was requested although " + answer;
  }
  if (!line.empty()) std::fprintf(stderr, "somnara: %s\n", line.c_str());
  return accepted;
}

bool LogindPowerService::Send(const char* method, bool force) {
  last_request_error_.clear();
  Connection connection;
  PowerStepResult failure;
  if (!connection.Open(&failure)) {
    last_request_error_ = failure.text;
    return false;
  }

  sd_bus_error error = SD_BUS_ERROR_NULL;
  int r = 0;
  bool plain = force;
  if (!force) {
    std::string with_flags = std::string(method) + "WithFlags";
    r = sd_bus_call_method(connection.get(), logind::kService, logind::kPath, logind::kManager,
                           with_flags.c_str(), &error, nullptr, "t", kRootCheckInhibitors);
    // Older login managers lack the flags variant; the plain call is the best they offer.
    if (r < 0 && sd_bus_error_has_name(&error, SD_BUS_ERROR_UNKNOWN_METHOD)) {
      sd_bus_error_free(&error);
      plain = true;
    }
  }
  if (plain) {
    // Nobody is awake to type a password: never interactive.
    r = sd_bus_call_method(connection.get(), logind::kService, logind::kPath, logind::kManager,
                           method, &error, nullptr, "b", 0);
  }
  if (r < 0) last_request_error_ = CallFailure(r, &error).text;
  sd_bus_error_free(&error);
  return r >= 0;
}

std::unique_ptr<IdleInhibitor> LogindPowerService::InhibitIdle(const std::string& who,
                                                               const std::string& why) {
  auto hold = std::make_shared<InhibitorHold>();
  requests_.Post([hold, who, why] {
    std::string error;
    int fd = TakeIdleInhibitor(who, why, &error);
    if (fd < 0) {
      std::fprintf(stderr, "somnara: the idle inhibitor was not granted: %s\n", error.c_str());
      return;
    }
    std::lock_guard lock(hold->mutex);
    if (hold->released) {
      close(fd);  // nobody wants it any more
    } else {
      hold->fd = fd;
    }
  });
  return std::make_unique<LogindIdleInhibitor>(std::move(hold));
}

void LogindPowerService::Carry(std::function<void()> steps) {
  requests_.Post(std::move(steps));
}

}  // namespace somnara::platform
