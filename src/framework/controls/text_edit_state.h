#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace somnara::fw {

// Text being edited: UTF-8 with a caret and a selection anchor, both byte offsets that
// always lie on character boundaries. Shared by the edit field, the combo box's text and
// the memo. Editing calls return true when the text changed.
class TextEditState {
 public:
  const std::string& Text() const { return text_; }
  // New text from outside: the caret goes to its start, nothing is selected.
  void SetText(std::string text);

  size_t Caret() const { return caret_; }
  size_t Anchor() const { return anchor_; }
  bool HasSelection() const { return caret_ != anchor_; }
  size_t SelStart() const { return caret_ < anchor_ ? caret_ : anchor_; }
  size_t SelEnd() const { return caret_ < anchor_ ? anchor_ : caret_; }
  std::string SelectedText() const { return text_.substr(SelStart(), SelEnd() - SelStart()); }
  // Moves the caret; `extend` keeps the anchor (a growing selection).
  void SetCaret(size_t pos, bool extend = false);
  void Select(size_t start, size_t length);
  void SelectAll() { Select(0, text_.size()); }

  // Replaces the selection with `s` (control characters other than line breaks dropped;
  // "\r\n" becomes "\n"). A max_chars above 0 caps the text's length in characters.
  bool Insert(std::string_view s, size_t max_chars = 0);
  bool DeleteSelection();
  bool Backspace();
  bool DeleteForward();

  // Neighbouring character and word boundaries.
  size_t PrevChar(size_t pos) const;
  size_t NextChar(size_t pos) const;
  size_t PrevWord(size_t pos) const;
  size_t NextWord(size_t pos) const;
  size_t LineStart(size_t pos) const;
  size_t LineEnd(size_t pos) const;

  // Characters (code points) of a UTF-8 text.
  static size_t CharCount(std::string_view s);

 private:
  size_t Clamp(size_t pos) const;

  std::string text_;
  size_t caret_ = 0;
  size_t anchor_ = 0;
};

}  // namespace somnara::fw
