#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "skin/theme/skin_theme_items.h"
#include "skin/theme/tsk2_skin_file_reader.h"

namespace somnara::skin {

// One frame of a theme picture: the picture's BMP file image and the part of it to use.
struct ThemeFrame {
  std::span<const uint8_t> bmp;
  int left = 0;
  int width = 0;
  int height = 0;
};

// The column range of frame `index` (1-based) of `count` equal frames side by side in a
// picture `source_width` wide: width = source_width / count; frame i starts at (i - 1) x
// width, except the last, which is taken from the right edge so that a remainder of the
// division falls before it. None for a count below 1 or an index outside 1..count.
std::optional<std::pair<int, int>> FrameColumns(int source_width, int count, int index);

// What a skin file theme holds: at most one reader of a skin file, and the answers that
// skinned controls get for their items. The theme components are thin wrappers around it.
class SkinThemeData {
 public:
  // Loads the skin file at `path`. When no file exists there, returns false and keeps any
  // reader it has. Otherwise drops its reader and reads the file; returns whether the new
  // reader is ready, keeping it only then. Read errors are not passed on.
  bool ThemeLoad(const std::filesystem::path& path, std::string_view password);
  // The same for a skin file held in memory (the built-in theme's stored copy).
  bool ThemeLoadBytes(std::span<const uint8_t> archive, std::string_view password);

  bool HasReader() const { return reader_ != nullptr; }
  const Tsk2SkinFileReader* Reader() const { return reader_.get(); }

  // Without a reader: none, 0, 0, false. With one: the item's value, or none, -1, -1, false
  // when the skin lacks the item.
  std::optional<std::span<const uint8_t>> GetThemeBitmap(ThemeBitmap item) const;
  int32_t GetThemeColor(ThemeColor item) const;
  int32_t GetThemeInt(ThemeInt item) const;
  bool GetThemeBool(ThemeBool item) const;

  // Frame `frame_index` of `frame_count` of a theme picture (see FrameColumns); the whole
  // picture when either is 0. None when the picture is missing or the frame does not exist.
  std::optional<ThemeFrame> GetThemeFrame(ThemeBitmap item, int frame_index, int frame_count) const;

 private:
  std::unique_ptr<Tsk2SkinFileReader> reader_;
};

}  // namespace somnara::skin
