#include "skin/theme/skin_theme_data.h"

#include <new>
#include <system_error>
#include <utility>

#include "skin/theme/bmp_header.h"
#include "skin/theme/skin_file_error.h"

namespace somnara::skin {

std::optional<std::pair<int, int>> FrameColumns(int source_width, int count, int index) {
  if (count < 1 || index < 1 || index > count || source_width < 0) return std::nullopt;
  const int width = source_width / count;
  const int left = index == count ? source_width - width : (index - 1) * width;
  return std::make_pair(left, width);
}

bool SkinThemeData::ThemeLoad(const std::filesystem::path& path, std::string_view password) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  reader_.reset();
  try {
    auto reader = std::make_unique<Tsk2SkinFileReader>(path, password);
    if (reader->Ready()) reader_ = std::move(reader);
  } catch (const SkinFileError&) {
  } catch (const std::bad_alloc&) {
  }
  return reader_ != nullptr;
}

bool SkinThemeData::ThemeLoadBytes(std::span<const uint8_t> archive, std::string_view password) {
  reader_.reset();
  try {
    auto reader = std::make_unique<Tsk2SkinFileReader>(archive, password);
    if (reader->Ready()) reader_ = std::move(reader);
  } catch (const SkinFileError&) {
  } catch (const std::bad_alloc&) {
  }
  return reader_ != nullptr;
}

std::optional<std::span<const uint8_t>> SkinThemeData::GetThemeBitmap(ThemeBitmap item) const {
  if (!reader_) return std::nullopt;
  return reader_->Bitmap(ThemeItemName(item));
}

int32_t SkinThemeData::GetThemeColor(ThemeColor item) const {
  if (!reader_) return 0;
  return reader_->Integer(ThemeItemName(item));
}

int32_t SkinThemeData::GetThemeInt(ThemeInt item) const {
  if (!reader_) return 0;
  return reader_->Integer(ThemeItemName(item));
}

bool SkinThemeData::GetThemeBool(ThemeBool item) const {
  if (!reader_) return false;
  return reader_->Byte(ThemeItemName(item));
}

std::optional<ThemeFrame> SkinThemeData::GetThemeFrame(ThemeBitmap item, int frame_index,
                                                       int frame_count) const {
  const auto bmp = GetThemeBitmap(item);
  if (!bmp) return std::nullopt;
  // Every picture was checked when the skin was read.
  const auto header = BmpHeader::Parse(*bmp);
  if (!header) return std::nullopt;
  ThemeFrame frame{*bmp, 0, header->width, header->height};
  if (frame_index != 0 && frame_count != 0) {
    const auto columns = FrameColumns(header->width, frame_count, frame_index);
    if (!columns) return std::nullopt;
    frame.left = columns->first;
    frame.width = columns->second;
  }
  return frame;
}

}  // namespace somnara::skin
