#include "skin/theme/skin_archive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "skin/archive/skin_test_data.h"
#include "skinwriter/skin_archive_writer.h"

namespace somnara::skin {
namespace {

using testing::ArchiveOf;
using testing::CentralRecordOf;
using testing::PutU16At;
using testing::PutU32At;

std::vector<uint8_t> SampleContent() {
  std::vector<uint8_t> content;
  for (int i = 0; i < 5000; ++i) content.push_back(uint8_t((i * 31) ^ (i >> 3)));
  return content;
}

ExtractResult Extract(const std::vector<uint8_t>& archive, std::string_view password = "",
                      std::string_view name = layout::kSkinEntryName) {
  std::vector<uint8_t> out;
  const ExtractResult result = ExtractSkinEntry(archive, name, password, out);
  if (result != ExtractResult::kOk) {
    EXPECT_TRUE(out.empty());
  }
  return result;
}

TEST(SkinArchive, PlainEntryRoundTrips) {
  const auto content = SampleContent();
  std::vector<uint8_t> out;
  ASSERT_EQ(ExtractSkinEntry(ArchiveOf(content), "SKINDATA.SK2", "", out), ExtractResult::kOk);
  EXPECT_EQ(out, content);
}

TEST(SkinArchive, EntryNamesMatchInAnyCase) {
  const auto content = SampleContent();
  std::vector<uint8_t> out;
  EXPECT_EQ(ExtractSkinEntry(ArchiveOf(content), "skindata.sk2", "", out), ExtractResult::kOk);
  EXPECT_EQ(ExtractSkinEntry(ArchiveOf(content, {}, "SkinData.Sk2"), "SKINDATA.SK2", "", out),
            ExtractResult::kOk);
  EXPECT_EQ(out, content);
  EXPECT_EQ(Extract(ArchiveOf(content), "", "SKINDATA.SK"), ExtractResult::kFailed);
}

TEST(SkinArchive, FirstMatchingEntryWinsAndOthersAreFound) {
  const std::vector<uint8_t> first(100, 'a');
  const std::vector<uint8_t> second(200, 'b');
  const std::vector<uint8_t> other(300, 'c');
  skinwriter::SkinArchiveWriter writer;
  writer.AddEntry("readme.txt", other);
  writer.AddEntry("skindata.sk2", first);
  writer.AddEntry("SKINDATA.SK2", second);
  const auto archive = writer.Build();
  std::vector<uint8_t> out;
  ASSERT_EQ(ExtractSkinEntry(archive, "SKINDATA.SK2", "", out), ExtractResult::kOk);
  EXPECT_EQ(out, first);
  ASSERT_EQ(ExtractSkinEntry(archive, "README.TXT", "", out), ExtractResult::kOk);
  EXPECT_EQ(out, other);
  EXPECT_EQ(Extract(archive, "", "missing.sk2"), ExtractResult::kFailed);
}

TEST(SkinArchive, ArchiveMustStartWithSk) {
  auto archive = ArchiveOf(SampleContent());
  archive[0] = 'P';
  EXPECT_EQ(Extract(archive), ExtractResult::kFailed);
  archive[0] = 'S';
  archive[1] = 'k';
  EXPECT_EQ(Extract(archive), ExtractResult::kFailed);
}

TEST(SkinArchive, EncipheredEntryNeedsTheRightPassword) {
  const auto content = SampleContent();
  const auto archive = ArchiveOf(content, {.password = "warm beige"});
  std::vector<uint8_t> out;
  ASSERT_EQ(ExtractSkinEntry(archive, "SKINDATA.SK2", "warm beige", out), ExtractResult::kOk);
  EXPECT_EQ(out, content);
  EXPECT_EQ(Extract(archive, ""), ExtractResult::kNotDeciphered);
  // A wrong password fails the check byte (or, 1 time in 256, the inflation after it).
  int not_deciphered = 0;
  for (const char* wrong : {"warm beigE", "x", "warm beige ", "cold blue", "WARM BEIGE"}) {
    const ExtractResult result = Extract(archive, wrong);
    EXPECT_NE(result, ExtractResult::kOk) << wrong;
    not_deciphered += result == ExtractResult::kNotDeciphered;
  }
  EXPECT_GE(not_deciphered, 4);
}

TEST(SkinArchive, DeciphersAFixedArchive) {
  // Enciphered with the password "pw" and checked against another implementation of the
  // traditional cipher, so that reader and writer cannot agree on a wrong key schedule.
  const std::vector<uint8_t> archive = {
      0x53, 0x4B, 0x03, 0x04, 0x14, 0x00, 0x01, 0x00, 0x08, 0x00, 0x21, 0x5A, 0x21, 0x58, 0x90,
      0x42, 0xD6, 0x50, 0x27, 0x00, 0x00, 0x00, 0x19, 0x00, 0x00, 0x00, 0x0C, 0x00, 0x00, 0x00,
      0x53, 0x4B, 0x49, 0x4E, 0x44, 0x41, 0x54, 0x41, 0x2E, 0x53, 0x4B, 0x32, 0xA1, 0xC3, 0x58,
      0x8B, 0x59, 0xC5, 0x7C, 0x1C, 0xEC, 0x1B, 0x08, 0x3E, 0xF4, 0x84, 0x22, 0x8D, 0xAB, 0x58,
      0x8C, 0x1B, 0xB5, 0x2B, 0xCE, 0x44, 0xFA, 0x6A, 0x14, 0x00, 0x1E, 0xF6, 0x49, 0xA8, 0xAF,
      0x55, 0xF4, 0x4A, 0x54, 0x5F, 0x1B, 0x50, 0x4B, 0x01, 0x02, 0x14, 0x00, 0x14, 0x00, 0x01,
      0x00, 0x08, 0x00, 0x21, 0x5A, 0x21, 0x58, 0x90, 0x42, 0xD6, 0x50, 0x27, 0x00, 0x00, 0x00,
      0x19, 0x00, 0x00, 0x00, 0x0C, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x20,
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x53, 0x4B, 0x49, 0x4E, 0x44, 0x41, 0x54, 0x41,
      0x2E, 0x53, 0x4B, 0x32, 0x50, 0x4B, 0x05, 0x06, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01,
      0x00, 0x3A, 0x00, 0x00, 0x00, 0x51, 0x00, 0x00, 0x00, 0x00, 0x00};
  std::vector<uint8_t> out;
  ASSERT_EQ(ExtractSkinEntry(archive, "SKINDATA.SK2", "pw", out), ExtractResult::kOk);
  EXPECT_EQ(std::string(out.begin(), out.end()), "Somnara skin, enciphered.");
  EXPECT_EQ(Extract(archive, "pW"), ExtractResult::kNotDeciphered);
}

TEST(SkinArchive, CheckByteCanComeFromTheTime) {
  const auto content = SampleContent();
  auto archive = ArchiveOf(content, {.password = "pw", .check_byte_from_time = true});
  std::vector<uint8_t> out;
  ASSERT_EQ(ExtractSkinEntry(archive, "SKINDATA.SK2", "pw", out), ExtractResult::kOk);
  EXPECT_EQ(out, content);
  // The check byte is the time's high byte, so the CRC's does not matter...
  const size_t central = CentralRecordOf(archive);
  archive[central + layout::kCentralCrc + 3] ^= 0x55;
  EXPECT_EQ(Extract(archive, "pw"), ExtractResult::kOk);
  // ...but a different time no longer matches.
  archive[central + layout::kCentralTime + 1] ^= 0x55;
  EXPECT_EQ(Extract(archive, "pw"), ExtractResult::kNotDeciphered);
}

TEST(SkinArchive, CentralRecordFlagsDecide) {
  // Clearing the encipher flag in the central record makes the reader inflate cipher text.
  auto archive = ArchiveOf(SampleContent(), {.password = "pw"});
  PutU16At(archive, CentralRecordOf(archive) + layout::kCentralFlags, 0);
  EXPECT_NE(Extract(archive, "pw"), ExtractResult::kOk);
  // Clearing it in the local header alone changes nothing.
  auto local_only = ArchiveOf(SampleContent(), {.password = "pw"});
  PutU16At(local_only, 6, 0);
  EXPECT_EQ(Extract(local_only, "pw"), ExtractResult::kOk);
}

TEST(SkinArchive, LengthMismatchIsNotDeciphered) {
  const auto content = SampleContent();
  for (int64_t delta : {-1, 1, -4999}) {
    auto archive = ArchiveOf(content);
    PutU32At(archive, CentralRecordOf(archive) + layout::kCentralUncompressedSize,
             uint32_t(int64_t(content.size()) + delta));
    EXPECT_EQ(Extract(archive), ExtractResult::kNotDeciphered) << delta;
  }
}

TEST(SkinArchive, EmptyEntryFails) {
  EXPECT_EQ(Extract(ArchiveOf({})), ExtractResult::kFailed);
}

std::vector<uint8_t> ArchiveWithDeflateData(std::vector<uint8_t> raw, uint32_t size = 10) {
  skinwriter::SkinArchiveWriter writer;
  writer.AddStoredEntry(layout::kSkinEntryName, std::move(raw), 0, 0, size);
  return writer.Build();
}

TEST(SkinArchive, BadDeflateDataFails) {
  // Reserved block type 3.
  EXPECT_EQ(Extract(ArchiveWithDeflateData({0x07, 0x00, 0x00})), ExtractResult::kFailed);
  // A dynamic block declaring 287 literal/length codes.
  EXPECT_EQ(Extract(ArchiveWithDeflateData({0xF5, 0x00, 0x00, 0x00})), ExtractResult::kFailed);
  // A dynamic block declaring 31 distance codes.
  EXPECT_EQ(Extract(ArchiveWithDeflateData({0x05, 0x1E, 0x00, 0x00})), ExtractResult::kFailed);
  // A stored block whose length and its complement disagree.
  EXPECT_EQ(Extract(ArchiveWithDeflateData({0x01, 0x05, 0x00, 0x00, 0x00, 'a'})),
            ExtractResult::kFailed);
}

TEST(SkinArchive, DataEndingBeforeTheFinalBlockFails) {
  // A complete stored block that is not marked final, then nothing (the directory that
  // follows is no valid block either).
  EXPECT_EQ(Extract(ArchiveWithDeflateData({0x00, 0x02, 0x00, 0xFD, 0xFF, 'h', 'i'}, 2)),
            ExtractResult::kFailed);
  // The final stored block decodes.
  EXPECT_EQ(Extract(ArchiveWithDeflateData({0x01, 0x02, 0x00, 0xFD, 0xFF, 'h', 'i'}, 2)),
            ExtractResult::kOk);
}

TEST(SkinArchive, InflationStopsAtTheLimit) {
  // 20 MiB of zeros deflate to a few kilobytes.
  const std::vector<uint8_t> bomb(20u << 20, 0);
  auto archive = ArchiveOf(bomb);
  ASSERT_LT(archive.size(), 64u * 1024);
  EXPECT_EQ(Extract(archive), ExtractResult::kFailed);
  // Declaring less than the entry inflates to stops early as a length mismatch.
  PutU32At(archive, CentralRecordOf(archive) + layout::kCentralUncompressedSize, 1000);
  EXPECT_EQ(Extract(archive), ExtractResult::kNotDeciphered);
}

TEST(SkinArchive, DamagedStructureFails) {
  const auto good = ArchiveOf(SampleContent());
  const size_t end = good.size() - layout::kEndRecordSize;
  const size_t central = CentralRecordOf(good);

  auto bad_signature = good;
  bad_signature[end] = 'Q';
  EXPECT_EQ(Extract(bad_signature), ExtractResult::kFailed);

  auto comment = good;
  PutU16At(comment, end + layout::kEndCommentLength, 1);
  EXPECT_EQ(Extract(comment), ExtractResult::kFailed);

  auto trailing = good;
  trailing.push_back(0);
  EXPECT_EQ(Extract(trailing), ExtractResult::kFailed);

  auto directory_past_end = good;
  PutU32At(directory_past_end, end + layout::kEndDirectoryOffset, 0xFFFFFFF0u);
  EXPECT_EQ(Extract(directory_past_end), ExtractResult::kFailed);

  auto long_name = good;
  PutU16At(long_name, central + layout::kCentralNameLength, 0xFFFF);
  EXPECT_EQ(Extract(long_name), ExtractResult::kFailed);

  auto local_past_end = good;
  PutU32At(local_past_end, central + layout::kCentralLocalHeaderOffset, 0xFFFFFFFFu);
  EXPECT_EQ(Extract(local_past_end), ExtractResult::kFailed);

  auto local_name_past_end = good;
  PutU16At(local_name_past_end, layout::kLocalNameLength, 0xFFFF);
  EXPECT_EQ(Extract(local_name_past_end), ExtractResult::kFailed);

  // Every shortened copy fails cleanly: its end record is no longer the last 22 bytes.
  for (size_t n = 0; n < good.size(); ++n) {
    const std::vector<uint8_t> prefix(good.begin(), good.begin() + n);
    ASSERT_EQ(Extract(prefix), ExtractResult::kFailed) << n;
  }
}

TEST(SkinArchive, ReadsArchiveFiles) {
  const auto content = SampleContent();
  const auto dir = std::filesystem::temp_directory_path() /
                   ("skin_archive_test_" + std::to_string(std::random_device()()));
  std::filesystem::create_directories(dir);
  const auto path = dir / "theme.skn";
  {
    const auto archive = ArchiveOf(content);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(archive.data()), std::streamsize(archive.size()));
  }
  std::vector<uint8_t> out;
  EXPECT_EQ(ExtractSkinEntry(path, "SKINDATA.SK2", "", out), ExtractResult::kOk);
  EXPECT_EQ(out, content);
  EXPECT_EQ(ExtractSkinEntry(dir / "missing.skn", "SKINDATA.SK2", "", out), ExtractResult::kFailed);
  EXPECT_EQ(ExtractSkinEntry(dir, "SKINDATA.SK2", "", out), ExtractResult::kFailed);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace somnara::skin
