#pragma once

#include "framework/control.h"
#include "framework/controls/control_enums.h"

namespace somnara::fw {

class WinControl;

// Static text painted by its parent: one or more lines (explicit line breaks), optionally
// word-wrapped, on its own colour or transparent over what lies beneath. With AutoSize (on
// by default) the label takes the size of its text and keeps its left and top; with
// WordWrap the width stays and the height follows.
class Label : public GraphicControl {
 public:
  explicit Label(Component* owner);
  ~Label() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  fw::Alignment GetAlignment() const { return alignment_; }
  void SetAlignment(fw::Alignment alignment);
  TextLayout GetLayout() const { return layout_; }
  void SetLayout(TextLayout layout);
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool on);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool on);
  bool ShowAccelChar() const { return show_accel_char_; }
  void SetShowAccelChar(bool on);
  // The control that an Alt+access key of the caption focuses.
  WinControl* FocusControl() const { return focus_control_; }
  void SetFocusControl(WinControl* control);

  void Loaded() override;

 protected:
  void Paint() override;
  void WndProc(Message& message) override;
  void TextChanged() override;
  void FontChanged() override;
  void Notification(Component* component, Operation operation) override;
  void VisibleChanged() override;
  // Fits the bounds to the text when AutoSize is on; a hidden label when it is shown.
  void AdjustBounds();
  unsigned TextFlags() const;

 private:
  fw::Alignment alignment_ = fw::Alignment::kLeftJustify;
  TextLayout layout_ = TextLayout::kTop;
  bool auto_size_ = true;
  bool word_wrap_ = false;
  bool show_accel_char_ = true;
  bool size_stale_ = false;  // hidden while its text or font changed
  WinControl* focus_control_ = nullptr;
};

}  // namespace somnara::fw
