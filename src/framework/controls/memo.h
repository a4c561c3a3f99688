#pragma once

#include <string>
#include <vector>

#include "framework/controls/control_enums.h"
#include "framework/controls/scroll_bar.h"
#include "framework/controls/text_edit_state.h"
#include "framework/win_control.h"

namespace somnara::fw {

// Text of several lines: editable unless ReadOnly, word-wrapped at the field's width when
// WordWrap is on (the default), scrolled with the caret keys and Page Up / Page Down, and
// with a simple vertical scroll bar when ScrollBars asks for one.
class Memo : public WinControl {
 public:
  explicit Memo(Component* owner);
  ~Memo() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  std::vector<std::string> Lines() const;
  void SetLines(const std::vector<std::string>& lines);
  void AddLine(const std::string& line);
  void Clear() { SetText(""); }
  int LineCount() const { return int(Lines().size()); }
  // The lines joined with "\n".
  std::string Text() const { return state_.Text(); }
  void SetText(const std::string& text);

  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool on);
  ControlBorder BorderStyle() const { return border_style_; }
  void SetBorderStyle(ControlBorder style);
  bool Ctl3D() const { return ctl3d_; }
  void SetCtl3D(bool on);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool on);
  ScrollStyle ScrollBars() const { return scroll_bars_; }
  void SetScrollBars(ScrollStyle style);
  fw::Alignment GetAlignment() const { return alignment_; }
  void SetAlignment(fw::Alignment alignment);
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int length) { max_length_ = length < 0 ? 0 : length; }
  bool WantReturns() const { return want_returns_; }
  void SetWantReturns(bool on) { want_returns_ = on; }
  bool WantTabs() const { return want_tabs_; }
  void SetWantTabs(bool on) { want_tabs_ = on; }

  // The first visible screen line, and how many fit.
  int TopLine() const { return top_line_; }
  void SetTopLine(int line);
  int VisibleLineCount() const;
  // Screen lines after wrapping.
  int ScreenLineCount() const;
  size_t CaretPos() const { return state_.Caret(); }
  void SetCaretPos(size_t pos);
  size_t SelStart() const { return state_.SelStart(); }
  size_t SelLength() const { return state_.SelEnd() - state_.SelStart(); }
  void SelectAll();

  NotifyEvent OnChange;

  void KeyDown(uint32_t& key, unsigned shift) override;
  void KeyPress(char32_t& key) override;

 protected:
  struct ScreenLine {
    size_t begin = 0;
    size_t end = 0;  // excluding the line break
    bool paragraph_end = false;
  };
  void WndProc(Message& message) override;
  void Paint() override;
  void EraseBackground(Canvas& canvas) override {}
  void Resized() override;
  void FontChanged() override;
  void MouseDown(MouseButton button, unsigned shift, int x, int y) override;
  void MouseMove(unsigned shift, int x, int y) override;
  void MouseUp(MouseButton button, unsigned shift, int x, int y) override;
  virtual void Change();
  Rect TextArea() const;
  Rect ScrollBarArea() const;
  bool HasScrollBar() const;
  // Brings the scroll bar up to date with the lines and the top line.
  void UpdateScrollBar();
  const std::vector<ScreenLine>& Layout() const;
  int LineOf(size_t offset) const;
  int LineX(const ScreenLine& line) const;  // where a screen line starts, alignment applied
  size_t OffsetAt(int line, int x) const;
  int CaretX() const;
  void EditorChanged(bool text_changed, bool keep_goal = false);
  void ScrollToCaret();

 private:
  TextEditState state_;
  bool read_only_ = false;
  ControlBorder border_style_ = ControlBorder::kSingle;
  bool ctl3d_ = true;
  bool word_wrap_ = true;
  ScrollStyle scroll_bars_ = ScrollStyle::kNone;
  fw::Alignment alignment_ = fw::Alignment::kLeftJustify;
  int max_length_ = 0;
  bool want_returns_ = true;
  bool want_tabs_ = false;
  int top_line_ = 0;
  ScrollBar scroll_bar_;
  int scroll_x_ = 0;
  int goal_x_ = -1;  // the column Up and Down keep
  mutable std::vector<ScreenLine> layout_;
  mutable bool layout_valid_ = false;
};

}  // namespace somnara::fw
