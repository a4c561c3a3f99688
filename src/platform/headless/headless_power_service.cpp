#include "platform/headless/headless_power_service.h"

#include <utility>

namespace somnara::platform {

struct HeadlessPowerService::State {
  std::vector<std::string> events;
  int open_tokens = 0;
  int idle_held = 0;
  PowerStepResult lookup_error;
  bool granted = true;
};

namespace {

const char* ActionName(PowerAction action) {
  switch (action) {
    case PowerAction::kStandBy:
      return "stand-by";
    case PowerAction::kHibernate:
      return "hibernate";
    case PowerAction::kPowerOff:
      return "power-off";
  }
  return "?";
}

class FakeToken : public ProcessToken {
 public:
  explicit FakeToken(std::shared_ptr<HeadlessPowerService::State> state)
      : state_(std::move(state)) {
    ++state_->open_tokens;
  }
  ~FakeToken() override {
    --state_->open_tokens;
    state_->events.push_back("CloseToken");
  }

  PowerStepResult LookupPrivilegeValue(const std::string& privilege_name,
                                       PowerAction action) override {
    state_->events.push_back("LookupPrivilegeValue " + privilege_name + " " + ActionName(action));
    looked_up_ = state_->lookup_error.ok();
    return state_->lookup_error;
  }

  PowerStepResult AdjustTokenPrivileges(bool enable) override {
    state_->events.push_back(std::string("AdjustTokenPrivileges ") +
                             (enable ? "enable" : "disable"));
    if (!enable) return {};
    // Like the real thing, adjusting without a successful look-up grants nothing.
    if (!looked_up_ || !state_->granted) {
      return {PowerService::kErrorNotAllAssigned, "Not all privileges are granted."};
    }
    return {};
  }

 private:
  std::shared_ptr<HeadlessPowerService::State> state_;
  bool looked_up_ = false;
};

class FakeInhibitor : public IdleInhibitor {
 public:
  explicit FakeInhibitor(std::shared_ptr<HeadlessPowerService::State> state)
      : state_(std::move(state)) {
    ++state_->idle_held;
  }
  ~FakeInhibitor() override {
    --state_->idle_held;
    state_->events.push_back("ReleaseIdle");
  }

 private:
  std::shared_ptr<HeadlessPowerService::State> state_;
};

}  // namespace

HeadlessPowerService::HeadlessPowerService() : state_(std::make_shared<State>()) {}
HeadlessPowerService::~HeadlessPowerService() = default;

void HeadlessPowerService::FailOpenProcessToken(int code, std::string text) {
  open_error_ = {code, std::move(text)};
}

void HeadlessPowerService::FailLookupPrivilegeValue(int code, std::string text) {
  state_->lookup_error = {code, std::move(text)};
}

void HeadlessPowerService::SetPrivilegeGranted(bool granted) {
  state_->granted = granted;
}

const std::vector<std::string>& HeadlessPowerService::events() const {
  return state_->events;
}
int HeadlessPowerService::open_tokens() const {
  return state_->open_tokens;
}
int HeadlessPowerService::idle_inhibitors_held() const {
  return state_->idle_held;
}

void HeadlessPowerService::ClearRecords() {
  state_->events.clear();
  requests_.clear();
}

uint32_t HeadlessPowerService::PlatformId() {
  return platform_id_;
}

std::unique_ptr<ProcessToken> HeadlessPowerService::OpenProcessToken(uint32_t desired_access,
                                                                     PowerStepResult* error) {
  state_->events.push_back("OpenProcessToken " + std::to_string(desired_access));
  if (!open_error_.ok()) {
    if (error) *error = open_error_;
    return nullptr;
  }
  if (error) *error = {};
  return std::make_unique<FakeToken>(state_);
}

bool HeadlessPowerService::SetSystemPowerState(bool suspend, bool force) {
  state_->events.push_back(std::string("SetSystemPowerState ") +
                           (suspend ? "suspend" : "hibernate") + (force ? " force" : ""));
  RecordedPowerRequest request;
  request.kind = RecordedPowerRequest::Kind::kSetSystemPowerState;
  request.suspend = suspend;
  request.force = force;
  requests_.push_back(request);
  return request_result_;
}

bool HeadlessPowerService::ExitWindowsEx(uint32_t flags, uint32_t reserved) {
  state_->events.push_back("ExitWindowsEx " + std::to_string(flags) + " " +
                           std::to_string(reserved));
  RecordedPowerRequest request;
  request.kind = RecordedPowerRequest::Kind::kExitWindowsEx;
  request.flags = flags;
  request.reserved = reserved;
  requests_.push_back(request);
  return request_result_;
}

std::unique_ptr<IdleInhibitor> HeadlessPowerService::InhibitIdle(const std::string& who,
                                                                 const std::string& why) {
  state_->events.push_back("InhibitIdle " + who);
  if (!inhibit_available_) return nullptr;
  return std::make_unique<FakeInhibitor>(state_);
}

}  // namespace somnara::platform
