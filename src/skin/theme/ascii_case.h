#pragma once

#include <string_view>

namespace somnara::skin {

// Compares two names with ASCII letters folded to one case; other bytes must match exactly.
// Entry and item names of skin files are ASCII, and the comparison must not depend on the
// user's locale.
inline bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

}  // namespace somnara::skin
