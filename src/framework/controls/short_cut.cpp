#include "framework/controls/short_cut.h"

#include <cctype>

#include "framework/class_info.h"
#include "framework/messages.h"

namespace somnara::fw {
namespace {
struct KeyName {
  uint32_t key;
  const char* name;
};
constexpr KeyName kNames[] = {
    {VK_BACK, "BkSp"},   {VK_TAB, "Tab"},    {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},
    {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},    {VK_END, "End"},
    {VK_HOME, "Home"},   {VK_LEFT, "Left"},  {VK_UP, "Up"},        {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},   {0x2D, "Ins"},      {VK_DELETE, "Del"},
};

std::string KeyText(uint32_t key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, char(key));
  if (key >= VK_F1 && key < VK_F1 + 24) return "F" + std::to_string(key - VK_F1 + 1);
  for (const KeyName& k : kNames)
    if (k.key == key) return k.name;
  return {};
}
}  // namespace

std::string ShortCutToText(ShortCut shortcut) {
  std::string key = KeyText(shortcut & 0xFF);
  if (key.empty()) return {};
  std::string text;
  if (shortcut & scShift) text += "Shift+";
  if (shortcut & scCtrl) text += "Ctrl+";
  if (shortcut & scAlt) text += "Alt+";
  return text + key;
}

ShortCut TextToShortCut(std::string_view text) {
  ShortCut mods = 0;
  while (true) {
    size_t plus = text.find('+');
    if (plus == std::string_view::npos || plus + 1 >= text.size()) break;
    std::string_view part = text.substr(0, plus);
    if (SameText(part, "Shift"))
      mods |= scShift;
    else if (SameText(part, "Ctrl"))
      mods |= scCtrl;
    else if (SameText(part, "Alt"))
      mods |= scAlt;
    else
      return 0;
    text = text.substr(plus + 1);
  }
  for (uint32_t key = 1; key < 0x100; ++key) {
    std::string name = KeyText(key);
    if (!name.empty() && SameText(name, text)) return ShortCut(mods | key);
  }
  return 0;
}

}  // namespace somnara::fw
