#pragma once

#include <memory>
#include <vector>

#include "framework/control.h"

namespace somnara::fw {

class Canvas;

// A control with a window of its own: it has a handle that messages can be posted to,
// child controls, keyboard focus and a tab order, and it paints itself in WM_PAINT.
// Only forms have a desktop window; the windows of child controls live in their form.
class WinControl : public Control {
 public:
  explicit WinControl(Component* owner);
  ~WinControl() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  int Handle() const { return handle_; }
  static WinControl* FromHandle(int handle);
  bool IsWindowed() const override { return true; }

  // Children in z-order, bottom first.
  const std::vector<Control*>& Controls() const { return controls_; }
  int ControlCount() const { return int(controls_.size()); }
  // The topmost visible child under a point of this control's client area.
  Control* ControlAtPos(Point p, bool allow_disabled = false, bool allow_windowed = true) const;
  // Re-lays out aligned children.
  void Realign();
  // Gives the message to every child control.
  void Broadcast(Message& message);

  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool on) { tab_stop_ = on; }
  bool Focused() const;
  virtual bool CanFocus() const;
  void SetFocus();
  // The windowed children in tab order.
  std::vector<WinControl*> TabList() const;

  NotifyEvent OnEnter;
  NotifyEvent OnExit;
  KeyEvent OnKeyDown;
  KeyEvent OnKeyUp;
  KeyPressEvent OnKeyPress;

  // Valid while the control paints; drawing goes into its form's window pixels.
  Canvas& GetCanvas();
  // The area of this control (client coordinates) that its parents leave visible.
  Rect VisibleClientRect() const;

  void SetBounds(int left, int top, int width, int height) override;
  // Paints this control and its children, clipped to `clip` (window pixels).
  virtual void PaintTree(Canvas& canvas, const Rect& clip);
  // Area inside which aligned children are placed (client coordinates).
  virtual Rect AdjustClientRect() const { return ClientRect(); }

  // Dialog codes and keys as a focused control sees them.
  virtual void KeyDown(uint32_t& key, unsigned shift);
  virtual void KeyUp(uint32_t& key, unsigned shift);
  virtual void KeyPress(char32_t& key);

 protected:
  void WndProc(Message& message) override;
  void DefaultHandler(Message& message) override;
  // Client painting; the canvas is ready (origin at the client's top-left).
  virtual void Paint() {}
  // Fills the background unless the control paints all of itself.
  virtual void EraseBackground(Canvas& canvas);
  virtual void DoEnter();
  virtual void DoExit();
  void Notification(Component* component, Operation operation) override;

 private:
  friend class Control;
  friend class Form;
  void InsertControl(Control* control);
  void RemoveControl(Control* control);
  void DispatchMouse(Message& message);
  Control* MouseTarget(Point p) const;

  int handle_ = 0;
  std::vector<Control*> controls_;
  std::vector<WinControl*> tab_order_;
  bool tab_stop_ = false;
  Canvas* canvas_ = nullptr;
  Control* mouse_control_ = nullptr;
};

// A windowed control that paints itself on its canvas (panels, buttons, the skinned frame).
class CustomControl : public WinControl {
 public:
  explicit CustomControl(Component* owner) : WinControl(owner) {}
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }
};

}  // namespace somnara::fw
