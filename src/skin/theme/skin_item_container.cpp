#include "skin/theme/skin_item_container.h"

#include <algorithm>

#include "skin/theme/ascii_case.h"
#include "skin/theme/bmp_header.h"
#include "skin/theme/byte_reader.h"
#include "skin/theme/skin_file_error.h"
#include "skin/theme/skin_file_layout.h"

namespace somnara::skin {

namespace {

using namespace layout;

// The first entry with the name, ignoring case.
template <typename Items>
auto FindFirst(const Items& items, std::string_view name) {
  return std::find_if(items.begin(), items.end(),
                      [&](const auto& item) { return EqualsIgnoreAsciiCase(item.name, name); });
}

// A record's name field: up to the first NUL, or all 64 bytes when it has none.
std::string RecordName(std::span<const uint8_t> field) {
  const auto end = std::find(field.begin(), field.end(), uint8_t{0});
  return std::string(field.begin(), end);
}

}  // namespace

SkinItemContainer::SkinItemContainer(std::vector<uint8_t> data) : data_(std::move(data)) {
  ReadChain();
}

void SkinItemContainer::ReadChain() {
  const ByteReader in(data_);
  // The header's own length says how much of it there is; the first-record offset lies
  // within the fixed 24 bytes, so a shorter header cannot be read.
  const uint32_t header_length = in.U32(kContainerHeaderLength);
  if (header_length < kContainerHeaderSize || !in.Has(0, header_length))
    throw SkinFileError("skin item container header is too short");
  uint64_t record = in.U32(kContainerFirstRecord);

  // Records that do not overlap cannot outnumber this; a longer chain loops.
  const uint64_t max_records = in.Size() / kRecordSize + 1;
  uint64_t records = 0;
  for (;;) {
    const auto fields = in.Bytes(record, kRecordSize);
    const uint64_t next = in.U32(record + kRecordNext);
    if (next == 0) break;  // the closing record holds no item
    if (++records > max_records) throw SkinFileError("skin item chain does not end");

    std::string name = RecordName(fields.first(kRecordNameSize));
    const uint8_t type = fields[kRecordType];
    const uint64_t offset = in.U32(record + kRecordDataOffset);
    const uint64_t size = in.U32(record + kRecordDataSize);
    switch (static_cast<ItemType>(type)) {
      case ItemType::kBitmap: {
        const auto image = in.Bytes(offset, size);
        if (!BmpHeader::Parse(image)) throw SkinFileError("skin picture is not a valid bitmap");
        bitmaps_.push_back({std::move(name), size_t(offset), size_t(size)});
        break;
      }
      case ItemType::kInteger: {
        // Only the first four bytes count; a shorter item fills the low bytes.
        const auto bytes = in.Bytes(offset, std::min<uint64_t>(size, 4));
        uint32_t value = 0;
        for (size_t i = 0; i < bytes.size(); ++i) value |= uint32_t(bytes[i]) << (8 * i);
        integers_.push_back({std::move(name), static_cast<int32_t>(value)});
        break;
      }
      case ItemType::kByte:
        bytes_.push_back({std::move(name), in.U8(offset)});
        break;
      case ItemType::kString:
        in.Bytes(offset, size);
        strings_.push_back({std::move(name), size_t(offset), size_t(size)});
        break;
      default:
        break;  // unknown kinds are skipped, as newer skins may carry them
    }
    record = next;
  }
}

std::span<const uint8_t> SkinItemContainer::Block(const BlockItem& item) const {
  return std::span<const uint8_t>(data_).subspan(item.offset, item.size);
}

std::optional<std::span<const uint8_t>> SkinItemContainer::FindBitmap(std::string_view name) const {
  const auto it = FindFirst(bitmaps_, name);
  if (it == bitmaps_.end()) return std::nullopt;
  return Block(*it);
}

std::optional<int32_t> SkinItemContainer::FindInteger(std::string_view name) const {
  const auto it = FindFirst(integers_, name);
  if (it == integers_.end()) return std::nullopt;
  return it->value;
}

std::optional<uint8_t> SkinItemContainer::FindByte(std::string_view name) const {
  const auto it = FindFirst(bytes_, name);
  if (it == bytes_.end()) return std::nullopt;
  return it->value;
}

std::optional<std::string_view> SkinItemContainer::FindString(std::string_view name) const {
  const auto it = FindFirst(strings_, name);
  if (it == strings_.end()) return std::nullopt;
  const auto block = Block(*it);
  return std::string_view(reinterpret_cast<const char*>(block.data()), block.size());
}

}  // namespace somnara::skin
