#include "skin/styles/sui_style_catalogue.h"

#include <array>

#include "skin/styles/sui_public.h"
#include "skin/styles/sui_style_bitmaps.h"

namespace somnara::skin {

namespace {

constexpr int kBuiltInStyleCount = 5;  // MacOS, WinXP, DeepBlue, Protein, BlueGlass

// One value of an item: a number (integers, colour words, booleans) or a resource name.
struct CatalogueValue {
  int32_t number = 0;
  const char* name = "";
};

struct CatalogueItem {
  StyleItemKind kind;
  std::array<CatalogueValue, kBuiltInStyleCount> values;
};

constexpr int32_t Rgb(int r, int g, int b) {
  return int32_t(fw::MakeColor(uint8_t(r), uint8_t(g), uint8_t(b)));
}

constexpr CatalogueItem Bitmaps(const char* macos, const char* winxp, const char* deepblue,
                                const char* protein, const char* blueglass) {
  return {StyleItemKind::Bitmap,
          {{{0, macos}, {0, winxp}, {0, deepblue}, {0, protein}, {0, blueglass}}}};
}
constexpr CatalogueItem Numbers(StyleItemKind kind, int32_t macos, int32_t winxp, int32_t deepblue,
                                int32_t protein, int32_t blueglass) {
  return {kind, {{{macos}, {winxp}, {deepblue}, {protein}, {blueglass}}}};
}
constexpr CatalogueItem Integers(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e) {
  return Numbers(StyleItemKind::Integer, a, b, c, d, e);
}
constexpr CatalogueItem Colours(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e) {
  return Numbers(StyleItemKind::Colour, a, b, c, d, e);
}
constexpr CatalogueItem Booleans(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e) {
  return Numbers(StyleItemKind::Boolean, a, b, c, d, e);
}

// Columns: MacOS, WinXP, DeepBlue, Protein, BlueGlass.
constexpr std::array<CatalogueItem, kStyleItemCount> kCatalogue = {{
    /* 1 */ Bitmaps("MACOS_BUTTON", "WINXP_BUTTON", "DEEPBLUE_BUTTON", "PROTEIN_BUTTON",
                    "BLUEGLASS_BUTTON"),
    /* 2 */ Booleans(1, 0, 0, 0, 1),
    /* 3 */
    Bitmaps("MACOS_CHECKBOX", "WINXP_CHECKBOX", "DEEPBLUE_CHECKBOX", "PROTEIN_CHECKBOX",
            "BLUEGLASS_CHECKBOX"),
    /* 4 */
    Bitmaps("MACOS_RADIOBUTTON", "WINXP_RADIOBUTTON", "DEEPBLUE_RADIOBUTTON", "PROTEIN_RADIOBUTTON",
            "BLUEGLASS_RADIOBUTTON"),
    /* 5 */
    Bitmaps("MACOS_TITLEBTN", "WINXP_TITLEBTN", "DEEPBLUE_TITLEBTN", "PROTEIN_TITLEBTN",
            "BLUEGLASS_TITLEBTN"),
    /* 6 */ Booleans(0, 0, 0, 1, 1),
    /* 7 */ Integers(3, 2, 0, 0, 4),
    /* 8 */ Integers(-2, -2, 0, 0, -3),
    /* 9 */ Integers(4, 5, 2, 2, 6),
    /* 10 */
    Bitmaps("MACOS_TITLE_LEFT", "WINXP_TITLE_LEFT", "DEEPBLUE_TITLE_LEFT", "PROTEIN_TITLE_LEFT",
            "BLUEGLASS_TITLE_LEFT"),
    /* 11 */
    Bitmaps("MACOS_TITLE_CLIENT", "WINXP_TITLE_CLIENT", "DEEPBLUE_TITLE_CLIENT",
            "PROTEIN_TITLE_CLIENT", "BLUEGLASS_TITLE_CLIENT"),
    /* 12 */
    Bitmaps("MACOS_TITLE_RIGHT", "WINXP_TITLE_RIGHT", "DEEPBLUE_TITLE_RIGHT", "PROTEIN_TITLE_RIGHT",
            "BLUEGLASS_TITLE_RIGHT"),
    /* 13 */ Integers(130, 150, 130, 130, 270),
    /* 14 */ Integers(0, 13, 0, 0, 11),
    /* 15 */
    Colours(Rgb(231, 231, 231), Rgb(239, 235, 222), Rgb(232, 232, 232), Rgb(251, 251, 251),
            Rgb(231, 231, 231)),
    /* 16 */
    Colours(Rgb(127, 127, 127), Rgb(0, 44, 200), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0)),
    /* 17 */ Integers(1, 3, 1, 1, 1),
    /* 18 */
    Colours(Rgb(57, 115, 196), Rgb(49, 105, 198), Rgb(68, 74, 160), Rgb(45, 48, 196),
            Rgb(94, 94, 236)),
    /* 19 */
    Colours(Rgb(57, 115, 196), Rgb(198, 211, 239), Rgb(68, 74, 160), Rgb(45, 48, 196),
            Rgb(94, 94, 236)),
    /* 20 */
    Colours(Rgb(255, 255, 255), Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(255, 255, 255),
            Rgb(255, 255, 255)),
    /* 21 */
    Colours(Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(255, 255, 255),
            Rgb(231, 231, 231)),
    /* 22 */ Colours(Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0)),
    /* 23 */
    Colours(Rgb(0, 0, 0), Rgb(214, 211, 206), Rgb(214, 211, 206), Rgb(214, 211, 206),
            Rgb(214, 211, 206)),
    /* 24 */
    Bitmaps("MACOS_PROGRESSBAR", "WINXP_PROGRESSBAR", "DEEPBLUE_PROGRESSBAR", "PROTEIN_PROGRESSBAR",
            "BLUEGLASS_PROGRESSBAR"),
    /* 25 */
    Colours(Rgb(127, 127, 127), Rgb(104, 104, 104), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0)),
    /* 26 */
    Colours(Rgb(231, 231, 231), Rgb(239, 235, 222), Rgb(232, 232, 232), Rgb(251, 251, 251),
            Rgb(231, 231, 231)),
    /* 27 */ Colours(Rgb(0, 0, 0), Rgb(2, 70, 207), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0)),
    /* 28 */
    Bitmaps("MACOS_TRACKBAR_BAR", "WINXP_TRACKBAR_BAR", "DEEPBLUE_TRACKBAR_BAR",
            "PROTEIN_TRACKBAR_BAR", "BLUEGLASS_TRACKBAR_BAR"),
    /* 29 */
    Bitmaps("MACOS_TRACKBAR_SLIDER", "WINXP_TRACKBAR_SLIDER", "DEEPBLUE_TRACKBAR_SLIDER",
            "PROTEIN_TRACKBAR_SLIDER", "BLUEGLASS_TRACKBAR_SLIDER"),
    /* 30 */
    Bitmaps("MACOS_TRACKBAR_SLIDER_V", "WINXP_TRACKBAR_SLIDER_V", "DEEPBLUE_TRACKBAR_SLIDER_V",
            "PROTEIN_TRACKBAR_SLIDER_V", "BLUEGLASS_TRACKBAR_SLIDER_V"),
    /* 31 */
    Colours(Rgb(201, 201, 201), Rgb(249, 249, 249), Rgb(245, 245, 245), Rgb(245, 245, 245),
            Rgb(244, 244, 244)),
    /* 32 */
    Bitmaps("MACOS_SCROLLBAR_BUTTON", "WINXP_SCROLLBAR_BUTTON", "DEEPBLUE_SCROLLBAR_BUTTON",
            "PROTEIN_SCROLLBAR_BUTTON", "BLUEGLASS_SCROLLBAR_BUTTON"),
    /* 33 */
    Bitmaps("MACOS_SCROLLBAR_TRACK", "WINXP_SCROLLBAR_TRACK", "DEEPBLUE_SCROLLBAR_TRACK",
            "PROTEIN_SCROLLBAR_TRACK", "BLUEGLASS_SCROLLBAR_TRACK"),
    /* 34 */
    Bitmaps("MACOS_CHECKLIST", "WINXP_CHECKLIST", "DEEPBLUE_CHECKLIST", "PROTEIN_CHECKLIST",
            "BLUEGLASS_CHECKLIST"),
    /* 35 */
    Colours(Rgb(71, 71, 71), Rgb(49, 105, 198), Rgb(71, 71, 71), Rgb(71, 71, 71), Rgb(71, 71, 71)),
    /* 36 */
    Colours(Rgb(239, 239, 239), Rgb(198, 211, 239), Rgb(239, 239, 239), Rgb(239, 239, 239),
            Rgb(239, 239, 239)),
    /* 37 */
    Colours(Rgb(216, 216, 216), Rgb(147, 172, 225), Rgb(216, 216, 216), Rgb(216, 216, 216),
            Rgb(216, 216, 216)),
    /* 38 */
    Bitmaps("MACOS_SCROLLBUTTON", "WINXP_SCROLLBUTTON", "MORE_SCROLLBUTTON", "MORE_SCROLLBUTTON",
            "MORE_SCROLLBUTTON"),
    /* 39 */
    Bitmaps("MACOS_TAB", "WINXP_TAB", "DEEPBLUE_TAB", "PROTEIN_TAB", "BLUEGLASS_TAB"),
    /* 40 */
    Bitmaps("MACOS_TAB_LINE", "WINXP_TAB_LINE", "DEEPBLUE_TAB_LINE", "PROTEIN_TAB_LINE",
            "BLUEGLASS_TAB_LINE"),
    /* 41 */
    Bitmaps("MACOS_SIDECHENNEL_HANDLE", "WINXP_SIDECHENNEL_HANDLE", "DEEPBLUE_SIDECHENNEL_HANDLE",
            "PROTEIN_SIDECHENNEL_HANDLE", "BLUEGLASS_SIDECHENNEL_HANDLE"),
    /* 42 */
    Bitmaps("MACOS_SIDECHENNEL_BAR", "WINXP_SIDECHENNEL_BAR", "DEEPBLUE_SIDECHENNEL_BAR",
            "PROTEIN_SIDECHENNEL_BAR", "BLUEGLASS_SIDECHENNEL_BAR"),
    /* 43 */ Bitmaps("", "", "", "", ""),
    /* 44 */
    Colours(Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(255, 255, 255),
            Rgb(255, 255, 255)),
    /* 45 */ Bitmaps("", "", "", "", ""),
    /* 46 */ Bitmaps("", "", "", "", ""),
    /* 47 */ Integers(0, 0, 0, 0, 0),
    /* 48 */
    Colours(Rgb(231, 231, 231), Rgb(239, 235, 222), Rgb(232, 232, 232), Rgb(251, 251, 251),
            Rgb(231, 231, 231)),
}};

// FromThemeFile (and any value past the built-in styles) has no column of its own; every
// item then reads as an integer of value -1.
constexpr CatalogueItem kNoStyleItem = Integers(-1, -1, -1, -1, -1);

struct Lookup {
  const CatalogueItem* item;
  const CatalogueValue* value;
};

// An item number outside 1..48 (a value cast from a damaged number) finds nothing.
std::optional<Lookup> Find(TsuiUIStyle style, StyleItem item) {
  const int number = int(item);
  if (number < 1 || number > kStyleItemCount) return std::nullopt;
  int column = int(style) - 1;
  if (column < 0 || column >= kBuiltInStyleCount)
    return Lookup{&kNoStyleItem, &kNoStyleItem.values[0]};
  const CatalogueItem& entry = kCatalogue[size_t(number - 1)];
  return Lookup{&entry, &entry.values[size_t(column)]};
}

}  // namespace

std::optional<StyleItemKind> StyleItemKindOf(StyleItem item) {
  const int number = int(item);
  if (number < 1 || number > kStyleItemCount) return std::nullopt;
  return kCatalogue[size_t(number - 1)].kind;
}

std::string_view GetStyleBitmapName(TsuiUIStyle style, StyleItem item) {
  auto found = Find(style, item);
  if (!found || found->item->kind != StyleItemKind::Bitmap) return {};
  return found->value->name;
}

bool GetStyleBitmap(TsuiUIStyle style, StyleItem item, fw::Bitmap* target, int frame_index,
                    int frame_count) {
  auto found = Find(style, item);
  if (!found || found->item->kind != StyleItemKind::Bitmap || target == nullptr) return false;
  std::string_view name = found->value->name;
  if (frame_count == 0) {
    if (!LoadStyleBitmap(name, *target)) throw StyleResourceError(name);
    return true;
  }
  fw::Bitmap strip;
  if (!LoadStyleBitmap(name, strip)) throw StyleResourceError(name);
  SplitPiece(strip, *target, frame_count, frame_index);
  return true;
}

fw::Color GetStyleColor(TsuiUIStyle style, StyleItem item) {
  auto found = Find(style, item);
  if (!found || found->item->kind != StyleItemKind::Colour) return 0;
  return fw::Color(found->value->number);
}

int32_t GetStyleInt(TsuiUIStyle style, StyleItem item) {
  auto found = Find(style, item);
  if (!found || found->item->kind != StyleItemKind::Integer) return -1;
  return found->value->number;
}

bool GetStyleBool(TsuiUIStyle style, StyleItem item) {
  auto found = Find(style, item);
  if (!found || found->item->kind != StyleItemKind::Boolean) return false;
  return found->value->number != 0;
}

}  // namespace somnara::skin
