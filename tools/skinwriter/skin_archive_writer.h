#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace somnara::skinwriter {

// How one entry is stored.
struct EntryOptions {
  std::string password;               // empty: not enciphered
  bool check_byte_from_time = false;  // the encryption check byte comes from the time field
  uint16_t time = 0x5A21;             // fixed, so that the same input gives the same bytes
  uint16_t date = 0x5821;             // 2024-01-01
};

// Builds a skin archive: "SK" local headers with deflated (and optionally enciphered)
// entries, a central directory and the end record, as the skin reader expects.
class SkinArchiveWriter {
 public:
  void AddEntry(std::string_view name, std::span<const uint8_t> content,
                const EntryOptions& options = {});
  // An entry whose data is already in its stored form (deflated, enciphered as `flags`
  // says), with the CRC and inflated size to declare: for skins made by other means, and
  // for trying the reader on damaged data.
  void AddStoredEntry(std::string_view name, std::vector<uint8_t> stored, uint16_t flags,
                      uint32_t crc, uint32_t size);
  std::vector<uint8_t> Build() const;

 private:
  struct Entry {
    std::string name;
    uint16_t flags = 0;
    uint16_t time = 0;
    uint16_t date = 0;
    uint32_t crc = 0;
    uint32_t size = 0;
    std::vector<uint8_t> stored;  // deflated, enciphered when asked
  };
  std::vector<Entry> entries_;
};

// Raw DEFLATE (no wrapper) at the best compression.
std::vector<uint8_t> DeflateRaw(std::span<const uint8_t> data);

}  // namespace somnara::skinwriter
