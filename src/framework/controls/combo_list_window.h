#pragma once

#include "framework/controls/popup_window.h"
#include "framework/controls/scroll_bar.h"

namespace somnara::fw {

class ComboBox;

// The drop-down list of a combo box: up to DropDownCount items at a time below the control
// (above it when the screen ends), scrolled with the keys or the strip on its right.
class ComboListWindow : public PopupWindow {
 public:
  explicit ComboListWindow(ComboBox* combo);
  ~ComboListWindow() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  void Open();
  int TopIndex() const { return top_; }
  int VisibleRows() const;

 protected:
  int ItemCount() const override;
  Rect ItemRect(int index) const override;
  void DrawItem(Canvas& canvas, int index, const Rect& rect, bool hot) override;
  void DrawFrame(Canvas& canvas, const Rect& client) override;
  void ItemChosen(int index) override;
  void Closed() override;
  void ScrollIntoView(int index) override;
  bool OtherKey(uint32_t key, unsigned shift) override;
  void PressedBesideItems(Point p) override;
  void WndProc(Message& message) override;
  bool HasScrollStrip() const;
  // Brings the strip up to date with the items and the top one.
  void UpdateStrip();

 private:
  ComboBox* combo_;
  int top_ = 0;
  ScrollBar strip_;
};

}  // namespace somnara::fw
