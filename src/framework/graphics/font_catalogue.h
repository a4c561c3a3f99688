#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace somnara::fw {

// Face styles on one scale whichever catalogue lists them: fontconfig's numbers, which the
// Linux catalogue passes on as they are and the folder catalogue maps the font's own
// tables to.
constexpr int kFaceWeightRegular = 80;
constexpr int kFaceWeightDemiBold = 180;
constexpr int kFaceWeightBold = 200;
constexpr int kFaceSlantRoman = 0;
constexpr int kFaceSlantItalic = 100;
constexpr int kFaceSlantOblique = 110;
constexpr int kFaceWidthNormal = 100;

// One outline face of a font file (`index` picks it in a collection).
struct FontFace {
  std::string file;  // UTF-8
  int index = 0;
  int weight = kFaceWeightRegular;
  int slant = kFaceSlantRoman;
  int width = kFaceWidthNormal;
  friend bool operator==(const FontFace&, const FontFace&) = default;
};

// Where the text renderer finds its font files. Calls come one at a time (the renderer
// holds its lock).
class FontCatalogue {
 public:
  virtual ~FontCatalogue() = default;
  // Every outline face of exactly this family (letter case and blanks aside).
  virtual std::vector<FontFace> Family(const std::string& family) = 0;
  // The last resort when not even the main sans face is there: the catalogue's choice for
  // the family, if it has any face at all.
  virtual std::vector<FontFace> Closest(const std::string& family, bool bold, bool italic) = 0;
  // Faces that may draw the code point, best first; the renderer checks each.
  virtual std::vector<FontFace> ForCodePoint(char32_t code_point) = 0;
};

// The catalogue of the desktop the program is built for: fontconfig's on Linux, the
// program folder's fonts/ and the system's font folder on Windows.
std::unique_ptr<FontCatalogue> SystemFontCatalogue();

// The font files in some folders and their subfolders, read with FreeType. A face's
// families are its name table's family names; its weight, slant and width come from its
// OS/2 table and style, on fontconfig's scale, so that the same files give the same faces
// as on Linux. Each folder is read once, when first asked for.
class FolderFontCatalogue : public FontCatalogue {
 public:
  // Asked again at each lookup, since the folders may only be known later (the program
  // folder, once the platform has said where it is).
  using Folders = std::function<std::vector<std::string>()>;
  explicit FolderFontCatalogue(Folders folders);
  ~FolderFontCatalogue() override;

  std::vector<FontFace> Family(const std::string& family) override;
  std::vector<FontFace> Closest(const std::string& family, bool bold, bool italic) override;
  std::vector<FontFace> ForCodePoint(char32_t code_point) override;

 private:
  struct Entry {
    FontFace face;
    std::vector<std::string> families;  // with blanks removed and in lower case
  };
  std::vector<const Entry*> Entries();
  const std::vector<Entry>& Scan(const std::string& folder);

  Folders folders_;
  FT_Library library_ = nullptr;
  std::map<std::string, std::vector<Entry>> scanned_;
};

// Opens a face of a font file named in UTF-8, whatever the system's code page for file
// names (FT_New_Face takes narrow names, which Windows reads in its ANSI code page).
FT_Error OpenFontFile(FT_Library library, const std::string& file, int index, FT_Face* face);

}  // namespace somnara::fw
