#include "skin/theme/skin_archive.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <new>
#include <optional>
#include <string_view>
#include <system_error>

#include "skin/theme/ascii_case.h"
#include "skin/theme/byte_reader.h"
#include "skin/theme/inflate_raw.h"
#include "skin/theme/pkware_cipher.h"
#include "skin/theme/skin_file_layout.h"

namespace somnara::skin {

namespace {

using namespace layout;

// Offset of the central record whose name matches, or none.
std::optional<uint64_t> FindCentralRecord(const ByteReader& in, std::string_view entry_name) {
  if (in.Size() < kEndRecordSize) return std::nullopt;
  const uint64_t end_record = in.Size() - kEndRecordSize;
  if (in.U32(end_record) != kEndRecordSignature) return std::nullopt;
  if (in.U16(end_record + kEndCommentLength) != 0) return std::nullopt;

  // Every step moves forward by at least the fixed record size, so the walk ends.
  uint64_t pos = in.U32(end_record + kEndDirectoryOffset);
  while (pos < end_record) {
    const uint16_t name_length = in.U16(pos + kCentralNameLength);
    const uint16_t extra_length = in.U16(pos + kCentralExtraLength);
    const uint16_t comment_length = in.U16(pos + kCentralCommentLength);
    const auto name = in.Bytes(pos + kCentralRecordSize, name_length);
    const std::string_view name_text(reinterpret_cast<const char*>(name.data()), name.size());
    if (EqualsIgnoreAsciiCase(name_text, entry_name)) return pos;
    pos += kCentralRecordSize + uint64_t(name_length) + extra_length + comment_length;
  }
  return std::nullopt;
}

ExtractResult Extract(const ByteReader& in, std::span<const uint8_t> archive,
                      std::string_view entry_name, std::string_view password,
                      std::vector<uint8_t>& out) {
  if (in.Size() < 2 || archive[0] != 'S' || archive[1] != 'K') return ExtractResult::kFailed;
  const auto central = FindCentralRecord(in, entry_name);
  if (!central) return ExtractResult::kFailed;

  const uint16_t flags = in.U16(*central + kCentralFlags);
  const uint32_t declared_size = in.U32(*central + kCentralUncompressedSize);
  const uint64_t local = in.U32(*central + kCentralLocalHeaderOffset);
  const uint64_t name_length = in.U16(local + kLocalNameLength);
  const uint64_t extra_length = in.U16(local + kLocalExtraLength);
  uint64_t data_start = local + kLocalHeaderSize + name_length + extra_length;
  // The entry runs to the end of the file; inflation stops at its final block.
  std::span<const uint8_t> data = in.Bytes(data_start, in.Size() - std::min(in.Size(), data_start));

  std::vector<uint8_t> deciphered;
  if (flags & kFlagEnciphered) {
    if (password.empty()) return ExtractResult::kNotDeciphered;
    if (data.size() < kEncryptionHeaderSize) return ExtractResult::kFailed;
    PkwareCipher cipher(password);
    uint8_t check = 0;
    for (size_t i = 0; i < kEncryptionHeaderSize; ++i) check = cipher.Decrypt(data[i]);
    const uint8_t expected = (flags & kFlagCheckByteFromTime)
                                 ? static_cast<uint8_t>(in.U16(*central + kCentralTime) >> 8)
                                 : static_cast<uint8_t>(in.U32(*central + kCentralCrc) >> 24);
    if (check != expected) return ExtractResult::kNotDeciphered;
    deciphered.resize(data.size() - kEncryptionHeaderSize);
    for (size_t i = 0; i < deciphered.size(); ++i)
      deciphered[i] = cipher.Decrypt(data[kEncryptionHeaderSize + i]);
    data = deciphered;
  }

  // One byte more than declared is enough to know that the length does not match.
  const size_t limit = std::min<size_t>(size_t(declared_size) + 1, kMaxInflatedSize);
  switch (InflateRaw(data, limit, out)) {
    case InflateStatus::kOk:
      break;
    case InflateStatus::kTooLarge:
      if (declared_size < kMaxInflatedSize) return ExtractResult::kNotDeciphered;
      return ExtractResult::kFailed;
    default:
      return ExtractResult::kFailed;
  }
  if (out.empty()) return ExtractResult::kFailed;
  if (out.size() != declared_size) return ExtractResult::kNotDeciphered;
  return ExtractResult::kOk;
}

}  // namespace

ExtractResult ExtractSkinEntry(std::span<const uint8_t> archive, std::string_view entry_name,
                               std::string_view password, std::vector<uint8_t>& out) {
  out.clear();
  ExtractResult result = ExtractResult::kFailed;
  try {
    result = Extract(ByteReader(archive), archive, entry_name, password, out);
  } catch (const SkinFileError&) {
    result = ExtractResult::kFailed;
  } catch (const std::bad_alloc&) {
    result = ExtractResult::kFailed;
  }
  if (result != ExtractResult::kOk) {
    out.clear();
    out.shrink_to_fit();
  }
  return result;
}

ExtractResult ExtractSkinEntry(const std::filesystem::path& archive_path,
                               std::string_view entry_name, std::string_view password,
                               std::vector<uint8_t>& out) {
  out.clear();
  std::vector<uint8_t> archive;
  if (!ReadSkinFileBytes(archive_path, kMaxArchiveSize, archive)) return ExtractResult::kFailed;
  return ExtractSkinEntry(archive, entry_name, password, out);
}

bool ReadSkinFileBytes(const std::filesystem::path& path, size_t max_size,
                       std::vector<uint8_t>& out) {
  out.clear();
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  // Read in blocks rather than trusting the size on disk, which can change under us.
  std::array<char, 16 * 1024> block;
  while (file) {
    file.read(block.data(), block.size());
    const auto got = static_cast<size_t>(file.gcount());
    if (out.size() + got > max_size) {
      out.clear();
      return false;
    }
    out.insert(out.end(), block.data(), block.data() + got);
  }
  if (file.bad()) {
    out.clear();
    return false;
  }
  return true;
}

}  // namespace somnara::skin
