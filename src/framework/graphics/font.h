#pragma once

#include <string>

#include "framework/graphics/color.h"

namespace somnara::fw {

// Style bits of a font.
enum FontStyle : unsigned {
  kFontBold = 1,
  kFontItalic = 2,
  kFontUnderline = 4,
  kFontStrikeOut = 8,
};

constexpr int DEFAULT_CHARSET = 1;
constexpr int ANSI_CHARSET = 0;
constexpr int GB2312_CHARSET = 134;

// The pixels per inch every size is converted with.
constexpr int kScreenPixelsPerInch = 96;

// A font description. Height < 0 is the character (em) height in pixels, Height > 0 the
// cell height (em plus internal leading); Size is in points at 96 dpi, and setting either
// recomputes the other.
class Font {
 public:
  Font() = default;

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  int Height() const { return height_; }
  void SetHeight(int height) { height_ = height; }
  // Points: -Height x 72 / 96, rounded; a positive (cell) height gives a negative size.
  int Size() const;
  void SetSize(int points);

  unsigned Style() const { return style_; }
  void SetStyle(unsigned style) { style_ = style & 15u; }
  bool Bold() const { return style_ & kFontBold; }
  void SetBold(bool on) { SetStyleBit(kFontBold, on); }
  bool Italic() const { return style_ & kFontItalic; }
  void SetItalic(bool on) { SetStyleBit(kFontItalic, on); }
  bool Underline() const { return style_ & kFontUnderline; }
  void SetUnderline(bool on) { SetStyleBit(kFontUnderline, on); }
  bool StrikeOut() const { return style_ & kFontStrikeOut; }
  void SetStrikeOut(bool on) { SetStyleBit(kFontStrikeOut, on); }

  fw::Color Color() const { return color_; }
  void SetColor(fw::Color color) { color_ = color; }

  int Charset() const { return charset_; }
  void SetCharset(int charset) { charset_ = charset; }

  friend bool operator==(const Font&, const Font&) = default;

 private:
  void SetStyleBit(unsigned bit, bool on) { style_ = on ? (style_ | bit) : (style_ & ~bit); }

  std::string name_ = "MS Sans Serif";
  int height_ = -11;  // 8 points
  unsigned style_ = 0;
  fw::Color color_ = clWindowText;
  int charset_ = DEFAULT_CHARSET;
};

}  // namespace somnara::fw
