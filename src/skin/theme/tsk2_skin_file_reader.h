#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "skin/theme/skin_item_container.h"

namespace somnara::skin {

// Reads a skin file: extracts and inflates its SKINDATA.SK2 entry and reads the item
// container in it. Construction does the whole read, in memory (no temporary files).
class Tsk2SkinFileReader {
 public:
  // The message of the error raised for a file that cannot be read.
  static constexpr char kReadError[] = "Failed to read skin file!";

  // Throws SkinFileError(kReadError) for an unreadable or malformed archive, a missing entry,
  // bad deflate data or a malformed container. An enciphered entry without the right
  // password, or whose length does not match, leaves the reader not ready without an error.
  Tsk2SkinFileReader(std::span<const uint8_t> archive, std::string_view password);
  Tsk2SkinFileReader(const std::filesystem::path& path, std::string_view password);

  bool Ready() const { return items_.has_value(); }
  // Only valid while Ready().
  const SkinItemContainer& Items() const { return *items_; }

  // Answers for a missing item (or a reader that is not ready): no picture, -1, false.
  std::optional<std::span<const uint8_t>> Bitmap(std::string_view name) const;
  int32_t Integer(std::string_view name) const;
  bool Byte(std::string_view name) const;

 private:
  void Read(std::span<const uint8_t> archive, std::string_view password);

  std::optional<SkinItemContainer> items_;
};

}  // namespace somnara::skin
