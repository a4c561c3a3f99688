#pragma once

#include <string>

#include "framework/controls/control_enums.h"
#include "framework/controls/line_editor.h"
#include "framework/win_control.h"

namespace somnara::fw {

// A one-line text field: typing, Backspace and Delete, the caret keys, a selection with
// Shift or the mouse. Its text is the control's Caption; OnChange follows every change of
// the text, by the user or by a program.
class Edit : public WinControl {
 public:
  explicit Edit(Component* owner);
  ~Edit() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  std::string Text() const { return Caption(); }
  void SetText(const std::string& text) { SetCaption(text); }
  // Characters; 0 means no limit. Only typing is limited, as on the desktop platform.
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int length) { max_length_ = length < 0 ? 0 : length; }
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool on);
  ControlBorder BorderStyle() const { return border_style_; }
  void SetBorderStyle(ControlBorder style);
  // Sunken two-pixel border when set, one flat line when not.
  bool Ctl3D() const { return ctl3d_; }
  void SetCtl3D(bool on);
  // Extra room inside the border (the skinned edit field draws its own border there).
  int BorderWidth() const { return border_width_; }
  void SetBorderWidth(int width);
  bool AutoSelect() const { return auto_select_; }
  void SetAutoSelect(bool on) { auto_select_ = on; }

  size_t SelStart() const { return editor_.State().SelStart(); }
  size_t SelLength() const { return editor_.State().SelEnd() - editor_.State().SelStart(); }
  void SetSelStart(size_t pos);
  void SetSelLength(size_t length);
  std::string SelText() const { return editor_.State().SelectedText(); }
  void SelectAll();
  size_t CaretPos() const { return editor_.State().Caret(); }

  NotifyEvent OnChange;

  void KeyDown(uint32_t& key, unsigned shift) override;
  void KeyPress(char32_t& key) override;

 protected:
  void WndProc(Message& message) override;
  void Paint() override;
  void EraseBackground(Canvas& canvas) override {}
  void TextChanged() override;
  void MouseDown(MouseButton button, unsigned shift, int x, int y) override;
  void MouseMove(unsigned shift, int x, int y) override;
  void DoEnter() override;
  virtual void Change();
  // The area the text is drawn in (client coordinates).
  virtual Rect TextArea() const;
  // After the editor changed: the caption follows, the view follows the caret.
  void EditorChanged(bool text_changed);

 private:
  LineEditor editor_;
  int max_length_ = 0;
  bool read_only_ = false;
  ControlBorder border_style_ = ControlBorder::kSingle;
  bool ctl3d_ = true;
  int border_width_ = 0;
  bool auto_select_ = true;
  bool syncing_ = false;
};

}  // namespace somnara::fw
