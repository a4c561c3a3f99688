#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string_view>

#include "framework/graphics/bitmap.h"
#include "skin/theme/skin_theme_data.h"
#include "skin/theme/skin_theme_items.h"

namespace somnara::skin {

class Tsk2SkinFileReader;

// Keeps the reader of a skin theme's file (at most one, none until a load succeeds) and
// answers the theme's item questions from it, with pictures decoded for drawing.
class TsuiFileThemeMgr {
 public:
  TsuiFileThemeMgr() = default;
  TsuiFileThemeMgr(const TsuiFileThemeMgr&) = delete;
  TsuiFileThemeMgr& operator=(const TsuiFileThemeMgr&) = delete;

  // When no file exists at `path`: false, and the reader it has stays. Otherwise the old
  // reader goes and the file is read; true when the new reader is ready, which is then
  // kept. An unreadable file leaves no reader and gives false; nothing is thrown.
  bool ThemeLoad(const std::filesystem::path& path, std::string_view password);
  // The same for the bytes of a skin file held in memory.
  bool ThemeLoadBytes(std::span<const uint8_t> archive, std::string_view password);

  bool HasReader() const { return data_.HasReader(); }
  const Tsk2SkinFileReader* Reader() const { return data_.Reader(); }

  // Without a reader: none, 0, 0, false. With one, for an item the skin lacks: none, -1,
  // -1, false. A picture that does not decode counts as missing. Pictures are decoded
  // once per load and shared; a caller may keep one past the next load.
  std::shared_ptr<const fw::Bitmap> GetThemeBitmap(ThemeBitmap item) const;
  int32_t GetThemeColor(ThemeColor item) const { return data_.GetThemeColor(item); }
  int32_t GetThemeInt(ThemeInt item) const { return data_.GetThemeInt(item); }
  bool GetThemeBool(ThemeBool item) const { return data_.GetThemeBool(item); }

  // Frame `frame_index` of `frame_count` equal frames of a theme picture (see SplitPiece)
  // into `target`; the whole picture when either is 0. False, with `target` unchanged,
  // when the picture is missing or has no such frame.
  bool GetThemeFrame(ThemeBitmap item, fw::Bitmap& target, int frame_index, int frame_count) const;

 private:
  void ForgetPictures();

  SkinThemeData data_;
  // Decoded pictures by position; `tried_` tells a missing picture from one not yet asked.
  mutable std::array<std::shared_ptr<const fw::Bitmap>, kThemeBitmapCount> pictures_;
  mutable std::array<bool, kThemeBitmapCount> tried_{};
};

}  // namespace somnara::skin
