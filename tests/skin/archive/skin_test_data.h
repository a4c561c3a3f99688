#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "skin/theme/skin_file_layout.h"
#include "skinwriter/canvas.h"
#include "skinwriter/skin_archive_writer.h"

namespace somnara::skin::testing {

inline void PutU32At(std::vector<uint8_t>& data, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) data[offset + i] = uint8_t(value >> (8 * i));
}
inline void PutU16At(std::vector<uint8_t>& data, size_t offset, uint16_t value) {
  data[offset] = uint8_t(value);
  data[offset + 1] = uint8_t(value >> 8);
}

// A small striped BMP file image, so that frames of it differ.
inline std::vector<uint8_t> StripedBmp(int width, int height) {
  skinwriter::Canvas c(width, height);
  for (int x = 0; x < width; ++x)
    c.VLine(x, 0, height - 1, {uint8_t(x * 7), uint8_t(255 - x), uint8_t(x % 3 * 100)});
  return c.ToBmp();
}

// An archive holding `content` as SKINDATA.SK2.
inline std::vector<uint8_t> ArchiveOf(const std::vector<uint8_t>& content,
                                      const skinwriter::EntryOptions& options = {},
                                      std::string_view name = layout::kSkinEntryName) {
  skinwriter::SkinArchiveWriter writer;
  writer.AddEntry(name, content, options);
  return writer.Build();
}

// Offset of the (only) central record of an archive.
inline size_t CentralRecordOf(const std::vector<uint8_t>& archive) {
  const size_t end = archive.size() - layout::kEndRecordSize;
  const size_t o = end + layout::kEndDirectoryOffset;
  return size_t(archive[o]) | size_t(archive[o + 1]) << 8 | size_t(archive[o + 2]) << 16 |
         size_t(archive[o + 3]) << 24;
}

// Lays records down by hand at chosen places, for containers the writer would never make.
class RawContainer {
 public:
  explicit RawContainer(size_t size) : data_(size, 0) {
    std::memcpy(data_.data(), layout::kContainerMagic, layout::kContainerMagicSize);
    PutU32At(data_, layout::kContainerHeaderLength, layout::kContainerHeaderSize);
    PutU32At(data_, 16, layout::kContainerFormat);
    PutU32At(data_, layout::kContainerFirstRecord, layout::kContainerHeaderSize);
  }
  void Record(size_t at, std::string_view name, uint8_t type, uint32_t offset, uint32_t size,
              uint32_t next) {
    std::memset(&data_[at], 0, layout::kRecordNameSize);
    std::memcpy(&data_[at], name.data(), std::min(name.size(), layout::kRecordNameSize));
    data_[at + layout::kRecordType] = type;
    PutU32At(data_, at + layout::kRecordDataOffset, offset);
    PutU32At(data_, at + layout::kRecordDataSize, size);
    PutU32At(data_, at + layout::kRecordNext, next);
  }
  std::vector<uint8_t>& data() { return data_; }

 private:
  std::vector<uint8_t> data_;
};

}  // namespace somnara::skin::testing
