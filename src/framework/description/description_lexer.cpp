#include "framework/description/description_lexer.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "framework/description/description_error.h"
#include "platform/utf8.h"

namespace somnara::fw {
namespace {

bool IsIdentStart(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsIdentChar(unsigned char c) {
  return IsIdentStart(c) || (c >= '0' && c <= '9');
}
bool IsDigit(unsigned char c) {
  return c >= '0' && c <= '9';
}
int HexDigit(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string Hex(uint32_t v, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*X", digits, unsigned(v));
  return buf;
}

}  // namespace

DescriptionLexer::DescriptionLexer(std::string_view text, std::string source)
    : text_(text), source_(std::move(source)) {
  // Editors on some systems start UTF-8 files with a byte order mark.
  if (text_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
}

void DescriptionLexer::Fail(SourcePosition where, const std::string& what) const {
  throw DescriptionError("Syntax error in " + source_ + " at line " + std::to_string(where.line) +
                             ", column " + std::to_string(where.column) + ": " + what,
                         source_, where);
}

void DescriptionLexer::Bump() {
  const auto c = static_cast<unsigned char>(text_[pos_++]);
  if (c == '\n') {
    ++line_;
    column_ = 1;
  } else if ((c & 0xC0) != 0x80) {
    ++column_;
  }
}

void DescriptionLexer::SkipBlanks() {
  while (!AtEnd()) {
    const unsigned char c = Peek();
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
      Bump();
    } else if (c == '#') {
      while (!AtEnd() && Peek() != '\n') Bump();
    } else {
      break;
    }
  }
}

Token DescriptionLexer::Next() {
  SkipBlanks();
  Token t;
  t.position = Here();
  if (AtEnd()) return t;
  const unsigned char c = Peek();
  if (IsIdentStart(c)) return ReadIdentifier();
  if (IsDigit(c) || (c == '-' && IsDigit(Peek(1)))) return ReadNumber();
  if (c == '"') return ReadString();
  switch (c) {
    case '{':
      t.kind = TokenKind::kLeftBrace;
      break;
    case '}':
      t.kind = TokenKind::kRightBrace;
      break;
    case '=':
      t.kind = TokenKind::kEquals;
      break;
    case '[':
      t.kind = TokenKind::kLeftBracket;
      break;
    case ']':
      t.kind = TokenKind::kRightBracket;
      break;
    case '(':
      t.kind = TokenKind::kLeftParen;
      break;
    case ')':
      t.kind = TokenKind::kRightParen;
      break;
    case ',':
      t.kind = TokenKind::kComma;
      break;
    case '<':
      t.kind = TokenKind::kLess;
      break;
    case '>':
      t.kind = TokenKind::kGreater;
      break;
    default: {
      if (c >= 0x21 && c < 0x7F)
        Fail(t.position, std::string("unexpected character '") + char(c) + "'");
      if (c < 0x80) Fail(t.position, "unexpected control character 0x" + Hex(c, 2));
      char32_t cp;
      if (platform::DecodeUtf8Char(text_.substr(pos_), cp) == 0) Fail(t.position, "invalid UTF-8");
      Fail(t.position, "unexpected character U+" + Hex(cp, 4));
    }
  }
  Bump();
  return t;
}

Token DescriptionLexer::ReadIdentifier() {
  Token t;
  t.kind = TokenKind::kIdentifier;
  t.position = Here();
  const size_t start = pos_;
  while (true) {
    while (!AtEnd() && IsIdentChar(Peek())) Bump();
    if (Peek() != '.') break;
    if (!IsIdentStart(Peek(1))) {
      SourcePosition dot = Here();
      Fail(dot, "a name is expected after '.'");
    }
    Bump();
  }
  t.text.assign(text_.substr(start, pos_ - start));
  return t;
}

Token DescriptionLexer::ReadNumber() {
  Token t;
  t.position = Here();
  const size_t start = pos_;
  const bool negative = Peek() == '-';
  if (negative) Bump();
  if (Peek() == '0' && (Peek(1) == 'x' || Peek(1) == 'X')) {
    Bump();
    Bump();
    uint64_t value = 0;
    int digits = 0;
    while (HexDigit(Peek()) >= 0) {
      if (value > (std::numeric_limits<uint64_t>::max() >> 4))
        Fail(t.position, "integer too large");
      value = (value << 4) | uint64_t(HexDigit(Peek()));
      ++digits;
      Bump();
    }
    if (digits == 0) Fail(t.position, "hexadecimal digits are expected after 0x");
    if (IsIdentChar(Peek()) || Peek() == '.') Fail(t.position, "invalid number");
    const uint64_t limit = uint64_t(std::numeric_limits<int64_t>::max()) + (negative ? 1 : 0);
    if (value > limit) Fail(t.position, "integer too large");
    t.kind = TokenKind::kInteger;
    t.integer = negative ? int64_t(0 - value) : int64_t(value);
    return t;
  }
  while (IsDigit(Peek())) Bump();
  bool is_float = false;
  if (Peek() == '.' && IsDigit(Peek(1))) {
    is_float = true;
    Bump();
    while (IsDigit(Peek())) Bump();
  }
  if (Peek() == 'e' || Peek() == 'E') {
    size_t ahead = 1;
    if (Peek(1) == '+' || Peek(1) == '-') ahead = 2;
    if (IsDigit(Peek(ahead))) {
      is_float = true;
      for (size_t i = 0; i < ahead; ++i) Bump();
      while (IsDigit(Peek())) Bump();
    }
  }
  if (IsIdentChar(Peek()) || Peek() == '.') Fail(t.position, "invalid number");
  const char* first = text_.data() + start;
  const char* last = text_.data() + pos_;
  if (is_float) {
    double value = 0;
    auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || !std::isfinite(value))
      Fail(t.position, "number out of range");
    t.kind = TokenKind::kFloat;
    t.real = value;
    return t;
  }
  uint64_t magnitude = 0;
  for (const char* p = first + (negative ? 1 : 0); p != last; ++p) {
    const uint64_t digit = uint64_t(*p - '0');
    if (magnitude > (std::numeric_limits<uint64_t>::max() - digit) / 10)
      Fail(t.position, "integer too large");
    magnitude = magnitude * 10 + digit;
  }
  const uint64_t limit = uint64_t(std::numeric_limits<int64_t>::max()) + (negative ? 1 : 0);
  if (magnitude > limit) Fail(t.position, "integer too large");
  t.kind = TokenKind::kInteger;
  t.integer = negative ? int64_t(0 - magnitude) : int64_t(magnitude);
  return t;
}

Token DescriptionLexer::ReadString() {
  Token t;
  t.kind = TokenKind::kString;
  t.position = Here();
  Bump();  // the opening quote
  while (true) {
    if (AtEnd() || Peek() == '\n') Fail(t.position, "unterminated string");
    const unsigned char c = Peek();
    if (c == '"') {
      Bump();
      return t;
    }
    if (c == '\\') {
      platform::AppendUtf8(t.text, ReadEscape());
    } else if (c < 0x20 && c != '\t') {
      Fail(Here(), "control character 0x" + Hex(c, 2) + " in a string (write an escape)");
    } else if (c >= 0x80) {
      char32_t cp;
      const size_t length = platform::DecodeUtf8Char(text_.substr(pos_), cp);
      if (length == 0) Fail(Here(), "invalid UTF-8 in a string");
      t.text.append(text_.substr(pos_, length));
      for (size_t i = 0; i < length; ++i) Bump();
    } else {
      t.text += char(c);
      Bump();
    }
  }
}

char32_t DescriptionLexer::ReadEscape() {
  const SourcePosition where = Here();
  Bump();  // the backslash
  const unsigned char c = Peek();
  switch (c) {
    case '"':
      Bump();
      return U'"';
    case '\\':
      Bump();
      return U'\\';
    case 'n':
      Bump();
      return U'\n';
    case 't':
      Bump();
      return U'\t';
    case 'r':
      Bump();
      return U'\r';
    case 'u':
      break;
    default:
      Fail(where, "unknown escape in a string");
  }
  Bump();
  uint32_t unit = ReadHex4();
  if (unit >= 0xDC00 && unit <= 0xDFFF) Fail(where, "\\u escape with a lone low surrogate");
  if (unit >= 0xD800 && unit <= 0xDBFF) {
    // Characters beyond the basic plane come as a surrogate pair: \uD83D\uDE00.
    if (Peek() != '\\' || Peek(1) != 'u') Fail(where, "\\u escape with a lone high surrogate");
    Bump();
    Bump();
    const uint32_t low = ReadHex4();
    if (low < 0xDC00 || low > 0xDFFF) Fail(where, "\\u escape with a lone high surrogate");
    unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
  }
  if (unit == 0) Fail(where, "\\u0000 is not allowed in a string");
  return char32_t(unit);
}

uint32_t DescriptionLexer::ReadHex4() {
  const SourcePosition where = Here();
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) {
    const int digit = HexDigit(Peek());
    if (digit < 0) Fail(where, "four hexadecimal digits are expected after \\u");
    value = (value << 4) | uint32_t(digit);
    Bump();
  }
  return value;
}

}  // namespace somnara::fw
