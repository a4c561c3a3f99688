// Pictures: their size, loading errors, pictures stored in descriptions, and animated GIFs
// that keep the file's rhythm on the message loop's clock.
#include "framework/controls/image.h"

#include <gmock/gmock.h>

#include <filesystem>

#include "controls_fixture.h"
#include "framework/description/description_loader.h"
#include "framework/exceptions.h"
#include "framework/resources.h"
#include "gif_writer.h"

namespace somnara::fw {
namespace {

using ImageTest = somnara::testing::ControlsTest;
using somnara::testing::SolidFramesGif;

std::vector<uint8_t> SolidBmp(int w, int h, Color c) {
  Bitmap b(w, h);
  b.Fill(c);
  return b.SaveToBytes();
}

TEST_F(ImageTest, AutoSizeTakesThePictureSizeAndKeepsThePlace) {
  Form* form = MakeForm();
  auto* image = new Image(form);
  image->SetParent(form);
  image->SetBounds(-8, 7, 50, 50);
  image->GetPicture().LoadFromBytes(SolidBmp(30, 20, clRed));
  EXPECT_EQ(image->Width(), 50);  // AutoSize is off by default
  image->SetAutoSize(true);
  EXPECT_EQ(image->BoundsRect(), Rect::FromSize(-8, 7, 30, 20));
  image->GetPicture().LoadFromBytes(SolidBmp(12, 34, clBlue));
  EXPECT_EQ(image->BoundsRect(), Rect::FromSize(-8, 7, 12, 34));
  Pump();
  EXPECT_EQ(PixelOf(*image, 11, 0), 0x0000FFu);
  EXPECT_EQ(PixelOf(*image, 10, 33), 0x0000FFu);
}

TEST_F(ImageTest, AMissingFileRaisesTheFileErrorAndKeepsThePicture) {
  Form* form = MakeForm();
  auto* image = new Image(form);
  image->SetParent(form);
  image->GetPicture().LoadFromBytes(SolidBmp(5, 6, clRed));
  const std::string path = "/nonexistent-program-dir/pend.gif";
  try {
    image->GetPicture().LoadFromFile(path);
    FAIL() << "no error";
  } catch (const FileError& e) {
    // The full path as the system writes one (with a drive and backslashes on Windows).
    const std::string full = std::filesystem::absolute(path).lexically_normal().string();
    EXPECT_THAT(e.what(), ::testing::StartsWith("Cannot open file \"" + full + "\". "));
  }
  EXPECT_EQ(image->GetPicture().Width(), 5);
  EXPECT_THROW(image->GetPicture().LoadFromBytes(std::vector<uint8_t>{1, 2, 3}), Exception);
  EXPECT_EQ(image->GetPicture().Height(), 6);
}

TEST_F(ImageTest, ADescriptionCarriesThePictureAndStretchFillsTheControl) {
  std::vector<uint8_t> bmp = SolidBmp(4, 4, clLime);
  static std::vector<uint8_t> keep;
  keep = bmp;
  static const ResourceEntry table[] = {{"test/glass.bmp", keep.data(), keep.size()},
                                        {nullptr, nullptr, 0}};
  RegisterResources(table);
  Form* form = MakeForm(200, 200, false);
  form->SetName("");
  LoadDescriptionText(*form, R"(TForm Form3 {
    TImage Image1 { Left = 10  Top = 20  Width = 40  Height = 30  Stretch = True
                    Picture = resource("test/glass.bmp") }
  })");
  form->Show();
  Pump();
  auto* image = form->Find<Image>("Image1");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->GetPicture().Width(), 4);
  EXPECT_EQ(PixelOf(*image, 39, 29), 0x00FF00u);
  EXPECT_EQ(PixelOf(*image, 0, 0), 0x00FF00u);
}

TEST_F(ImageTest, PictureDataMayCarryTheDesktopFormFileWrapping) {
  Form* form = MakeForm();
  auto* image = new Image(form);
  image->SetParent(form);
  std::vector<uint8_t> bmp = SolidBmp(3, 2, clRed);
  std::vector<uint8_t> wrapped = {7, 'T', 'B', 'i', 't', 'm', 'a', 'p'};
  uint32_t size = uint32_t(bmp.size());
  for (int i = 0; i < 4; ++i) wrapped.push_back(uint8_t(size >> (8 * i)));
  wrapped.insert(wrapped.end(), bmp.begin(), bmp.end());
  Value v;
  v.kind = Value::Kind::kBinary;
  v.bytes = wrapped;
  SetProperty(*image, "Picture.Data", v);
  EXPECT_EQ(image->GetPicture().Width(), 3);
  v.bytes = SolidFramesGif(5, 4, {0x00FF00}, {10});
  v.bytes.insert(v.bytes.begin(), {9, 'T', 'G', 'I', 'F', 'I', 'm', 'a', 'g', 'e'});
  SetProperty(*image, "Picture", v);
  EXPECT_EQ(image->GetPicture().Width(), 5);
  v.bytes = {7, 'T', 'B', 'i', 't', 'm', 'a', 'p', 1, 2};
  EXPECT_THROW(SetProperty(*image, "Picture", v), Exception);
  EXPECT_EQ(image->GetPicture().Width(), 5);
}

TEST_F(ImageTest, AnAnimatedGifStartsWhenPaintedAndKeepsTheFileDelays) {
  Form* form = MakeForm();
  auto* image = new Image(form);
  image->SetVisible(false);
  image->SetParent(form);
  image->SetAutoSize(true);
  // Red 100 ms, green 250 ms, blue 50 ms, then round again.
  image->GetPicture().LoadFromBytes(
      SolidFramesGif(8, 8, {0xFF0000, 0x00FF00, 0x0000FF}, {10, 25, 5}));
  ASSERT_TRUE(image->GetPicture().Graphic().Animated());
  std::vector<std::pair<int64_t, size_t>> changes;
  image->OnProgress = [&](Component*) { changes.emplace_back(Now(), image->CurrentFrame()); };
  std::vector<uint32_t> shown;
  windows.At(1000, [&] {
    EXPECT_FALSE(image->Animating());  // hidden pictures are not painted, so not animated
    image->Show();
  });
  for (int64_t t : {1050, 1150, 1380, 1420})
    windows.At(t, [&] {
      App().ProcessMessages();
      shown.push_back(PixelOf(*image, 4, 4));
    });
  RunUntil(1501);
  EXPECT_EQ(changes,
            (std::vector<std::pair<int64_t, size_t>>{{1100, 1}, {1350, 2}, {1400, 0}, {1500, 1}}));
  EXPECT_EQ(shown, (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0xFF0000}));
}

// Covered (or with the display off) the animation neither paints nor ticks; uncovered, it
// shows the frame it has reached by then and changes on the same beat as before.
TEST_F(ImageTest, ACoveredWindowsAnimationWaitsWithoutTicksAndShowsTheFrameDueWhenUncovered) {
  Form* form = MakeForm();
  auto* image = new Image(form);
  image->SetParent(form);
  image->SetAutoSize(true);
  // Red 100 ms, green 100 ms, blue 100 ms, round and round.
  image->GetPicture().LoadFromBytes(
      SolidFramesGif(8, 8, {0xFF0000, 0x00FF00, 0x0000FF}, {10, 10, 10}));
  auto* native = static_cast<platform::HeadlessWindow*>(form->NativeWindow());
  int presents = 0;
  std::vector<int64_t> changes;
  image->OnProgress = [&](Component*) { changes.push_back(Now()); };
  windows.At(50, [&] {
    ASSERT_TRUE(image->Animating());
    windows.SetSeen(native, false);
  });
  windows.At(60, [&] { presents = native->PresentCount(); });
  windows.At(1030, [&] {
    App().ProcessMessages();
    EXPECT_EQ(native->PresentCount(), presents);  // nothing drawn
    EXPECT_FALSE(image->Animating());
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(PixelOf(*image, 4, 4), 0xFF0000u);
    windows.SetSeen(native, true);
  });
  windows.At(1040, [&] {
    App().ProcessMessages();
    EXPECT_EQ(image->CurrentFrame(), 1u);  // 1030 ms: ten changes from red
    EXPECT_EQ(PixelOf(*image, 4, 4), 0x00FF00u);
  });
  RunUntil(1150);
  EXPECT_EQ(changes, (std::vector<int64_t>{1030, 1100}));
}

TEST_F(ImageTest, TransparentPicturesKeyOutTheirBottomLeftColour) {
  Form* form = MakeForm();
  form->SetColor(clNavy);
  Bitmap b(6, 6);
  b.Fill(clWhite);
  b.SetPixel(2, 2, clRed);
  auto* image = new Image(form);
  image->SetParent(form);
  image->SetBounds(0, 0, 6, 6);
  image->GetPicture().LoadFromBytes(b.SaveToBytes());
  image->SetTransparent(true);
  Pump();
  EXPECT_EQ(PixelOf(*image, 0, 0), 0x000080u);
  EXPECT_EQ(PixelOf(*image, 2, 2), 0xFF0000u);
}

}  // namespace
}  // namespace somnara::fw
