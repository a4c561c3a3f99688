#include "skin/theme/skin_item_container.h"

#include <gtest/gtest.h>

#include <string>

#include "skin/archive/skin_test_data.h"
#include "skin/theme/skin_file_error.h"
#include "skinwriter/skin_container_writer.h"

namespace somnara::skin {
namespace {

using testing::PutU32At;
using testing::RawContainer;
using testing::StripedBmp;

constexpr size_t kR = layout::kRecordSize;
constexpr size_t kH = layout::kContainerHeaderSize;

TEST(SkinItemContainer, ReadsEveryKindOfItem) {
  skinwriter::SkinContainerWriter writer;
  const auto bmp = StripedBmp(5, 3);
  writer.AddBitmap("SKIN2_BUTTON", bmp);
  writer.AddInteger("SKIN2_FORMCOLOR", 0x00CAE5ED);
  writer.AddInteger("SKIN2_NEGATIVE", -7);
  writer.AddByte("SKIN2_BUTTONTRANS", 1);
  writer.AddString("SKIN2_NOTE", "made by hand");
  const SkinItemContainer items(writer.Build());

  EXPECT_EQ(items.BitmapCount(), 1u);
  EXPECT_EQ(items.IntegerCount(), 2u);
  EXPECT_EQ(items.ByteCount(), 1u);
  EXPECT_EQ(items.StringCount(), 1u);
  const auto found = items.FindBitmap("SKIN2_BUTTON");
  ASSERT_TRUE(found);
  EXPECT_EQ(std::vector<uint8_t>(found->begin(), found->end()), bmp);
  EXPECT_EQ(items.FindInteger("SKIN2_FORMCOLOR"), 0x00CAE5ED);
  EXPECT_EQ(items.FindInteger("SKIN2_NEGATIVE"), -7);
  EXPECT_EQ(items.FindByte("SKIN2_BUTTONTRANS"), 1);
  EXPECT_EQ(items.FindString("SKIN2_NOTE"), "made by hand");
  // Each kind has its own list.
  EXPECT_FALSE(items.FindInteger("SKIN2_BUTTON"));
  EXPECT_FALSE(items.FindBitmap("SKIN2_FORMCOLOR"));
  EXPECT_FALSE(items.FindByte("SKIN2_MISSING"));
}

TEST(SkinItemContainer, LookupsIgnoreCaseAndTheFirstNameWins) {
  skinwriter::SkinContainerWriter writer;
  writer.AddInteger("Skin2_FormColor", 1);
  writer.AddInteger("SKIN2_FORMCOLOR", 2);
  writer.AddByte("skin2_flag", 0);
  writer.AddByte("SKIN2_FLAG", 1);
  const SkinItemContainer items(writer.Build());
  EXPECT_EQ(items.IntegerCount(), 2u);
  EXPECT_EQ(items.FindInteger("SKIN2_FORMCOLOR"), 1);
  EXPECT_EQ(items.FindInteger("skin2_formcolor"), 1);
  EXPECT_EQ(items.FindByte("Skin2_Flag"), 0);
  EXPECT_FALSE(items.FindInteger("SKIN2_FORMCOLO"));
}

TEST(SkinItemContainer, ClosingRecordIsNoItem) {
  RawContainer raw(kH + kR);
  raw.Record(kH, "SKIN2_LOOKSLIKEANITEM", 1, 0, 4, 0);
  const SkinItemContainer items(raw.data());
  EXPECT_EQ(items.IntegerCount(), 0u);
  EXPECT_FALSE(items.FindInteger("SKIN2_LOOKSLIKEANITEM"));
}

TEST(SkinItemContainer, NameFillingAllSixtyFourBytesHasNoTerminator) {
  const std::string name(64, 'N');
  RawContainer raw(kH + 2 * kR + 4);
  raw.Record(kH, name, 1, kH + kR, 4, kH + kR + 4);
  PutU32At(raw.data(), kH + kR, 42);
  raw.Record(kH + kR + 4, "", 0, 0, 0, 0);
  const SkinItemContainer items(raw.data());
  EXPECT_EQ(items.FindInteger(name), 42);
  // The type byte that follows the name is not part of it.
  EXPECT_FALSE(items.FindInteger(name + '\x01'));
}

TEST(SkinItemContainer, ValuesAreReadOnlyAsFarAsTheirField) {
  RawContainer raw(600);
  uint8_t* d = raw.data().data();
  // An 8-byte integer item: only the first four bytes count.
  raw.Record(kH, "LONG", 1, 500, 8, kH + kR);
  for (int i = 0; i < 8; ++i) d[500 + i] = uint8_t(0x11 * (i + 1));
  // A 2-byte integer item fills the low bytes.
  raw.Record(kH + kR, "SHORT", 1, 510, 2, kH + 2 * kR);
  d[510] = 0x34;
  d[511] = 0x12;
  // A byte item of size 0 still reads its one byte; one of size 3 reads only the first.
  raw.Record(kH + 2 * kR, "FLAG0", 2, 520, 0, kH + 3 * kR);
  d[520] = 5;
  raw.Record(kH + 3 * kR, "FLAG3", 2, 521, 3, kH + 4 * kR);
  d[521] = 0;
  d[522] = 1;
  raw.Record(kH + 4 * kR, "", 0, 0, 0, 0);
  const SkinItemContainer items(raw.data());
  EXPECT_EQ(items.FindInteger("LONG"), 0x44332211);
  EXPECT_EQ(items.FindInteger("SHORT"), 0x1234);
  EXPECT_EQ(items.FindByte("FLAG0"), 5);
  EXPECT_EQ(items.FindByte("FLAG3"), 0);
}

TEST(SkinItemContainer, UnknownKindsAreSkipped) {
  RawContainer raw(kH + 2 * kR);
  raw.Record(kH, "FUTURE", 9, 0, 100000, kH + kR);
  raw.Record(kH + kR, "", 0, 0, 0, 0);
  const SkinItemContainer items(raw.data());
  EXPECT_EQ(items.BitmapCount() + items.IntegerCount() + items.ByteCount() + items.StringCount(),
            0u);
}

void ExpectRejected(std::vector<uint8_t> data, const char* what) {
  EXPECT_THROW(SkinItemContainer{std::move(data)}, SkinFileError) << what;
}

TEST(SkinItemContainer, HostileChainsAreRejected) {
  {
    RawContainer raw(kH + kR);
    raw.Record(kH, "SELF", 1, 0, 4, kH);  // points at itself
    ExpectRejected(raw.data(), "record that loops on itself");
  }
  {
    RawContainer raw(kH + 2 * kR);
    raw.Record(kH, "A", 1, 0, 4, kH + kR);
    raw.Record(kH + kR, "B", 1, 0, 4, kH);  // back to the first
    ExpectRejected(raw.data(), "two records in a ring");
  }
  {
    RawContainer raw(kH + kR + 10);
    raw.Record(kH, "OVERLAP", 2, 0, 1, kH + 1);  // each record one byte after the last
    for (size_t at = kH + 1; at + kR <= raw.data().size(); ++at)
      raw.Record(at, "OVERLAP", 2, 0, 1, uint32_t(at + 1));
    ExpectRejected(raw.data(), "chain that runs off the end");
  }
  {
    RawContainer raw(kH + kR);
    raw.Record(kH, "FAR", 1, 0, 4, 0xFFFFFFF0u);
    ExpectRejected(raw.data(), "next record past the end");
  }
  {
    RawContainer raw(kH + 2 * kR);
    raw.Record(kH, "DATA", 3, kH + kR + 70, 10, kH + kR);
    raw.Record(kH + kR, "", 0, 0, 0, 0);
    ExpectRejected(raw.data(), "text running past the end");
  }
  {
    RawContainer raw(kH + 2 * kR);
    raw.Record(kH, "DATA", 3, 0xFFFFFFFFu, 0xFFFFFFFFu, kH + kR);
    raw.Record(kH + kR, "", 0, 0, 0, 0);
    ExpectRejected(raw.data(), "offset and size that wrap in 32 bits");
  }
  {
    RawContainer raw(kH + 2 * kR);
    raw.Record(kH, "INT", 1, uint32_t(raw.data().size() - 2), 4, kH + kR);
    raw.Record(kH + kR, "", 0, 0, 0, 0);
    ExpectRejected(raw.data(), "integer cut off by the end");
  }
  {
    RawContainer raw(kH + kR);
    PutU32At(raw.data(), layout::kContainerFirstRecord, kH + 1);
    ExpectRejected(raw.data(), "first record cut off by the end");
  }
  {
    RawContainer raw(kH + kR);
    raw.Record(kH, "", 0, 0, 0, 0);
    PutU32At(raw.data(), layout::kContainerHeaderLength, 20);
    ExpectRejected(raw.data(), "header too short to hold the first-record offset");
    PutU32At(raw.data(), layout::kContainerHeaderLength, 0x7FFFFFFF);
    ExpectRejected(raw.data(), "header longer than the data");
  }
  ExpectRejected({}, "no data at all");
  ExpectRejected(std::vector<uint8_t>(23, 0), "less than a header");
}

TEST(SkinItemContainer, PicturesMustBeValidBitmaps) {
  auto bmp = StripedBmp(4, 4);
  PutU32At(bmp, 22, 400);  // claims 400 rows
  skinwriter::SkinContainerWriter liar;
  liar.AddBitmap("SKIN2_BUTTON", bmp);
  ExpectRejected(liar.Build(), "bitmap whose header claims more rows than it holds");

  skinwriter::SkinContainerWriter junk;
  junk.AddBitmap("SKIN2_BUTTON", {'B', 'M', 0, 0});
  ExpectRejected(junk.Build(), "bitmap cut off after its signature");
}

TEST(SkinItemContainer, PicturesStayInsideTheContainerBytes) {
  // A thousand records naming one large picture cost no copies of it.
  const auto bmp = StripedBmp(500, 500);
  RawContainer raw(kH + 1001 * kR + bmp.size());
  const uint32_t picture = uint32_t(kH + 1001 * kR);
  std::copy(bmp.begin(), bmp.end(), raw.data().begin() + picture);
  for (size_t i = 0; i < 1000; ++i)
    raw.Record(kH + i * kR, "P" + std::to_string(i), 0, picture, uint32_t(bmp.size()),
               uint32_t(kH + (i + 1) * kR));
  raw.Record(kH + 1000 * kR, "", 0, 0, 0, 0);
  const SkinItemContainer items(raw.data());
  EXPECT_EQ(items.BitmapCount(), 1000u);
  EXPECT_EQ(items.FindBitmap("p999")->data(), items.FindBitmap("P0")->data());
}

}  // namespace
}  // namespace somnara::skin
