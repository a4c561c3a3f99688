#include "skin/theme/tsk2_skin_file_reader.h"

#include "skin/theme/skin_archive.h"
#include "skin/theme/skin_file_error.h"
#include "skin/theme/skin_file_layout.h"

namespace somnara::skin {

Tsk2SkinFileReader::Tsk2SkinFileReader(std::span<const uint8_t> archive,
                                       std::string_view password) {
  Read(archive, password);
}

Tsk2SkinFileReader::Tsk2SkinFileReader(const std::filesystem::path& path,
                                       std::string_view password) {
  std::vector<uint8_t> archive;
  if (!ReadSkinFileBytes(path, layout::kMaxArchiveSize, archive)) throw SkinFileError(kReadError);
  Read(archive, password);
}

void Tsk2SkinFileReader::Read(std::span<const uint8_t> archive, std::string_view password) {
  std::vector<uint8_t> container;
  switch (ExtractSkinEntry(archive, layout::kSkinEntryName, password, container)) {
    case ExtractResult::kOk:
      break;
    case ExtractResult::kNotDeciphered:
      return;
    case ExtractResult::kFailed:
      throw SkinFileError(kReadError);
  }
  try {
    items_.emplace(std::move(container));
  } catch (const SkinFileError&) {
    throw SkinFileError(kReadError);
  }
}

std::optional<std::span<const uint8_t>> Tsk2SkinFileReader::Bitmap(std::string_view name) const {
  if (!items_) return std::nullopt;
  return items_->FindBitmap(name);
}

int32_t Tsk2SkinFileReader::Integer(std::string_view name) const {
  if (!items_) return -1;
  return items_->FindInteger(name).value_or(-1);
}

bool Tsk2SkinFileReader::Byte(std::string_view name) const {
  if (!items_) return false;
  return items_->FindByte(name).value_or(0) != 0;
}

}  // namespace somnara::skin
