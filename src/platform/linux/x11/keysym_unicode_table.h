#pragma once

#include <cstddef>
#include <cstdint>

namespace somnara::platform::x11 {

struct KeysymUnicode {
  uint32_t keysym;
  uint32_t code_point;
};

extern const KeysymUnicode kKeysymUnicodeTable[];
extern const size_t kKeysymUnicodeTableSize;

}  // namespace somnara::platform::x11
