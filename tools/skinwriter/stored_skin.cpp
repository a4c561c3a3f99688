#include "skinwriter/stored_skin.h"

#include <string_view>
#include <utility>

#include "skin/theme/skin_file_layout.h"
#include "skinwriter/canvas.h"
#include "skinwriter/skin_container_writer.h"
#include "skinwriter/stored_skin_pictures.h"

namespace somnara::skinwriter {

namespace {

using namespace palette;

struct NamedColour {
  std::string_view name;
  Rgb colour;
};

constexpr NamedColour kColours[] = {
    {"SKIN2_TRANSCOLOR", kMagenta},
    {"SKIN2_TITLEFONTCOLOR", {255, 255, 255}},
    {"SKIN2_FORMCOLOR", kForm},
    {"SKIN2_MENUBARSTARTCOLOR", {242, 234, 214}},
    {"SKIN2_MENUBARENDCOLOR", {218, 202, 170}},
    {"SKIN2_TOPSELECTEDMENUCOLOR", {198, 160, 112}},
    {"SKIN2_TOPSELECTEDMENUBORDERCOLOR", {120, 80, 46}},
    {"SKIN2_TOPSELECTEDMENUFONTCOLOR", {255, 255, 255}},
    {"SKIN2_TOPMENUFONTCOLOR", {64, 40, 22}},
    {"SKIN2_LEFTBARSTARTCOLOR", kSand},
    {"SKIN2_LEFTBARENDCOLOR", {196, 170, 128}},
    {"SKIN2_MENUITEMCOLOR", kCream},
    {"SKIN2_MENUITEMFONTCOLOR", {48, 32, 18}},
    {"SKIN2_SELECTEDMENUCOLOR", {190, 140, 85}},
    {"SKIN2_SELECTEDMENUBORDERCOLOR", {120, 80, 46}},
    {"SKIN2_SELECTEDMENUFONTCOLOR", {255, 255, 255}},
    {"SKIN2_TOOLBARSTARTCOLOR", {244, 238, 220}},
    {"SKIN2_TOOLBARENDCOLOR", {214, 198, 166}},
    {"SKIN2_TOOLBARONCOLOR", {232, 206, 160}},
    {"SKIN2_TOOLBARBORDERCOLOR", {150, 105, 65}},
    {"SKIN2_TOOLBARDOWNCOLOR", {204, 168, 118}},
    {"SKIN2_CONTROLCOLOR", {245, 239, 222}},
    {"SKIN2_CONTROLBORDERCOLOR", kControlBorder},
    {"SKIN2_CONTROLFONTCOLOR", {0, 0, 0}},
    {"SKIN2_BUTTONFONTCOLOR", {249, 250, 248}},
    {"SKIN2_SCROLLBARCOLOR", {228, 216, 186}},
    {"SKIN2_TABCONTROLCOLOR", {242, 236, 216}},
    {"SKIN2_TABCONTROLBORDERCOLOR", {176, 150, 110}},
    {"SKIN2_TABCONTROLACTIVEFONTCOLOR", {0, 0, 0}},
    {"SKIN2_TABCONTROLINACTIVEFONTCOLOR", {110, 86, 60}},
    {"SKIN2_SIDECHANNELCOLOR", kForm},
    {"SKIN2_SIDECHANNELBORDERCOLOR", {150, 105, 65}},
};

// Title-bar geometry: the title pictures are 32 pixels high; buttons sit 10 pixels from the
// picture's top (7 inside a frame, whose top band shows the first 3 rows) and 8 pixels in
// from the right; the icon 12 pixels in from the left. The round top corners lie in the
// first 6 rows, which the window outline follows.
constexpr std::pair<std::string_view, int32_t> kIntegers[] = {
    {"SKIN2_TITLEBARICONPOSX", 12},   {"SKIN2_TITLEBARICONPOSY", 9},
    {"SKIN2_TITLEBARCAPTIONTOP", 10}, {"SKIN2_TITLEBARBUTTONPOSX", 8},
    {"SKIN2_TITLEBARBUTTONPOSY", 10}, {"SKIN2_TITLEBARREGIONMINY", 0},
    {"SKIN2_TITLEBARREGIONMAXY", 5},  {"SKIN2_BOTTOMREGIONMINY", 0},
    {"SKIN2_BOTTOMREGIONMAXY", 0},
};

constexpr std::pair<std::string_view, uint8_t> kSwitches[] = {
    {"SKIN2_TITLEFIVESECT", 0},      {"SKIN2_BOTTOMBORDERTHREESECT", 0},
    {"SKIN2_TITLEBARNEEDREGION", 1}, {"SKIN2_BOTTOMBORDERNEEDREGION", 0},
    {"SKIN2_TITLEBTNTRANS", 1},      {"SKIN2_BUTTONTRANS", 0},
    {"SKIN2_CHECKBOXTRANS", 1},      {"SKIN2_RADIOBUTTONTRANS", 1},
    {"SKIN2_TABCONTROLTRANS", 1},
};

}  // namespace

std::vector<uint8_t> BuildStoredSkinContainer() {
  SkinContainerWriter writer;
  for (auto& [name, picture] : DrawStoredSkinPictures()) writer.AddBitmap(name, picture.ToBmp());
  for (const auto& [name, colour] : kColours) writer.AddInteger(name, ColorWord(colour));
  for (const auto& [name, value] : kIntegers) writer.AddInteger(name, value);
  writer.AddInteger("SKIN2_SYSTEMCOLOR1", ColorWord(kControlBorder));
  writer.AddInteger("SKIN2_SYSTEMCOLOR2", ColorWord(kCaramel));
  for (const auto& [name, value] : kSwitches) writer.AddByte(name, value);
  return writer.Build();
}

std::vector<uint8_t> BuildStoredSkin(const EntryOptions& options) {
  const std::vector<uint8_t> container = BuildStoredSkinContainer();
  SkinArchiveWriter archive;
  archive.AddEntry(skin::layout::kSkinEntryName, container, options);
  return archive.Build();
}

}  // namespace somnara::skinwriter
