#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace somnara::skin {

namespace pkware_detail {
constexpr std::array<uint32_t, 256> MakeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}
inline constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();
}  // namespace pkware_detail

// The traditional PKWARE stream cipher of archive entries: three 32-bit keys stirred with
// every plain byte. Header-only so that the skin writer tool can encipher without linking
// the skin library.
class PkwareCipher {
 public:
  explicit PkwareCipher(std::string_view password) {
    for (char c : password) Update(static_cast<uint8_t>(c));
  }

  uint8_t Decrypt(uint8_t cipher_byte) {
    const uint8_t plain = cipher_byte ^ KeyByte();
    Update(plain);
    return plain;
  }

  uint8_t Encrypt(uint8_t plain_byte) {
    const uint8_t cipher_byte = plain_byte ^ KeyByte();
    Update(plain_byte);
    return cipher_byte;
  }

  // One step of the reflected CRC-32 (polynomial 0xEDB88320) without the usual inversions,
  // which is what the key schedule needs.
  static uint32_t Crc32Step(uint32_t crc, uint8_t byte) {
    return pkware_detail::kCrcTable[(crc ^ byte) & 0xFF] ^ (crc >> 8);
  }

 private:
  uint8_t KeyByte() const {
    // Computed in 32 bits: the 16-bit product would overflow a promoted int.
    const uint32_t t = (key2_ | 2u) & 0xFFFFu;
    return static_cast<uint8_t>(((t * (t ^ 1u)) >> 8) & 0xFFu);
  }

  void Update(uint8_t plain_byte) {
    key0_ = Crc32Step(key0_, plain_byte);
    key1_ = (key1_ + (key0_ & 0xFFu)) * 134775813u + 1u;
    key2_ = Crc32Step(key2_, static_cast<uint8_t>(key1_ >> 24));
  }

  uint32_t key0_ = 0x12345678u;
  uint32_t key1_ = 0x23456789u;
  uint32_t key2_ = 0x34567890u;
};

}  // namespace somnara::skin
