#include "framework/controls/text_edit_state.h"

#include <algorithm>

namespace somnara::fw {
namespace {
bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}
bool IsWordChar(char c) {
  return c != ' ' && c != '\t' && c != '\n' && c != '.' && c != ',' && c != ';' && c != ':';
}
}  // namespace

size_t TextEditState::CharCount(std::string_view s) {
  return size_t(std::count_if(s.begin(), s.end(), [](char c) { return !IsContinuation(c); }));
}

void TextEditState::SetText(std::string text) {
  text_ = std::move(text);
  caret_ = anchor_ = 0;
}

size_t TextEditState::Clamp(size_t pos) const {
  pos = std::min(pos, text_.size());
  while (pos > 0 && pos < text_.size() && IsContinuation(text_[pos])) --pos;
  return pos;
}

void TextEditState::SetCaret(size_t pos, bool extend) {
  caret_ = Clamp(pos);
  if (!extend) anchor_ = caret_;
}

void TextEditState::Select(size_t start, size_t length) {
  anchor_ = Clamp(start);
  caret_ = Clamp(start + std::min(length, text_.size()));
}

bool TextEditState::Insert(std::string_view s, size_t max_chars) {
  std::string clean;
  for (size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (c == '\r') {
      clean += '\n';
      if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
      continue;
    }
    if (static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t') continue;
    clean += c;
  }
  if (max_chars > 0) {
    size_t kept = CharCount(text_) - CharCount(SelectedText());
    size_t room = kept >= max_chars ? 0 : max_chars - kept;
    // Cut at a character boundary after `room` characters.
    size_t n = 0, cut = 0;
    while (cut < clean.size() && n < room) {
      ++cut;
      while (cut < clean.size() && IsContinuation(clean[cut])) ++cut;
      ++n;
    }
    clean.resize(cut);
  }
  if (clean.empty()) return DeleteSelection();
  size_t start = SelStart();
  text_.replace(start, SelEnd() - start, clean);
  caret_ = anchor_ = start + clean.size();
  return true;
}

bool TextEditState::DeleteSelection() {
  if (!HasSelection()) return false;
  size_t start = SelStart();
  text_.erase(start, SelEnd() - start);
  caret_ = anchor_ = start;
  return true;
}

bool TextEditState::Backspace() {
  if (HasSelection()) return DeleteSelection();
  if (caret_ == 0) return false;
  size_t prev = PrevChar(caret_);
  text_.erase(prev, caret_ - prev);
  caret_ = anchor_ = prev;
  return true;
}

bool TextEditState::DeleteForward() {
  if (HasSelection()) return DeleteSelection();
  if (caret_ >= text_.size()) return false;
  text_.erase(caret_, NextChar(caret_) - caret_);
  return true;
}

size_t TextEditState::PrevChar(size_t pos) const {
  pos = std::min(pos, text_.size());
  if (pos == 0) return 0;
  --pos;
  while (pos > 0 && IsContinuation(text_[pos])) --pos;
  return pos;
}

size_t TextEditState::NextChar(size_t pos) const {
  if (pos >= text_.size()) return text_.size();
  ++pos;
  while (pos < text_.size() && IsContinuation(text_[pos])) ++pos;
  return pos;
}

size_t TextEditState::PrevWord(size_t pos) const {
  pos = std::min(pos, text_.size());
  while (pos > 0 && !IsWordChar(text_[pos - 1])) --pos;
  while (pos > 0 && IsWordChar(text_[pos - 1])) --pos;
  return Clamp(pos);
}

size_t TextEditState::NextWord(size_t pos) const {
  while (pos < text_.size() && IsWordChar(text_[pos])) ++pos;
  while (pos < text_.size() && !IsWordChar(text_[pos])) ++pos;
  return Clamp(pos);
}

size_t TextEditState::LineStart(size_t pos) const {
  pos = std::min(pos, text_.size());
  while (pos > 0 && text_[pos - 1] != '\n') --pos;
  return pos;
}

size_t TextEditState::LineEnd(size_t pos) const {
  while (pos < text_.size() && text_[pos] != '\n') ++pos;
  return pos;
}

}  // namespace somnara::fw
