#include "framework/controls/memo.h"

#include <algorithm>
#include <cstdlib>

#include "framework/controls/draw_helpers.h"
#include "framework/controls/line_editor.h"
#include "framework/controls/property_helpers.h"
#include "framework/form.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/text_renderer.h"

namespace somnara::fw {
namespace {
constexpr int kScrollBarWidth = 16;

int TextWidth(const Font& font, std::string_view s) {
  return TextRenderer::Instance().Width(font, s);
}
}  // namespace

const ClassInfo& Memo::StaticClassInfo() {
  static const RegisteredClassInfo info = [] {
    ClassInfo i("TMemo", &WinControl::StaticClassInfo(), [](Component* o) { return new Memo(o); });
    i.Add(StringsProperty<Memo>("Lines", &Memo::Lines, &Memo::SetLines));
    i.Add(StringsProperty<Memo>("Lines.Strings", &Memo::Lines, &Memo::SetLines));
    i.Add(BoolProperty<Memo>("ReadOnly", &Memo::ReadOnly, &Memo::SetReadOnly));
    i.Add(EnumProperty<Memo, ControlBorder>("BorderStyle", kControlBorderNames, &Memo::BorderStyle,
                                            &Memo::SetBorderStyle));
    i.Add(BoolProperty<Memo>("Ctl3D", &Memo::Ctl3D, &Memo::SetCtl3D));
    i.Add(BoolProperty<Memo>("WordWrap", &Memo::WordWrap, &Memo::SetWordWrap));
    i.Add(EnumProperty<Memo, ScrollStyle>("ScrollBars", kScrollStyleNames, &Memo::ScrollBars,
                                          &Memo::SetScrollBars));
    i.Add(EnumProperty<Memo, fw::Alignment>("Alignment", kAlignmentNames, &Memo::GetAlignment,
                                            &Memo::SetAlignment));
    i.Add(IntegerProperty<Memo>("MaxLength", &Memo::MaxLength, &Memo::SetMaxLength));
    i.Add(BoolProperty<Memo>("WantReturns", &Memo::WantReturns, &Memo::SetWantReturns));
    i.Add(BoolProperty<Memo>("WantTabs", &Memo::WantTabs, &Memo::SetWantTabs));
    i.Add(EventProperty<Memo>("OnChange", &Memo::OnChange));
    return i;
  }();
  return info;
}

Memo::Memo(Component* owner) : WinControl(owner), scroll_bar_(kScrollBarWidth, 8) {
  SetTabStop(true);
  SetBounds(0, 0, 185, 89);
  SetColor(clWindow);
  SetCursor(Cursor::kIBeam);
}

Memo::~Memo() {
  BeginDestruction();
}

std::vector<std::string> Memo::Lines() const {
  std::vector<std::string> out;
  const std::string& t = state_.Text();
  if (t.empty()) return out;
  size_t start = 0;
  while (true) {
    size_t nl = t.find('\n', start);
    out.push_back(t.substr(start, nl == std::string::npos ? std::string::npos : nl - start));
    if (nl == std::string::npos) break;
    start = nl + 1;
  }
  return out;
}

void Memo::SetLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += '\n';
    text += lines[i];
  }
  SetText(text);
}

void Memo::AddLine(const std::string& line) {
  std::string text = state_.Text();
  if (!text.empty() || LineCount() > 0) text += '\n';
  SetText(text + line);
}

void Memo::SetText(const std::string& text) {
  std::string clean;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      clean += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      clean += text[i];
    }
  }
  if (clean == state_.Text()) return;
  state_.SetText(clean);
  top_line_ = 0;
  scroll_x_ = 0;
  EditorChanged(true);
}

void Memo::SetReadOnly(bool on) {
  read_only_ = on;
  Invalidate();
}

void Memo::SetBorderStyle(ControlBorder style) {
  border_style_ = style;
  layout_valid_ = false;
  Invalidate();
}

void Memo::SetCtl3D(bool on) {
  ctl3d_ = on;
  layout_valid_ = false;
  Invalidate();
}

void Memo::SetWordWrap(bool on) {
  word_wrap_ = on;
  layout_valid_ = false;
  Invalidate();
}

void Memo::SetScrollBars(ScrollStyle style) {
  scroll_bars_ = style;
  layout_valid_ = false;
  Invalidate();
}

void Memo::SetAlignment(fw::Alignment alignment) {
  alignment_ = alignment;
  Invalidate();
}

void Memo::Resized() {
  layout_valid_ = false;
  WinControl::Resized();
}

void Memo::FontChanged() {
  layout_valid_ = false;
  WinControl::FontChanged();
}

bool Memo::HasScrollBar() const {
  return scroll_bars_ == ScrollStyle::kVertical || scroll_bars_ == ScrollStyle::kBoth;
}

Rect Memo::ScrollBarArea() const {
  int b = FieldBorderSize(border_style_, ctl3d_);
  Rect r = ClientRect().Inflate(-b, -b);
  r.left = std::max(r.left, r.right - kScrollBarWidth);
  return r;
}

Rect Memo::TextArea() const {
  int b = FieldBorderSize(border_style_, ctl3d_);
  Rect r = ClientRect().Inflate(-b, -b);
  if (HasScrollBar()) r.right = std::max(r.left, r.right - kScrollBarWidth);
  r.left += 2;
  r.right -= 1;
  r.top += 1;
  return r;
}

// Lines break at line breaks and, with WordWrap, after the blanks that follow the last word
// that fits; a word wider than the field is cut between characters.
const std::vector<Memo::ScreenLine>& Memo::Layout() const {
  if (layout_valid_) return layout_;
  layout_.clear();
  const std::string& t = state_.Text();
  const Font& font = GetFont();
  const int width = TextArea().Width();
  size_t start = 0;
  while (true) {
    size_t stop = t.find('\n', start);
    if (stop == std::string::npos) stop = t.size();
    size_t pos = start;
    while (true) {
      if (!word_wrap_ || width <= 0 ||
          TextWidth(font, std::string_view(t).substr(pos, stop - pos)) <= width) {
        layout_.push_back({pos, stop, true});
        break;
      }
      size_t best = pos;
      size_t i = pos;
      while (i < stop) {
        size_t j = i;
        while (j < stop && t[j] != ' ') ++j;
        if (TextWidth(font, std::string_view(t).substr(pos, j - pos)) > width) break;
        while (j < stop && t[j] == ' ') ++j;
        best = j;
        i = j;
      }
      if (best == pos) {
        // Not even one word fits: as many characters as fit, at least one.
        size_t k = state_.NextChar(pos);
        while (k < stop) {
          size_t next = state_.NextChar(k);
          if (TextWidth(font, std::string_view(t).substr(pos, next - pos)) > width) break;
          k = next;
        }
        best = std::min(k, stop);
      }
      layout_.push_back({pos, best, best >= stop});
      if (best >= stop) break;
      pos = best;
    }
    if (stop >= t.size()) break;
    start = stop + 1;
  }
  layout_valid_ = true;
  return layout_;
}

int Memo::ScreenLineCount() const {
  return int(Layout().size());
}

int Memo::VisibleLineCount() const {
  int h = TextRenderer::Instance().Metrics(GetFont()).height;
  return h <= 0 ? 1 : std::max(1, TextArea().Height() / h);
}

void Memo::SetTopLine(int line) {
  int most = std::max(0, ScreenLineCount() - VisibleLineCount());
  line = std::clamp(line, 0, most);
  if (line == top_line_) return;
  top_line_ = line;
  Invalidate();
}

int Memo::LineOf(size_t offset) const {
  const auto& lines = Layout();
  for (size_t i = 0; i < lines.size(); ++i) {
    const ScreenLine& l = lines[i];
    if (offset >= l.begin && (offset < l.end || (offset == l.end && l.paragraph_end)))
      return int(i);
  }
  return lines.empty() ? 0 : int(lines.size()) - 1;
}

int Memo::LineX(const ScreenLine& line) const {
  Rect area = TextArea();
  if (alignment_ == fw::Alignment::kLeftJustify || !word_wrap_) return area.left - scroll_x_;
  int w = TextWidth(GetFont(),
                    std::string_view(state_.Text()).substr(line.begin, line.end - line.begin));
  if (alignment_ == fw::Alignment::kRightJustify) return area.right - w;
  return area.left + (area.Width() - w) / 2;
}

size_t Memo::OffsetAt(int line, int x) const {
  const auto& lines = Layout();
  if (lines.empty()) return 0;
  line = std::clamp(line, 0, int(lines.size()) - 1);
  const ScreenLine& l = lines[size_t(line)];
  const std::string& t = state_.Text();
  int base = LineX(l);
  size_t best = l.begin;
  int best_d = std::abs(x - base);
  // A wrapped line's end belongs to the next line; its last place is before that.
  size_t last = l.paragraph_end ? l.end : state_.PrevChar(l.end);
  for (size_t p = state_.NextChar(l.begin); p <= last && p > l.begin; p = state_.NextChar(p)) {
    int d =
        std::abs(base + TextWidth(GetFont(), std::string_view(t).substr(l.begin, p - l.begin)) - x);
    if (d < best_d) {
      best = p;
      best_d = d;
    }
    if (p >= last) break;
  }
  return best;
}

int Memo::CaretX() const {
  const auto& lines = Layout();
  if (lines.empty()) return TextArea().left;
  const ScreenLine& l = lines[size_t(LineOf(state_.Caret()))];
  return LineX(l) +
         TextWidth(GetFont(),
                   std::string_view(state_.Text()).substr(l.begin, state_.Caret() - l.begin));
}

void Memo::SetCaretPos(size_t pos) {
  state_.SetCaret(pos);
  EditorChanged(false);
}

void Memo::SelectAll() {
  state_.SelectAll();
  EditorChanged(false);
}

void Memo::EditorChanged(bool text_changed, bool keep_goal) {
  if (text_changed) layout_valid_ = false;
  if (!keep_goal) goal_x_ = -1;
  ScrollToCaret();
  Invalidate();
  if (text_changed) Change();
}

void Memo::ScrollToCaret() {
  int line = LineOf(state_.Caret());
  int visible = VisibleLineCount();
  if (line < top_line_) top_line_ = line;
  if (line >= top_line_ + visible) top_line_ = line - visible + 1;
  top_line_ = std::clamp(top_line_, 0, std::max(0, ScreenLineCount() - visible));
  if (!word_wrap_) {
    Rect area = TextArea();
    int x = CaretX() + scroll_x_ - area.left;
    if (x - scroll_x_ > area.Width() - 1) scroll_x_ = x - area.Width() + 1;
    if (x < scroll_x_) scroll_x_ = x;
    scroll_x_ = std::max(0, scroll_x_);
  } else {
    scroll_x_ = 0;
  }
}

void Memo::Change() {
  if (!IsLoading() && OnChange) OnChange(this);
}

void Memo::WndProc(Message& m) {
  if (m.msg == WM_GETDLGCODE) {
    m.result = DLGC_WANTARROWS | DLGC_WANTCHARS | (want_returns_ ? DLGC_WANTALLKEYS : 0) |
               (want_tabs_ ? DLGC_WANTTAB : 0);
    return;
  }
  WinControl::WndProc(m);
}

void Memo::KeyDown(uint32_t& key, unsigned shift) {
  WinControl::KeyDown(key, shift);
  if (key == 0) return;
  bool extend = (shift & ssShift) != 0;
  bool ctrl = (shift & ssCtrl) != 0;
  const auto& lines = Layout();
  int line = LineOf(state_.Caret());
  auto vertical = [&](int delta) {
    if (goal_x_ < 0) goal_x_ = CaretX();
    int target = std::clamp(line + delta, 0, std::max(0, int(lines.size()) - 1));
    state_.SetCaret(OffsetAt(target, goal_x_), extend);
    if (delta < -1 || delta > 1) SetTopLine(top_line_ + delta);
    EditorChanged(false, true);
  };
  switch (key) {
    case VK_UP:
      vertical(-1);
      return;
    case VK_DOWN:
      vertical(1);
      return;
    case VK_PRIOR:
      vertical(-VisibleLineCount());
      key = 0;
      return;
    case VK_NEXT:
      vertical(VisibleLineCount());
      key = 0;
      return;
    case VK_LEFT:
      state_.SetCaret(ctrl ? state_.PrevWord(state_.Caret()) : state_.PrevChar(state_.Caret()),
                      extend);
      EditorChanged(false);
      return;
    case VK_RIGHT:
      state_.SetCaret(ctrl ? state_.NextWord(state_.Caret()) : state_.NextChar(state_.Caret()),
                      extend);
      EditorChanged(false);
      return;
    case VK_HOME:
      if (ctrl)
        state_.SetCaret(0, extend);
      else if (!lines.empty())
        state_.SetCaret(lines[size_t(line)].begin, extend);
      EditorChanged(false);
      key = 0;
      return;
    case VK_END:
      if (ctrl) {
        state_.SetCaret(state_.Text().size(), extend);
      } else if (!lines.empty()) {
        const ScreenLine& l = lines[size_t(line)];
        state_.SetCaret(l.paragraph_end ? l.end : state_.PrevChar(l.end), extend);
      }
      EditorChanged(false);
      key = 0;
      return;
    case VK_DELETE:
      if (!read_only_) EditorChanged(state_.DeleteForward());
      key = 0;
      return;
    case VK_RETURN:
      if (want_returns_ && !read_only_) EditorChanged(state_.Insert("\n", size_t(max_length_)));
      return;
    case VK_ESCAPE:
      // Enter stays in the memo; Escape still reaches the window's cancel button.
      if (Form* form = ParentForm()) form->Perform(CM_DIALOGKEY, VK_ESCAPE, intptr_t(shift));
      key = 0;
      return;
    case 'A':
      if (ctrl) {
        SelectAll();
        key = 0;
      }
      return;
    default:
      return;
  }
}

void Memo::KeyPress(char32_t& key) {
  WinControl::KeyPress(key);
  if (key == 0 || read_only_) return;
  if (key == 8) {
    EditorChanged(state_.Backspace());
  } else if (key == '\t' && want_tabs_) {
    EditorChanged(state_.Insert("\t", size_t(max_length_)));
  } else if (key >= 0x20 && key != 0x7F) {
    EditorChanged(state_.Insert(EncodeUtf8(key), size_t(max_length_)));
  }
}

void Memo::MouseDown(MouseButton button, unsigned shift, int x, int y) {
  if (button == MouseButton::kLeft) {
    if (CanFocus()) SetFocus();
    if (HasScrollBar() && ScrollBarArea().Contains({x, y})) {
      UpdateScrollBar();
      if (scroll_bar_.Press({x, y})) SetTopLine(scroll_bar_.Position());
    } else {
      int h = std::max(1, TextRenderer::Instance().Metrics(GetFont()).height);
      int line = top_line_ + (y - TextArea().top) / h;
      state_.SetCaret(OffsetAt(line, x), shift & ssShift);
      goal_x_ = -1;
      Invalidate();
    }
  }
  WinControl::MouseDown(button, shift, x, y);
}

void Memo::MouseMove(unsigned shift, int x, int y) {
  if (mouse_down_ && scroll_bar_.Held()) {
    if (scroll_bar_.Drag({x, y})) SetTopLine(scroll_bar_.Position());
  } else if (mouse_down_) {
    int h = std::max(1, TextRenderer::Instance().Metrics(GetFont()).height);
    int line = top_line_ + (y - TextArea().top) / h;
    state_.SetCaret(OffsetAt(line, x), true);
    EditorChanged(false);
  }
  WinControl::MouseMove(shift, x, y);
}

void Memo::MouseUp(MouseButton button, unsigned shift, int x, int y) {
  if (button == MouseButton::kLeft) scroll_bar_.Release();
  WinControl::MouseUp(button, shift, x, y);
}

void Memo::UpdateScrollBar() {
  scroll_bar_.Update(ScrollBarArea(), ScreenLineCount(), VisibleLineCount(), top_line_);
}

void Memo::Paint() {
  Canvas& c = GetCanvas();
  DrawFieldBox(c, ClientRect(), border_style_, ctl3d_, Enabled() ? GetColor() : clBtnFace);

  const auto& lines = Layout();
  const std::string& t = state_.Text();
  Rect area = TextArea();
  const Font& font = GetFont();
  int h = TextRenderer::Instance().Metrics(font).height;
  bool focused = Focused();
  c.Font() = font;
  if (!Enabled()) c.Font().SetColor(clGrayText);
  Rect text_clip{area.left - 2, area.top, area.right + 1, area.bottom};
  for (int i = top_line_; i < int(lines.size()); ++i) {
    int y = area.top + (i - top_line_) * h;
    if (y >= area.bottom) break;
    const ScreenLine& l = lines[size_t(i)];
    std::string_view s = std::string_view(t).substr(l.begin, l.end - l.begin);
    int x = LineX(l);
    c.Brush().SetStyle(BrushStyle::kClear);
    c.TextRect(text_clip, x, y, s);
    if (focused && state_.HasSelection()) {
      size_t a = std::max(state_.SelStart(), l.begin), b = std::min(state_.SelEnd(), l.end);
      if (a < b) DrawTextSelection(c, font, s, a - l.begin, b - l.begin, x, y, h, text_clip);
    }
  }
  if (focused) {
    int line = LineOf(state_.Caret());
    int y = area.top + (line - top_line_) * h;
    int x = CaretX();
    if (y >= area.top && y < area.bottom && x >= text_clip.left && x < text_clip.right)
      DrawCaret(c, x, y, std::min(y + h, area.bottom));
  }
  if (HasScrollBar()) {
    UpdateScrollBar();
    scroll_bar_.Paint(c);
  }
}

}  // namespace somnara::fw
