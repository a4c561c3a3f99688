#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace somnara::skinwriter {

// Builds a skin item container (SKINDATA.SK2): the header, then for each item its record
// directly followed by its data, then a closing record with an empty name.
class SkinContainerWriter {
 public:
  void AddBitmap(std::string_view name, std::vector<uint8_t> bmp_file);
  void AddInteger(std::string_view name, int32_t value);
  void AddByte(std::string_view name, uint8_t value);
  void AddString(std::string_view name, std::string_view text);

  std::vector<uint8_t> Build() const;

 private:
  struct Item {
    std::string name;  // at most 64 bytes are stored
    uint8_t type = 0;
    std::vector<uint8_t> data;
  };
  std::vector<Item> items_;
};

}  // namespace somnara::skinwriter
