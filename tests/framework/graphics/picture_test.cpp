#include "framework/graphics/picture.h"

#include <gif_lib.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "framework/exceptions.h"
#include "framework/graphics/gif_codec.h"
#include "framework/graphics/jpeg_codec.h"

namespace somnara::fw {
namespace {

// A GIF written with the library's encoder, frame by frame.
class GifWriter {
 public:
  GifWriter(int width, int height, const std::vector<uint32_t>& colours) {
    int error = 0;
    gif_ = EGifOpen(&bytes_, Write, &error);
    EGifSetGifVersion(gif_, true);
    std::vector<GifColorType> table;
    for (uint32_t c : colours)
      table.push_back({GifByteType(c >> 16), GifByteType(c >> 8), GifByteType(c)});
    ColorMapObject* map = GifMakeMapObject(int(table.size()), table.data());
    EGifPutScreenDesc(gif_, width, height, 8, 0, map);
    GifFreeMapObject(map);
  }

  void Frame(int left, int top, int width, int height, const std::vector<GifByteType>& indexes,
             int delay_cs, int disposal, int transparent, bool interlace = false) {
    GraphicsControlBlock gcb{disposal, false, delay_cs, transparent};
    GifByteType ext[4];
    size_t n = EGifGCBToExtension(&gcb, ext);
    EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, int(n), ext);
    EGifPutImageDesc(gif_, left, top, width, height, interlace, nullptr);
    std::vector<int> order;
    if (interlace) {
      static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
      for (int pass = 0; pass < 4; ++pass)
        for (int y = kStart[pass]; y < height; y += kStep[pass]) order.push_back(y);
    } else {
      for (int y = 0; y < height; ++y) order.push_back(y);
    }
    for (int y : order)
      EGifPutLine(gif_, const_cast<GifByteType*>(indexes.data()) + size_t(y) * size_t(width),
                  width);
  }

  std::vector<uint8_t> Finish() {
    int error = 0;
    EGifCloseFile(gif_, &error);
    gif_ = nullptr;
    return bytes_;
  }

  ~GifWriter() {
    if (gif_) Finish();
  }

 private:
  static int Write(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
  }
  GifFileType* gif_ = nullptr;
  std::vector<uint8_t> bytes_;
};

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

std::vector<uint8_t> FourFrameGif() {
  GifWriter w(4, 2, {0x000000, kRed, kGreen, kBlue});
  w.Frame(0, 0, 4, 2, std::vector<GifByteType>(8, 1), 0, DISPOSE_DO_NOT, NO_TRANSPARENT_COLOR);
  w.Frame(1, 0, 2, 2, {2, 3, 3, 2}, 20, DISPOSE_BACKGROUND, 3);
  w.Frame(0, 0, 1, 1, {3}, 5, DISPOSE_PREVIOUS, NO_TRANSPARENT_COLOR);
  w.Frame(3, 1, 1, 1, {2}, 10, DISPOSE_DO_NOT, NO_TRANSPARENT_COLOR);
  return w.Finish();
}

// Frame pixels as letters: R, G, B, k(black), . (nothing drawn yet).
std::string Letters(const Bitmap& b) {
  std::string s;
  for (int y = 0; y < b.Height(); ++y) {
    if (y) s += '/';
    for (int x = 0; x < b.Width(); ++x) {
      uint32_t p = b.Scanline(y)[x];
      if ((p >> 24) == 0) {
        s += '.';
        continue;
      }
      switch (p & 0xFFFFFF) {
        case kRed:
          s += 'R';
          break;
        case kGreen:
          s += 'G';
          break;
        case kBlue:
          s += 'B';
          break;
        case 0:
          s += 'k';
          break;
        default:
          s += '?';
      }
    }
  }
  return s;
}

TEST(GifDecode, FramesAreCompositedWithDisposalTransparencyAndDelays) {
  GifImage gif = DecodeGif(FourFrameGif());
  ASSERT_EQ(gif.frames.size(), 4u);
  EXPECT_EQ(gif.width, 4);
  EXPECT_EQ(gif.height, 2);
  EXPECT_EQ(Letters(gif.frames[0].bitmap), "RRRR/RRRR");
  EXPECT_EQ(Letters(gif.frames[1].bitmap), "RGRR/RRGR");  // transparent pixels show frame 1
  EXPECT_EQ(Letters(gif.frames[2].bitmap), "B..R/R..R");  // frame 2 restored to background
  EXPECT_EQ(Letters(gif.frames[3].bitmap), "R..R/R..G");  // frame 3 restored to before it
  EXPECT_EQ(gif.frames[0].delay_ms, 100);                 // no delay counts as 100 ms
  EXPECT_EQ(gif.frames[1].delay_ms, 200);
  EXPECT_EQ(gif.frames[2].delay_ms, 50);
  EXPECT_EQ(gif.frames[3].delay_ms, 100);
  EXPECT_EQ(gif.frames[1].disposal, FrameDisposal::kRestoreBackground);
  EXPECT_EQ(gif.frames[2].disposal, FrameDisposal::kRestorePrevious);
  EXPECT_EQ(gif.frames[0].bitmap.PixelFormat(), PixelFormat::k32Bit);
}

TEST(GifDecode, InterlacedRowsLandInTheirPlaces) {
  std::vector<uint32_t> colours;
  for (uint32_t i = 0; i < 16; ++i) colours.push_back(i * 0x0F0F0F);
  GifWriter w(2, 11, colours);
  std::vector<GifByteType> rows;
  for (int y = 0; y < 11; ++y) rows.insert(rows.end(), {GifByteType(y), GifByteType(y)});
  w.Frame(0, 0, 2, 11, rows, 0, DISPOSE_DO_NOT, NO_TRANSPARENT_COLOR, true);
  GifImage gif = DecodeGif(w.Finish());
  ASSERT_EQ(gif.frames.size(), 1u);
  for (int y = 0; y < 11; ++y)
    EXPECT_EQ(gif.frames[0].bitmap.Scanline(y)[1], 0xFF000000u | (uint32_t(y) * 0x0F0F0F)) << y;
}

TEST(GifDecode, DamagedFilesGiveErrorsOrTheWholeFramesBeforeTheDamage) {
  std::vector<uint8_t> whole = FourFrameGif();
  for (size_t n = 0; n < whole.size(); ++n) {
    try {
      GifImage gif = DecodeGif(std::span(whole.data(), n));
      EXPECT_GE(gif.frames.size(), 1u);
      EXPECT_LE(gif.frames.size(), 4u);
      EXPECT_EQ(gif.frames[0].bitmap.Width(), 4);
    } catch (const Exception&) {
    }
  }
  std::vector<uint8_t> junk = {'G', 'I', 'F', '8', '9', 'a', 1, 2, 3};
  EXPECT_THROW(DecodeGif(junk), Exception);
  // A screen of 65535 x 65535 is refused before anything is reserved for it.
  GifWriter w(65535, 65535, {0, kRed});
  w.Frame(0, 0, 1, 1, {1}, 0, DISPOSE_DO_NOT, NO_TRANSPARENT_COLOR);
  try {
    DecodeGif(w.Finish());
    ADD_FAILURE() << "decoded";
  } catch (const Exception& e) {
    EXPECT_NE(std::string(e.what()).find("GIF image is not valid"), std::string::npos);
  }
  // Nor is an image of 16384 x 4096 on a screen of 16 x 12 read whole, in 35 bytes.
  const std::vector<uint8_t> huge_image = {'G', 'I',  'F', '8',  '9', 'a', 16, 0,    12, 0, 0x80, 0,
                                           0,   0,    0,   0,    255, 0,   0,  0x2C, 0,  0, 0,    0,
                                           0,   0x40, 0,   0x10, 0,   2,   2,  0x4C, 1,  0, 0x3B};
  try {
    DecodeGif(huge_image);
    ADD_FAILURE() << "decoded";
  } catch (const Exception& e) {
    EXPECT_NE(std::string(e.what()).find("16384 x 4096 is not allowed"), std::string::npos);
  }
}

TEST(JpegCodec, RoundTripThroughTheEncoder) {
  Bitmap b(32, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x)
      b.Scanline(y)[x] = (uint32_t(x * 8) << 16) | (uint32_t(y * 16) << 8) | 0x40;
  std::vector<uint8_t> file = EncodeJpeg(b, 95);
  EXPECT_EQ(DetectPictureFormat(file), PictureFormat::kJpeg);
  Picture picture;
  picture.LoadFromBytes(file);
  ASSERT_EQ(picture.FrameCount(), 1u);
  const Bitmap& d = picture.Graphic();
  ASSERT_EQ(d.Width(), 32);
  ASSERT_EQ(d.Height(), 16);
  int worst = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x)
      for (int shift : {0, 8, 16}) {
        int a = int((b.Scanline(y)[x] >> shift) & 0xFF);
        int c = int((d.Scanline(y)[x] >> shift) & 0xFF);
        worst = std::max(worst, std::abs(a - c));
      }
  EXPECT_LE(worst, 12);
  EXPECT_EQ(d.Scanline(0)[0] >> 24, 0u);
}

TEST(JpegCodec, BrokenDataIsAnErrorNotACrash) {
  std::vector<uint8_t> junk = {0xFF, 0xD8, 0xFF, 0x00, 0x12, 0x34};
  try {
    DecodeJpeg(junk);
    ADD_FAILURE() << "decoded";
  } catch (const Exception& e) {
    EXPECT_NE(std::string(e.what()).find("JPEG image is not valid"), std::string::npos);
  }
  Bitmap b(16, 16);
  std::vector<uint8_t> file = EncodeJpeg(b, 80);
  for (size_t n = 0; n < file.size(); n += 7) {
    try {
      Bitmap d = DecodeJpeg(std::span(file.data(), n));
      EXPECT_EQ(d.Width(), 16);  // a picture cut short is shown as far as it goes
    } catch (const Exception&) {
    }
  }
}

TEST(PictureFiles, MissingFileMessageNamesTheFullPathAndTheReason) {
  try {
    Picture().LoadFromFile("/nonexistent-somnara-dir/pend.gif");
    ADD_FAILURE() << "opened";
  } catch (const FileError& e) {
    // The full path as the system writes one (with a drive and backslashes on Windows).
    EXPECT_EQ(std::string(e.what()),
              "Cannot open file \"" +
                  std::filesystem::absolute("/nonexistent-somnara-dir/pend.gif").string() +
                  "\". No such file or directory");
  }
  // A relative name is shown as the full path.
  std::string full = std::filesystem::absolute("no-such-picture.bmp").string();
  try {
    Bitmap().LoadFromFile("no-such-picture.bmp");
    ADD_FAILURE() << "opened";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot open file \"" + full + "\". No such file or directory");
  }
  std::string dir = ::testing::TempDir();
  try {
    Picture().LoadFromFile(dir);
    ADD_FAILURE() << "opened";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find("Is a directory"), std::string::npos) << e.what();
  }
}

TEST(PictureFiles, LoadsAnAnimatedGifFromAFileAndKeepsItsOldContentOnErrors) {
  std::string path = ::testing::TempDir() + "/somnara_pend.gif";
  {
    std::vector<uint8_t> bytes = FourFrameGif();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  Picture p;
  p.LoadFromFile(path);
  EXPECT_EQ(p.Format(), PictureFormat::kGif);
  EXPECT_TRUE(p.Animated());
  EXPECT_EQ(p.FrameCount(), 4u);
  EXPECT_EQ(p.TotalDuration(), 450);
  EXPECT_EQ(p.Width(), 4);
  std::vector<uint8_t> unknown = {'P', 'K', 3, 4};
  try {
    p.LoadFromBytes(unknown);
    ADD_FAILURE() << "loaded";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Unknown picture file format");
  }
  EXPECT_EQ(p.FrameCount(), 4u);
  // A plain bitmap takes the first frame.
  Bitmap first;
  first.LoadFromFile(path);
  EXPECT_TRUE(first.SamePixels(p.Graphic()));
  std::remove(path.c_str());
}

}  // namespace
}  // namespace somnara::fw
