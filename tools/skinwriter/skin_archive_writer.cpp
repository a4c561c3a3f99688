#include "skinwriter/skin_archive_writer.h"

#include <zlib.h>

#include <stdexcept>

#include "picture/little_endian.h"
#include "skin/theme/pkware_cipher.h"
#include "skin/theme/skin_file_layout.h"

namespace somnara::skinwriter {

namespace layout = skin::layout;
using picture::PutU16;
using picture::PutU32;

std::vector<uint8_t> DeflateRaw(std::span<const uint8_t> data) {
  z_stream zs{};
  if (deflateInit2(&zs, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    throw std::runtime_error("deflateInit2 failed");
  std::vector<uint8_t> out(deflateBound(&zs, static_cast<uLong>(data.size())));
  zs.next_in = const_cast<Bytef*>(data.data());
  zs.avail_in = static_cast<uInt>(data.size());
  zs.next_out = out.data();
  zs.avail_out = static_cast<uInt>(out.size());
  const int rc = deflate(&zs, Z_FINISH);
  out.resize(zs.total_out);
  deflateEnd(&zs);
  if (rc != Z_STREAM_END) throw std::runtime_error("deflate did not finish");
  return out;
}

void SkinArchiveWriter::AddEntry(std::string_view name, std::span<const uint8_t> content,
                                 const EntryOptions& options) {
  Entry entry;
  entry.name = std::string(name);
  entry.time = options.time;
  entry.date = options.date;
  entry.crc = static_cast<uint32_t>(crc32(0L, content.data(), static_cast<uInt>(content.size())));
  entry.size = static_cast<uint32_t>(content.size());
  std::vector<uint8_t> deflated = DeflateRaw(content);
  if (options.password.empty()) {
    entry.stored = std::move(deflated);
  } else {
    entry.flags = layout::kFlagEnciphered;
    if (options.check_byte_from_time) entry.flags |= layout::kFlagCheckByteFromTime;
    skin::PkwareCipher cipher(options.password);
    // The first eleven header bytes only stir the keys; derive them from the content so
    // that the output stays reproducible.
    uint32_t seed = entry.crc ^ 0x9E3779B9u;
    for (size_t i = 0; i + 1 < layout::kEncryptionHeaderSize; ++i) {
      seed = seed * 1664525u + 1013904223u;
      entry.stored.push_back(cipher.Encrypt(uint8_t(seed >> 24)));
    }
    const uint8_t check =
        options.check_byte_from_time ? uint8_t(entry.time >> 8) : uint8_t(entry.crc >> 24);
    entry.stored.push_back(cipher.Encrypt(check));
    for (uint8_t b : deflated) entry.stored.push_back(cipher.Encrypt(b));
  }
  entries_.push_back(std::move(entry));
}

void SkinArchiveWriter::AddStoredEntry(std::string_view name, std::vector<uint8_t> stored,
                                       uint16_t flags, uint32_t crc, uint32_t size) {
  const EntryOptions defaults;
  entries_.push_back(
      {std::string(name), flags, defaults.time, defaults.date, crc, size, std::move(stored)});
}

std::vector<uint8_t> SkinArchiveWriter::Build() const {
  std::vector<uint8_t> out;
  std::vector<uint32_t> local_offsets;
  for (const Entry& e : entries_) {
    local_offsets.push_back(static_cast<uint32_t>(out.size()));
    PutU32(out, layout::kLocalHeaderSignature);
    PutU16(out, layout::kVersionNeeded);
    PutU16(out, e.flags);
    PutU16(out, layout::kMethodDeflate);
    PutU16(out, e.time);
    PutU16(out, e.date);
    PutU32(out, e.crc);
    PutU32(out, static_cast<uint32_t>(e.stored.size()));
    PutU32(out, e.size);
    PutU16(out, static_cast<uint16_t>(e.name.size()));
    PutU16(out, 0);
    out.insert(out.end(), e.name.begin(), e.name.end());
    out.insert(out.end(), e.stored.begin(), e.stored.end());
  }
  const auto directory = static_cast<uint32_t>(out.size());
  for (size_t i = 0; i < entries_.size(); ++i) {
    const Entry& e = entries_[i];
    PutU32(out, layout::kCentralRecordSignature);
    PutU16(out, layout::kVersionNeeded);  // made by
    PutU16(out, layout::kVersionNeeded);
    PutU16(out, e.flags);
    PutU16(out, layout::kMethodDeflate);
    PutU16(out, e.time);
    PutU16(out, e.date);
    PutU32(out, e.crc);
    PutU32(out, static_cast<uint32_t>(e.stored.size()));
    PutU32(out, e.size);
    PutU16(out, static_cast<uint16_t>(e.name.size()));
    PutU16(out, 0);     // extra
    PutU16(out, 0);     // comment
    PutU16(out, 0);     // disk
    PutU16(out, 0);     // internal attributes
    PutU32(out, 0x20);  // external attributes: archive
    PutU32(out, local_offsets[i]);
    out.insert(out.end(), e.name.begin(), e.name.end());
  }
  const auto directory_size = static_cast<uint32_t>(out.size()) - directory;
  PutU32(out, layout::kEndRecordSignature);
  PutU16(out, 0);
  PutU16(out, 0);
  PutU16(out, static_cast<uint16_t>(entries_.size()));
  PutU16(out, static_cast<uint16_t>(entries_.size()));
  PutU32(out, directory_size);
  PutU32(out, directory);
  PutU16(out, 0);
  return out;
}

}  // namespace somnara::skinwriter
