#pragma once

#include "framework/form.h"

namespace somnara::fw {

// A borderless top-level window that lists items for a moment: a combo box's drop-down
// list or a popup menu. It takes the keyboard and the mouse while open (Up, Down, Enter,
// Escape; the hot item follows the pointer), closes when another window becomes active or
// the mouse is pressed outside it, and gives the keyboard back to the window that had it
// when an item is chosen or Escape pressed. The chosen item's action runs after the window
// has closed. Windows shown modally later leave it usable, as it only shows for a moment.
class PopupWindow : public Form {
 public:
  explicit PopupWindow(Component* owner);
  ~PopupWindow() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  // Shows the window at `bounds` (screen coordinates), moved to stay on the screen; when
  // it would leave the bottom of the screen it goes to `flip_top` instead (the top edge
  // for a window above its control), or as far up as needed when that is negative.
  void PopupAt(Rect bounds, int flip_top = -1);
  // Closes without choosing; `restore_focus` gives the keyboard back.
  void CloseUp(bool restore_focus = true);
  bool IsOpen() const { return open_; }

  int HotIndex() const { return hot_; }
  void SetHotIndex(int index);
  // The item under a point of the client area, or -1.
  int ItemAt(Point p) const;

  void KeyDown(uint32_t& key, unsigned shift) override;
  void KeyPress(char32_t& key) override;

 protected:
  virtual int ItemCount() const = 0;
  // Client coordinates; an empty rectangle for an item that is not shown now.
  virtual Rect ItemRect(int index) const = 0;
  // Separators cannot become hot; disabled items can, but are not chosen.
  virtual bool ItemSelectable(int index) const { return true; }
  virtual bool ItemEnabled(int index) const { return true; }
  virtual void DrawItem(Canvas& canvas, int index, const Rect& rect, bool hot) = 0;
  // The frame around the items.
  virtual void DrawFrame(Canvas& canvas, const Rect& client);
  // Runs after the window has closed.
  virtual void ItemChosen(int index) = 0;
  virtual void Closed() {}
  // Brings an item into view (scrolling lists).
  virtual void ScrollIntoView(int index) {}
  // Keys the list does not use itself; return true when used.
  virtual bool OtherKey(uint32_t key, unsigned shift) { return false; }
  virtual bool CharKey(char32_t ch) { return false; }
  // A press inside the window but on no item (a scroll strip, say).
  virtual void PressedBesideItems(Point p) {}
  // Chooses an item: closes, then ItemChosen.
  void Choose(int index);
  // The next selectable item from `from` going `step` (+1 / -1), wrapping; -1 when none.
  int NextSelectable(int from, int step) const;

  void WndProc(Message& message) override;
  void Paint() override;
  void Notification(Component* component, Operation operation) override;

 private:
  void HandleMouse(Message& message);

  Form* return_form_ = nullptr;
  int hot_ = -1;
  bool open_ = false;
  bool tracking_ = false;
};

}  // namespace somnara::fw
