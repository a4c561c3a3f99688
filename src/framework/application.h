#pragma once

#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/messages.h"

namespace somnara::platform {
class WindowSystem;
}

namespace somnara::fw {

class Form;
class Timer;
class WinControl;

// The program's one application object: title, main form, the message loop with its
// nested modal loops, the timers of the UI thread, and the standard error box.
class Application : public Component {
 public:
  Application();
  ~Application() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  // Connects the application to a desktop backend. Must come before any form exists.
  void Initialize(platform::WindowSystem* windows);
  platform::WindowSystem& Windows() const { return *windows_; }
  int64_t NowMs() const;

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }
  Form* MainForm() const { return main_form_; }
  void SetMainForm(Form* form) { main_form_ = form; }

  // Runs the message loop until Terminate.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // One step of the loop: a queued message, else a repaint, else a due timer, else a wait.
  void HandleMessage();
  // Everything already queued or due, without waiting.
  void ProcessMessages();
  int ModalLevel() const { return modal_level_; }

  // Message delivery. Posted messages to windows that are gone by then are dropped.
  void PostMessage(WinControl* target, uint32_t msg, uintptr_t wparam = 0, intptr_t lparam = 0);
  // Hooks see every queued message before dispatch; returning true marks it handled.
  using MessageHook = std::function<bool(WinControl* target, Message& message)>;
  int AddMessageHook(MessageHook hook);
  void RemoveMessageHook(int id);

  // Errors that escape an event handler end up here: shown in the standard error box, after
  // which the program goes on. A test may set OnException to see them instead.
  void HandleException(const std::exception& error);
  void ShowException(const std::string& message);
  std::function<void(const std::string& message)> OnException;
  // The box itself is built by the controls library, which installs it here.
  std::function<void(const std::string& caption, const std::string& message)> error_box;

  // Bookkeeping for forms and timers.
  void AddForm(Form* form);
  void RemoveForm(Form* form);
  const std::vector<Form*>& Forms() const { return forms_; }
  void AddTimer(Timer* timer);
  void RemoveTimer(Timer* timer);
  void EnterModal(Form* form) {
    ++modal_level_;
    modal_stack_.push_back(form);
  }
  void LeaveModal(Form* form) {
    --modal_level_;
    std::erase(modal_stack_, form);
  }
  // The form whose modal loop is the innermost one running.
  Form* InnermostModal() const { return modal_stack_.empty() ? nullptr : modal_stack_.back(); }
  // Forms ask to be painted; the loop paints them when the queue is empty.
  void RequestPaint(Form* form);
  // Runs fn, showing any error it raises in the error box.
  void Guard(const std::function<void()>& fn);

 private:
  struct Posted {
    int handle;
    Message message;
  };
  bool DispatchPosted();
  bool PaintPending();
  bool FireDueTimer();

  platform::WindowSystem* windows_ = nullptr;
  std::string title_;
  Form* main_form_ = nullptr;
  bool terminated_ = false;
  int modal_level_ = 0;
  std::deque<Posted> queue_;
  std::vector<std::pair<int, MessageHook>> hooks_;
  int next_hook_id_ = 1;
  std::vector<Form*> forms_;
  std::vector<Form*> modal_stack_;
  std::vector<Form*> paint_requests_;
  std::vector<Timer*> timers_;
};

// The one application object of the process.
Application& App();
bool HasApp();
// Replaces the application object (tests start each case with a fresh one).
void ResetApplication();

}  // namespace somnara::fw
