#include "framework/controls/line_editor.h"

#include <algorithm>
#include <cstdlib>

#include "framework/controls/draw_helpers.h"
#include "framework/events.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/text_renderer.h"
#include "framework/messages.h"

namespace somnara::fw {

bool LineEditor::KeyDown(uint32_t key, unsigned shift, bool read_only, bool& changed) {
  changed = false;
  bool extend = (shift & ssShift) != 0;
  bool ctrl = (shift & ssCtrl) != 0;
  TextEditState& s = state_;
  switch (key) {
    case VK_LEFT:
      if (!extend && s.HasSelection())
        s.SetCaret(s.SelStart());
      else
        s.SetCaret(ctrl ? s.PrevWord(s.Caret()) : s.PrevChar(s.Caret()), extend);
      return true;
    case VK_RIGHT:
      if (!extend && s.HasSelection())
        s.SetCaret(s.SelEnd());
      else
        s.SetCaret(ctrl ? s.NextWord(s.Caret()) : s.NextChar(s.Caret()), extend);
      return true;
    case VK_HOME:
      s.SetCaret(0, extend);
      return true;
    case VK_END:
      s.SetCaret(s.Text().size(), extend);
      return true;
    case VK_DELETE:
      if (!read_only) changed = s.DeleteForward();
      return true;
    case 'A':
      if (!ctrl) return false;
      s.SelectAll();
      return true;
    default:
      return false;
  }
}

bool LineEditor::KeyPress(char32_t ch, bool read_only, size_t max_chars, bool& changed) {
  changed = false;
  if (ch == 8) {
    if (!read_only) changed = state_.Backspace();
    return true;
  }
  if (ch < 0x20 || ch == 0x7F) return false;
  if (!read_only) changed = state_.Insert(EncodeUtf8(ch), max_chars);
  return true;
}

size_t LineEditor::OffsetAt(const Font& font, int x) const {
  TextRenderer& tr = TextRenderer::Instance();
  const std::string& text = state_.Text();
  x += scroll_x_;
  size_t best = 0;
  int best_distance = std::abs(x);
  for (size_t pos = state_.NextChar(0); pos <= text.size(); pos = state_.NextChar(pos)) {
    int d = std::abs(tr.Width(font, std::string_view(text).substr(0, pos)) - x);
    if (d < best_distance) {
      best = pos;
      best_distance = d;
    }
    if (pos == text.size()) break;
  }
  return best;
}

void LineEditor::ScrollToCaret(const Font& font, int width) {
  TextRenderer& tr = TextRenderer::Instance();
  const std::string& text = state_.Text();
  int caret_x = tr.Width(font, std::string_view(text).substr(0, state_.Caret()));
  int total = tr.Width(font, text);
  if (caret_x - scroll_x_ > width - 1) scroll_x_ = caret_x - width + 1;
  if (caret_x < scroll_x_) scroll_x_ = caret_x;
  // No empty room on the right while text is hidden on the left.
  scroll_x_ = std::clamp(scroll_x_, 0, std::max(0, total - width + 1));
}

void LineEditor::Paint(Canvas& c, const Rect& r, const Font& font, bool focused,
                       bool enabled) const {
  TextRenderer& tr = TextRenderer::Instance();
  const std::string& text = state_.Text();
  int line = tr.Metrics(font).height;
  int y = r.top + (r.Height() - line) / 2;
  int x = r.left - scroll_x_;
  c.Font() = font;
  if (!enabled) c.Font().SetColor(clGrayText);
  c.Brush().SetStyle(BrushStyle::kClear);
  c.TextRect(r, x, y, text);
  if (!focused) return;
  if (state_.HasSelection())
    DrawTextSelection(c, font, text, state_.SelStart(), state_.SelEnd(), x, y, line, r);
  int cx = x + tr.Width(font, std::string_view(text).substr(0, state_.Caret()));
  if (cx >= r.left && cx < r.right)
    DrawCaret(c, cx, std::max(r.top, y), std::min(r.bottom, y + line));
}

}  // namespace somnara::fw
