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

// Item numbers the skinned controls read.
enum StyleItem : int {
  kStyleButton = 1,             // bitmap: push-button face, 3 frames (normal, hot, pressed)
  kStyleButtonTransparent = 2,  // boolean
  kStyleCheckBox = 3,           // bitmap
  kStyleRadioButton = 4,        // bitmap
  kStyleTitleButtons = 5,       // bitmap: 18 frames
  kStyleTitleButtonsTransparent = 6,
  kStyleTitleLeftButtonX = 7,   // integer
  kStyleTitleRightButtonX = 8,  // integer
  kStyleTitleButtonTop = 9,     // integer
  kStyleTitleLeft = 10,         // bitmap
  kStyleTitleClient = 11,       // bitmap
  kStyleTitleRight = 12,        // bitmap
  kStyleMinimumWidth = 13,      // integer
  kStyleRoundCorner = 14,       // integer
  kStyleClientColour = 15,      // colour: window client, menus
  kStyleBorderColour = 16,      // colour: frame border
  kStyleBorderWidth = 17,       // integer
  kStyleMenuSelectedBorderColour = 18,
  kStyleMenuSelectedColour = 19,
  kStyleMenuSelectedFontColour = 20,
  kStyleMenuItemColour = 21,
  kStyleMenuItemFontColour = 22,
  kStyleMenuBarColour = 23,
  kStyleProgressBar = 24,          // bitmap
  kStyleControlBorderColour = 25,  // colour
  kStyleGroupBoxCaptionColour = 27,
  kStyleTrackBarBar = 28,     // bitmap: 3 slices
  kStyleTrackBarSlider = 29,  // bitmap
  kStyleTrackBarSliderVertical = 30,
  kStyleScrollBarButtons = 32,
  kStyleScrollBarTrack = 33,
  kStyleCheckList = 34,
  kStyleScrollButton = 38,
  kStyleTab = 39,
  kStyleTabLine = 40,
  kStyleSideChannelHandle = 41,
  kStyleSideChannelBar = 42,
};

// The kind of an item 1..48; none outside.
std::optional<StyleItemKind> StyleItemKindOf(int item);

// The resource name of a bitmap item of a built-in style ("MACOS_BUTTON"); empty for an
// item of another kind, an item without a picture, or a style outside MacOS..BlueGlass.
std::string_view GetStyleBitmapName(TsuiUIStyle style, int item);

// Loads a bitmap item into `target` (when given and the item is a bitmap); with a frame
// count other than 0 only frame `frame_index` (1-based) of that many equal frames side by
// side (SplitPiece). Returns whether `target` was written; any other kind leaves it
// unchanged. A bitmap item whose picture does not exist throws StyleResourceError; a
// frame that does not exist throws fw::Exception.
bool GetStyleBitmap(TsuiUIStyle style, int item, fw::Bitmap* target, int frame_index = 0,
                    int frame_count = 0);

// Neutral values for an item of another kind: colour 0, integer -1, boolean false. A style
// outside MacOS..BlueGlass (FromThemeFile) reads every item as an integer of value -1.
fw::Color GetStyleColor(TsuiUIStyle style, int item);
int32_t GetStyleInt(TsuiUIStyle style, int item);
bool GetStyleBool(TsuiUIStyle style, int item);

}  // namespace somnara::skin
