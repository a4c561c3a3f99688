#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "skin/theme/skin_file_error.h"

namespace somnara::skin {

// Little-endian reads from a block of bytes. Every read is checked against the end of the
// block, with offsets in 64 bits so that offset + count cannot wrap; a read that does not fit
// throws SkinFileError.
class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> data) : data_(data) {}

  uint64_t Size() const { return data_.size(); }
  bool Has(uint64_t offset, uint64_t count) const {
    return offset <= data_.size() && count <= data_.size() - offset;
  }

  std::span<const uint8_t> Bytes(uint64_t offset, uint64_t count) const {
    Require(offset, count);
    return data_.subspan(static_cast<size_t>(offset), static_cast<size_t>(count));
  }
  uint8_t U8(uint64_t offset) const {
    Require(offset, 1);
    return data_[static_cast<size_t>(offset)];
  }
  uint16_t U16(uint64_t offset) const {
    Require(offset, 2);
    const size_t o = static_cast<size_t>(offset);
    return static_cast<uint16_t>(data_[o] | (data_[o + 1] << 8));
  }
  uint32_t U32(uint64_t offset) const {
    Require(offset, 4);
    const size_t o = static_cast<size_t>(offset);
    return uint32_t(data_[o]) | (uint32_t(data_[o + 1]) << 8) | (uint32_t(data_[o + 2]) << 16) |
           (uint32_t(data_[o + 3]) << 24);
  }
  int32_t I32(uint64_t offset) const { return static_cast<int32_t>(U32(offset)); }

 private:
  void Require(uint64_t offset, uint64_t count) const {
    if (!Has(offset, count)) throw SkinFileError("read past the end of the skin data");
  }

  std::span<const uint8_t> data_;
};

}  // namespace somnara::skin
