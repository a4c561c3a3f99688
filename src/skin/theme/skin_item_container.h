#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace somnara::skin {

// The item container of a skin (the inflated SKINDATA.SK2): named pictures, integers, byte
// values and texts, read from a chain of 77-byte records. Pictures and texts stay inside the
// container's own bytes, so a chain whose records all point at one large block costs no copies.
// Name lookups ignore ASCII letter case; when a name occurs twice the first one wins.
class SkinItemContainer {
 public:
  // Reads the record chain. Throws SkinFileError when the header or a record lies outside the
  // data, a record's data does not fit, a picture is not a valid BMP file image, or the chain
  // is longer than the data could hold without records overlapping (which is what a chain
  // that loops back on itself comes to).
  explicit SkinItemContainer(std::vector<uint8_t> data);

  SkinItemContainer(SkinItemContainer&&) = default;
  SkinItemContainer& operator=(SkinItemContainer&&) = default;
  SkinItemContainer(const SkinItemContainer&) = delete;
  SkinItemContainer& operator=(const SkinItemContainer&) = delete;

  // The complete BMP file image of a picture item.
  std::optional<std::span<const uint8_t>> FindBitmap(std::string_view name) const;
  std::optional<int32_t> FindInteger(std::string_view name) const;
  std::optional<uint8_t> FindByte(std::string_view name) const;
  std::optional<std::string_view> FindString(std::string_view name) const;

  size_t BitmapCount() const { return bitmaps_.size(); }
  size_t IntegerCount() const { return integers_.size(); }
  size_t ByteCount() const { return bytes_.size(); }
  size_t StringCount() const { return strings_.size(); }

 private:
  // A picture or text: its place in data_.
  struct BlockItem {
    std::string name;
    size_t offset = 0;
    size_t size = 0;
  };
  template <typename T>
  struct ValueItem {
    std::string name;
    T value{};
  };

  void ReadChain();
  std::span<const uint8_t> Block(const BlockItem& item) const;

  std::vector<uint8_t> data_;
  std::vector<BlockItem> bitmaps_;
  std::vector<ValueItem<int32_t>> integers_;
  std::vector<ValueItem<uint8_t>> bytes_;
  std::vector<BlockItem> strings_;
};

}  // namespace somnara::skin
