// A skin archive made by an ordinary archive tool, as skin authors make them: every entry
// carries an entry comment, and its local extra fields (28 bytes) differ in length from its
// central ones (24 bytes). Only the first two bytes were changed to "SK" by hand.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "skin/theme/skin_archive.h"

namespace somnara::skin {
namespace {

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

TEST(SkinArchiveFromATool, EntriesWithExtraFieldsAndCommentsAreRead) {
  const auto path = std::filesystem::path(SOMNARA_ARCHIVE_TEST_DIR) / "extra_fields.skn";
  std::vector<uint8_t> out;
  // The first entry: its data starts after the local extra fields.
  ASSERT_EQ(ExtractSkinEntry(path, "readme.txt", "", out), ExtractResult::kOk);
  EXPECT_EQ(std::string(out.begin(), out.end()), Repeat("Warm beige, for the night.\n", 4));
  // The second: the directory walk passes the first record's extra fields and comment.
  ASSERT_EQ(ExtractSkinEntry(path, "SKINDATA.SK2", "", out), ExtractResult::kOk);
  EXPECT_EQ(std::string(out.begin(), out.end()),
            Repeat("Somnara skin with extra fields and comments. ", 6));
}

}  // namespace
}  // namespace somnara::skin
