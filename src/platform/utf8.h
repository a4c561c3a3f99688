#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// UTF-8 as every layer reads and writes it: window titles, window descriptions, drawn text and
// typed characters all agree on what a malformed byte becomes.
namespace somnara::platform {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes the one sequence at the start of `s`. Returns its length, or 0 when it is malformed,
// cut short, overlong, a surrogate or past U+10FFFF.
size_t DecodeUtf8Char(std::string_view s, char32_t& code_point);

// Decodes a whole text; each byte that starts no valid sequence becomes one U+FFFD, so the
// character after a broken sequence is never swallowed.
std::u32string DecodeUtf8(std::string_view s);

// Appends one character; surrogates and values past U+10FFFF are written as U+FFFD.
void AppendUtf8(std::string& out, char32_t code_point);

std::string EncodeUtf8(char32_t code_point);

// The text with every malformed byte replaced, valid UTF-8 throughout.
std::string SanitizeUtf8(std::string_view s);

}  // namespace somnara::platform
