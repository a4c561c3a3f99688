#include <gtest/gtest.h>

#include <algorithm>

#include "framework/graphics/font_catalogue.h"

namespace somnara::fw {
namespace {

// Windows finds fonts by reading the files in font folders; Linux asks fontconfig. For the
// same files both must give the same faces with the same styles, or the same text would
// be drawn with other faces.
TEST(FontCatalogue, FoldersGiveTheFacesFontconfigGivesForTheSameFiles) {
  const std::string root = "/usr/share/fonts/truetype";
  FolderFontCatalogue folders([&] { return std::vector<std::string>{root}; });
  std::unique_ptr<FontCatalogue> fontconfig = SystemFontCatalogue();
  auto sorted = [](std::vector<FontFace> faces) {
    std::sort(faces.begin(), faces.end(), [](const FontFace& a, const FontFace& b) {
      return std::tie(a.file, a.index) < std::tie(b.file, b.index);
    });
    return faces;
  };
  for (const char* family :
       {"Liberation Sans", "Liberation Sans Narrow", "DejaVu Sans", "DejaVu Sans Mono",
        "DejaVu Serif", "WenQuanYi Micro Hei", "dejavusans"}) {
    std::vector<FontFace> expected = fontconfig->Family(family);
    std::erase_if(expected, [&](const FontFace& f) { return f.file.rfind(root, 0) != 0; });
    ASSERT_FALSE(expected.empty()) << family;
    EXPECT_EQ(sorted(folders.Family(family)), sorted(expected)) << family;
  }
  std::vector<FontFace> cjk = folders.ForCodePoint(U'\u7761');
  ASSERT_EQ(cjk.size(), 1u);
  EXPECT_NE(cjk[0].file.find("wqy-microhei"), std::string::npos);
  EXPECT_TRUE(folders.ForCodePoint(U'\U0010FFFD').empty());
}

}  // namespace
}  // namespace somnara::fw
