#include <string>

#include "program_fixture.h"

namespace somnara::testing {

std::string SmallAnimatedGif() {
  const unsigned char bytes[] = {
      'G',  'I',  'F',  '8',  '9',  'a',  1, 0, 1, 0, 0x80, 0, 0,              // 1 x 1, two colours
      0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00,                                      // white, black
      0x21, 0xF9, 4,    0,    10,   0,    0, 0,                                // 100 ms
      0x2C, 0,    0,    0,    0,    1,    0, 1, 0, 0, 2,    2, 0x44, 0x01, 0,  // pixel 0
      0x21, 0xF9, 4,    0,    10,   0,    0, 0,                                // 100 ms
      0x2C, 0,    0,    0,    0,    1,    0, 1, 0, 0, 2,    2, 0x4C, 0x01, 0,  // pixel 1
      0x3B};
  return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

}  // namespace somnara::testing
