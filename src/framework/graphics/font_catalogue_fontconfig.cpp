#include <fontconfig/fontconfig.h>

#include "framework/graphics/font_catalogue.h"

namespace somnara::fw {

namespace {

static_assert(kFaceWeightRegular == FC_WEIGHT_REGULAR && kFaceWeightBold == FC_WEIGHT_BOLD &&
              kFaceWeightDemiBold == FC_WEIGHT_DEMIBOLD && kFaceSlantRoman == FC_SLANT_ROMAN &&
              kFaceSlantItalic == FC_SLANT_ITALIC && kFaceSlantOblique == FC_SLANT_OBLIQUE &&
              kFaceWidthNormal == FC_WIDTH_NORMAL);

FontFace FaceOf(FcPattern* font, const FcChar8* file) {
  FontFace face;
  face.file = reinterpret_cast<const char*>(file);
  FcPatternGetInteger(font, FC_INDEX, 0, &face.index);
  FcPatternGetInteger(font, FC_WEIGHT, 0, &face.weight);
  FcPatternGetInteger(font, FC_SLANT, 0, &face.slant);
  FcPatternGetInteger(font, FC_WIDTH, 0, &face.width);
  return face;
}

// The installed fonts as fontconfig lists them.
class FontconfigCatalogue : public FontCatalogue {
 public:
  FontconfigCatalogue() : config_(FcInitLoadConfigAndFonts()) {}
  ~FontconfigCatalogue() override {
    if (config_) FcConfigDestroy(config_);
  }

  // Listed rather than matched, so that no user configuration can redirect a family.
  std::vector<FontFace> Family(const std::string& family) override {
    std::vector<FontFace> faces;
    if (!config_) return faces;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcObjectSet* objects =
        FcObjectSetBuild(FC_FILE, FC_INDEX, FC_WEIGHT, FC_SLANT, FC_WIDTH, FC_OUTLINE, nullptr);
    FcFontSet* set = FcFontList(config_, pattern, objects);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    if (!set) return faces;
    for (int i = 0; i < set->nfont; ++i) {
      FcChar8* file = nullptr;
      FcBool outline = FcTrue;
      if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) != FcResultMatch) continue;
      FcPatternGetBool(set->fonts[i], FC_OUTLINE, 0, &outline);
      if (outline) faces.push_back(FaceOf(set->fonts[i], file));
    }
    FcFontSetDestroy(set);
    return faces;
  }

  std::vector<FontFace> Closest(const std::string& family, bool bold, bool italic) override {
    if (!config_) return {};
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config_, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(config_, pattern, &result);
    FcPatternDestroy(pattern);
    std::vector<FontFace> faces;
    if (match) {
      FcChar8* file = nullptr;
      if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
        faces.push_back(FaceOf(match, file));
      FcPatternDestroy(match);
    }
    return faces;
  }

  // Whatever installed face has it, in fontconfig's order of preference.
  std::vector<FontFace> ForCodePoint(char32_t code_point) override {
    std::vector<FontFace> faces;
    if (!config_) return faces;
    FcPattern* pattern = FcPatternCreate();
    FcCharSet* chars = FcCharSetCreate();
    FcCharSetAddChar(chars, FcChar32(code_point));
    FcPatternAddCharSet(pattern, FC_CHARSET, chars);
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config_, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcFontSet* set = FcFontSort(config_, pattern, FcTrue, nullptr, &result);
    if (set) {
      for (int i = 0; i < set->nfont; ++i) {
        FcCharSet* font_chars = nullptr;
        if (FcPatternGetCharSet(set->fonts[i], FC_CHARSET, 0, &font_chars) != FcResultMatch ||
            !FcCharSetHasChar(font_chars, FcChar32(code_point)))
          continue;
        FcChar8* file = nullptr;
        if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) != FcResultMatch) continue;
        faces.push_back(FaceOf(set->fonts[i], file));
      }
      FcFontSetDestroy(set);
    }
    FcCharSetDestroy(chars);
    FcPatternDestroy(pattern);
    return faces;
  }

 private:
  FcConfig* config_ = nullptr;
};

}  // namespace

std::unique_ptr<FontCatalogue> SystemFontCatalogue() {
  return std::make_unique<FontconfigCatalogue>();
}

}  // namespace somnara::fw
