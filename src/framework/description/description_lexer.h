#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/description/description_tree.h"

namespace somnara::fw {

enum class TokenKind {
  kEnd,
  kIdentifier,  // letters, digits and '_', dot-joined: clBlack, Font.Name, Form1.Part
  kInteger,
  kFloat,
  kString,
  kLeftBrace,
  kRightBrace,
  kEquals,
  kLeftBracket,
  kRightBracket,
  kLeftParen,
  kRightParen,
  kComma,
  kLess,
  kGreater,
};

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string text;  // identifier, or the decoded string
  int64_t integer = 0;
  double real = 0;
  SourcePosition position;
};

// Splits a description text into tokens. Any fault in the text (a stray character, a bad
// escape, invalid UTF-8, a number out of range) throws DescriptionError at its position.
class DescriptionLexer {
 public:
  DescriptionLexer(std::string_view text, std::string source);

  Token Next();
  const std::string& Source() const { return source_; }
  [[noreturn]] void Fail(SourcePosition where, const std::string& what) const;

 private:
  bool AtEnd() const { return pos_ >= text_.size(); }
  unsigned char Peek(size_t ahead = 0) const {
    return pos_ + ahead < text_.size() ? static_cast<unsigned char>(text_[pos_ + ahead]) : 0;
  }
  void Bump();
  SourcePosition Here() const { return {line_, column_}; }
  void SkipBlanks();
  Token ReadIdentifier();
  Token ReadNumber();
  Token ReadString();
  char32_t ReadEscape();
  uint32_t ReadHex4();

  std::string_view text_;
  std::string source_;
  size_t pos_ = 0;
  int line_ = 1;
  int column_ = 1;
};

}  // namespace somnara::fw
