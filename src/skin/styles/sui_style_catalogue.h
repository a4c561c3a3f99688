#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/color.h"
#include "skin/styles/tsui_ui_style.h"

namespace somnara::skin {

// The built-in styles' catalogue: 48 numbered items, each of one kind for all styles and
// with one value per built-in style (MacOS .. BlueGlass).
enum class StyleItemKind { Integer, Colour, Bitmap, Boolean };

inline constexpr int kStyleItemCount = 48;

// The items by number. Those no control reads keep a place so that the numbers stay.
enum class StyleItem : int {
  kButton = 1,             // bitmap: push-button face, 3 frames (normal, hot, pressed)
  kButtonTransparent = 2,  // boolean
  kCheckBox = 3,           // bitmap
  kRadioButton = 4,        // bitmap
  kTitleButtons = 5,       // bitmap: 18 frames
  kTitleButtonsTransparent = 6,
  kTitleLeftButtonX = 7,   // integer
  kTitleRightButtonX = 8,  // integer
  kTitleButtonTop = 9,     // integer
  kTitleLeft = 10,         // bitmap
  kTitleClient = 11,       // bitmap
  kTitleRight = 12,        // bitmap
  kMinimumWidth = 13,      // integer
  kRoundCorner = 14,       // integer
  kClientColour = 15,      // colour: window client, menus
  kBorderColour = 16,      // colour: frame border
  kBorderWidth = 17,       // integer
  kMenuSelectedBorderColour = 18,
  kMenuSelectedColour = 19,
  kMenuSelectedFontColour = 20,
  kMenuItemColour = 21,
  kMenuItemFontColour = 22,
  kMenuBarColour = 23,
  kProgressBar = 24,          // bitmap
  kControlBorderColour = 25,  // colour
  kSpareColour26 = 26,
  kGroupBoxCaptionColour = 27,
  kTrackBarBar = 28,     // bitmap: 3 slices
  kTrackBarSlider = 29,  // bitmap
  kTrackBarSliderVertical = 30,
  kSpareColour31 = 31,
  kScrollBarButtons = 32,
  kScrollBarTrack = 33,
  kCheckList = 34,
  kSpareColour35 = 35,
  kSpareColour36 = 36,
  kSpareColour37 = 37,
  kScrollButton = 38,
  kTab = 39,
  kTabLine = 40,
  kSideChannelHandle = 41,
  kSideChannelBar = 42,
  kSpareBitmap43 = 43,
  kSpareColour44 = 44,
  kSpareBitmap45 = 45,
  kSpareBitmap46 = 46,
  kSpareInteger47 = 47,
  kSpareColour48 = 48,
};

// The kind of an item 1..48; none outside.
std::optional<StyleItemKind> StyleItemKindOf(StyleItem item);

// The resource name of a bitmap item of a built-in style ("MACOS_BUTTON"); empty for an
// item of another kind, an item without a picture, or a style outside MacOS..BlueGlass.
std::string_view GetStyleBitmapName(TsuiUIStyle style, StyleItem item);

// Loads a bitmap item into `target` (when given and the item is a bitmap); with a frame
// count other than 0 only frame `frame_index` (1-based) of that many equal frames side by
// side (SplitPiece). Returns whether `target` was written; any other kind leaves it
// unchanged. A bitmap item whose picture does not exist throws StyleResourceError; a
// frame that does not exist throws fw::Exception.
bool GetStyleBitmap(TsuiUIStyle style, StyleItem item, fw::Bitmap* target, int frame_index = 0,
                    int frame_count = 0);

// Neutral values for an item of another kind: colour 0, integer -1, boolean false. A style
// outside MacOS..BlueGlass (FromThemeFile) reads every item as an integer of value -1.
fw::Color GetStyleColor(TsuiUIStyle style, StyleItem item);
int32_t GetStyleInt(TsuiUIStyle style, StyleItem item);
bool GetStyleBool(TsuiUIStyle style, StyleItem item);

}  // namespace somnara::skin
