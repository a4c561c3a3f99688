#include "framework/controls/stored_picture.h"

#include <cctype>

namespace somnara::fw {

std::span<const uint8_t> StoredPictureFile(std::span<const uint8_t> data) {
  // A class name: a length byte, then "T" and letters.
  size_t n = data.empty() ? 0 : data[0];
  if (n >= 2 && n < 64 && data.size() > n + 1 && data[1] == 'T') {
    bool name = true;
    for (size_t i = 1; i <= n; ++i) name = name && std::isalnum(data[i]);
    if (name) data = data.subspan(n + 1);
  }
  // A size word that covers exactly the rest, before a BMP, JPEG or GIF file.
  if (data.size() > 7 &&
      ((data[4] == 'B' && data[5] == 'M') || (data[4] == 0xFF && data[5] == 0xD8) ||
       (data[4] == 'G' && data[5] == 'I' && data[6] == 'F'))) {
    uint32_t size = uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 |
                    uint32_t(data[3]) << 24;
    if (size == data.size() - 4) data = data.subspan(4);
  }
  return data;
}

}  // namespace somnara::fw
