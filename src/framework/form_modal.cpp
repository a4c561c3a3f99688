// Showing a form modally: a nested message loop while every window that existed before
// takes no input, and closing, which asks OnCloseQuery and tells OnClose.
#include "framework/application.h"
#include "framework/exceptions.h"
#include "framework/form.h"
#include "platform/native_window.h"

namespace somnara::fw {

bool Form::InputBlocked() const {
  return disabled_by_modal_ > 0 || !Enabled();
}

int Form::ShowModal() {
  if (modal_ || (Visible() && native_)) throw Exception("Cannot make a visible window modal");
  BlockOtherForms();
  struct Unblock {
    Form* self;
    ~Unblock() { self->ReleaseBlockedForms(); }
  } unblock{this};
  modal_ = true;
  modal_result_ = mrNone;
  closed_while_nested_ = false;
  App().EnterModal(this);
  CreateNativeWindow();
  native_->SetModal(true);
  Show();
  Application& app = App();
  while (true) {
    app.HandleMessage();
    if (app.Terminated()) {
      // Ending the program ends this loop without asking or telling the window.
      modal_result_ = mrCancel;
      break;
    }
    if (modal_result_ != mrNone && (closed_while_nested_ || FinishModal())) break;
  }
  app.LeaveModal(this);
  modal_ = false;
  if (native_) native_->SetModal(false);
  int result = modal_result_;
  if (app.Terminated()) {
    visible_ = false;
    if (native_) native_->SetVisible(false);
  } else {
    Hide();
  }
  return result;
}

// Every window that exists now waits until this one is done; the ones it opens do not.
// Error boxes stay usable: a window opened while one shows must not lock it.
void Form::BlockOtherForms() {
  blocked_.clear();
  for (Form* f : App().Forms())
    if (f != this && !f->never_blocked_) {
      ++f->disabled_by_modal_;
      blocked_.push_back(f);
      f->FreeNotification(this);
    }
}

void Form::ReleaseBlockedForms() {
  for (Form* f : blocked_) {
    --f->disabled_by_modal_;
    f->RemoveFreeNotification(this);
  }
  blocked_.clear();
}

// The close handlers decide; a refusal keeps the window open with no result.
bool Form::FinishModal() {
  CloseAction action = CloseAction::kNone;
  if (CloseQuery()) {
    action = CloseAction::kHide;
    DoClose(action);
  }
  if (action == CloseAction::kNone) {
    modal_result_ = mrNone;
    return false;
  }
  return true;
}

void Form::SetModalResult(int result) {
  modal_result_ = result;
  // A modal window whose loop is not the innermost (an error box under a window opened
  // after it) cannot return yet; it closes now and its loop ends when the inner ones do.
  if (modal_ && result != mrNone && !closed_while_nested_ && App().InnermostModal() != this) {
    if (!FinishModal()) return;
    closed_while_nested_ = true;
    ReleaseBlockedForms();
    if (native_) native_->SetModal(false);
    Hide();
  }
}

bool Form::CloseQuery() {
  bool can_close = true;
  if (OnCloseQuery) OnCloseQuery(this, can_close);
  return can_close;
}

void Form::DoClose(CloseAction& action) {
  if (OnClose) OnClose(this, action);
}

void Form::Close() {
  if (modal_) {
    SetModalResult(mrCancel);
    return;
  }
  if (!CloseQuery()) return;
  CloseAction action = CloseAction::kHide;
  DoClose(action);
  if (action == CloseAction::kNone) return;
  if (App().MainForm() == this) {
    App().Terminate();
  } else if (action == CloseAction::kHide || action == CloseAction::kFree) {
    Hide();
  } else if (action == CloseAction::kMinimize) {
    SetWindowState(fw::WindowState::kMinimized);
  }
}

}  // namespace somnara::fw
