#include "skin/theme/tsui_file_theme_mgr.h"

#include "framework/exceptions.h"
#include "framework/graphics/bmp_codec.h"
#include "skin/styles/sui_public.h"

namespace somnara::skin {

bool TsuiFileThemeMgr::ThemeLoad(const std::filesystem::path& path, std::string_view password) {
  const bool ready = data_.ThemeLoad(path, password);
  // A missing file keeps the old reader, and with it the pictures decoded from it.
  if (ready || !data_.HasReader()) ForgetPictures();
  return ready;
}

bool TsuiFileThemeMgr::ThemeLoadBytes(std::span<const uint8_t> archive, std::string_view password) {
  ForgetPictures();
  return data_.ThemeLoadBytes(archive, password);
}

void TsuiFileThemeMgr::ForgetPictures() {
  pictures_.fill(nullptr);
  tried_.fill(false);
}

std::shared_ptr<const fw::Bitmap> TsuiFileThemeMgr::GetThemeBitmap(ThemeBitmap item) const {
  const int index = int(item);
  if (index < 0 || index >= kThemeBitmapCount) return nullptr;
  if (tried_[size_t(index)]) return pictures_[size_t(index)];
  const auto bmp = data_.GetThemeBitmap(item);
  if (!bmp) return nullptr;  // no reader yet: ask again after the next load
  tried_[size_t(index)] = true;
  try {
    pictures_[size_t(index)] = std::make_shared<const fw::Bitmap>(fw::DecodeBmp(*bmp));
  } catch (const fw::Exception&) {
    // The reader checked the header only; a picture whose pixels are damaged is treated
    // as one the skin lacks, so the control falls back as it would for a missing one.
  }
  return pictures_[size_t(index)];
}

bool TsuiFileThemeMgr::GetThemeFrame(ThemeBitmap item, fw::Bitmap& target, int frame_index,
                                     int frame_count) const {
  const std::shared_ptr<const fw::Bitmap> picture = GetThemeBitmap(item);
  if (!picture) return false;
  if (frame_index == 0 || frame_count == 0) {
    target = *picture;
    return true;
  }
  if (frame_count < 1 || frame_index < 1 || frame_index > frame_count) return false;
  SplitPiece(*picture, target, frame_count, frame_index);
  return true;
}

}  // namespace somnara::skin
