#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "framework/file_path.h"
#include "framework/graphics/font_catalogue.h"
#include "framework/graphics/picture.h"
#include "framework/graphics/text_renderer.h"
#include "temp_folder.h"

namespace somnara::fw {
namespace {

// Folders whose names are not plain ASCII, as a user's folder often is: fonts and
// pictures in them are found and read, also where the system's narrow file names are not
// UTF-8.
TEST(Utf8Paths, FontsAndPicturesInFoldersWithNonAsciiNames) {
  testing::TempFolder temp;
  const std::string folder = temp.File(
      "Schl\xC3\xA4"
      "fer \xE5\xAD\x97\xE4\xBD\x93");
  std::filesystem::create_directory(PathFromUtf8(folder));

  Font tahoma;
  tahoma.SetName("Tahoma");
  tahoma.SetHeight(-11);
  const std::string font = TextRenderer::Instance().FaceFile(tahoma);
  ASSERT_FALSE(font.empty());
  const std::string copy = folder + "/face.ttf";
  std::filesystem::copy_file(PathFromUtf8(font), PathFromUtf8(copy));
  FolderFontCatalogue catalogue([&] { return std::vector<std::string>{folder}; });
  std::vector<FontFace> faces = catalogue.Family("Liberation Sans");
  ASSERT_EQ(faces.size(), 1u);
  EXPECT_TRUE(std::filesystem::equivalent(PathFromUtf8(faces[0].file), PathFromUtf8(copy)));
  FT_Library library = nullptr;
  ASSERT_EQ(FT_Init_FreeType(&library), 0);
  FT_Face face = nullptr;
  EXPECT_EQ(OpenFontFile(library, copy, 0, &face), 0);
  if (face) FT_Done_Face(face);
  EXPECT_NE(OpenFontFile(library, folder + "/missing.ttf", 0, &face), 0);
  FT_Done_FreeType(library);

  Bitmap bitmap(3, 2);
  const std::vector<uint8_t> bytes = bitmap.SaveToBytes();
  const std::string picture = folder + "/\xE5\x9B\xBE.bmp";
  std::ofstream(PathFromUtf8(picture), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  Picture loaded;
  loaded.LoadFromFile(picture);
  EXPECT_EQ(loaded.Width(), 3);
}

}  // namespace
}  // namespace somnara::fw
