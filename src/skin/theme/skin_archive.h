#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

namespace somnara::skin {

// Outcome of extracting one entry of a skin archive.
enum class ExtractResult : int {
  kOk = 0,             // inflated, and its length matches the directory
  kFailed = 1,         // unreadable or malformed archive, missing entry, bad deflate data
  kNotDeciphered = 2,  // enciphered with no or the wrong password, or a length mismatch
};

// Finds `entry_name` (letter case ignored) in the central directory of a skin archive,
// deciphers it when it is enciphered, and inflates it into `out`. `out` is left empty unless
// the result is kOk. The archive must start with "SK"; its end record must fill the last
// 22 bytes. Inflation stops at the length the directory declares (plus one byte to see a
// mismatch), and never goes past layout::kMaxInflatedSize.
ExtractResult ExtractSkinEntry(std::span<const uint8_t> archive, std::string_view entry_name,
                               std::string_view password, std::vector<uint8_t>& out);

// The same for an archive file. Missing files, files that cannot be read and files larger
// than layout::kMaxArchiveSize give kFailed.
ExtractResult ExtractSkinEntry(const std::filesystem::path& archive_path,
                               std::string_view entry_name, std::string_view password,
                               std::vector<uint8_t>& out);

// Reads a whole file of at most `max_size` bytes; false when it is missing, unreadable or
// larger.
bool ReadSkinFileBytes(const std::filesystem::path& path, size_t max_size,
                       std::vector<uint8_t>& out);

}  // namespace somnara::skin
