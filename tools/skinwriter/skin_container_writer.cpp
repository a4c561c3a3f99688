#include "skinwriter/skin_container_writer.h"

#include <algorithm>
#include <cstring>

#include "picture/little_endian.h"
#include "skin/theme/skin_file_layout.h"

namespace somnara::skinwriter {

namespace layout = skin::layout;
using picture::PutU32;

void SkinContainerWriter::AddBitmap(std::string_view name, std::vector<uint8_t> bmp_file) {
  items_.push_back({std::string(name), uint8_t(layout::ItemType::kBitmap), std::move(bmp_file)});
}

void SkinContainerWriter::AddInteger(std::string_view name, int32_t value) {
  std::vector<uint8_t> data;
  PutU32(data, static_cast<uint32_t>(value));
  items_.push_back({std::string(name), uint8_t(layout::ItemType::kInteger), std::move(data)});
}

void SkinContainerWriter::AddByte(std::string_view name, uint8_t value) {
  items_.push_back({std::string(name), uint8_t(layout::ItemType::kByte), {value}});
}

void SkinContainerWriter::AddString(std::string_view name, std::string_view text) {
  items_.push_back({std::string(name), uint8_t(layout::ItemType::kString),
                    std::vector<uint8_t>(text.begin(), text.end())});
}

namespace {

void PutRecord(std::vector<uint8_t>& out, std::string_view name, uint8_t type, uint32_t data_offset,
               uint32_t data_size, uint32_t next) {
  uint8_t field[layout::kRecordNameSize] = {};
  std::memcpy(field, name.data(), std::min(name.size(), sizeof field));
  out.insert(out.end(), field, field + sizeof field);
  out.push_back(type);
  PutU32(out, data_offset);
  PutU32(out, data_size);
  PutU32(out, next);
}

}  // namespace

std::vector<uint8_t> SkinContainerWriter::Build() const {
  std::vector<uint8_t> out(layout::kContainerMagic,
                           layout::kContainerMagic + layout::kContainerMagicSize);
  PutU32(out, layout::kContainerHeaderSize);
  PutU32(out, layout::kContainerFormat);
  PutU32(out, layout::kContainerHeaderSize);
  for (const Item& item : items_) {
    const auto record = static_cast<uint32_t>(out.size());
    const auto data_offset = record + static_cast<uint32_t>(layout::kRecordSize);
    const auto size = static_cast<uint32_t>(item.data.size());
    PutRecord(out, item.name, item.type, data_offset, size, data_offset + size);
    out.insert(out.end(), item.data.begin(), item.data.end());
  }
  PutRecord(out, "", 0, 0, 0, 0);
  return out;
}

}  // namespace somnara::skinwriter
