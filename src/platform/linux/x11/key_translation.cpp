#include "platform/linux/x11/key_translation.h"

#include <X11/keysym.h>

#include <algorithm>

#include "platform/linux/x11/keysym_unicode_table.h"
#include "platform/native_window.h"

namespace somnara::platform::x11 {
namespace {

// Windows virtual-key numbers used below.
enum : uint32_t {
  kVkBack = 0x08,
  kVkTab = 0x09,
  kVkClear = 0x0C,
  kVkReturn = 0x0D,
  kVkShift = 0x10,
  kVkControl = 0x11,
  kVkMenu = 0x12,
  kVkPause = 0x13,
  kVkCapital = 0x14,
  kVkEscape = 0x1B,
  kVkSpace = 0x20,
  kVkPrior = 0x21,
  kVkNext = 0x22,
  kVkEnd = 0x23,
  kVkHome = 0x24,
  kVkLeft = 0x25,
  kVkUp = 0x26,
  kVkRight = 0x27,
  kVkDown = 0x28,
  kVkSnapshot = 0x2C,
  kVkInsert = 0x2D,
  kVkDelete = 0x2E,
  kVkHelp = 0x2F,
  kVkLWin = 0x5B,
  kVkRWin = 0x5C,
  kVkApps = 0x5D,
  kVkNumpad0 = 0x60,
  kVkMultiply = 0x6A,
  kVkAdd = 0x6B,
  kVkSeparator = 0x6C,
  kVkSubtract = 0x6D,
  kVkDecimal = 0x6E,
  kVkDivide = 0x6F,
  kVkF1 = 0x70,
  kVkNumLock = 0x90,
  kVkScroll = 0x91,
  kVkOem1 = 0xBA,  // ;:
  kVkOemPlus = 0xBB,
  kVkOemComma = 0xBC,
  kVkOemMinus = 0xBD,
  kVkOemPeriod = 0xBE,
  kVkOem2 = 0xBF,  // /?
  kVkOem3 = 0xC0,  // `~
  kVkOem4 = 0xDB,  // [{
  kVkOem5 = 0xDC,  // \|
  kVkOem6 = 0xDD,  // ]}
  kVkOem7 = 0xDE,  // '"
  kVkOem102 = 0xE2,
};

uint32_t KeypadVirtualKey(unsigned long sym) {
  if (sym >= XK_KP_0 && sym <= XK_KP_9) return kVkNumpad0 + uint32_t(sym - XK_KP_0);
  switch (sym) {
    case XK_KP_Multiply:
      return kVkMultiply;
    case XK_KP_Add:
      return kVkAdd;
    case XK_KP_Separator:
      return kVkSeparator;
    case XK_KP_Subtract:
      return kVkSubtract;
    case XK_KP_Decimal:
      return kVkDecimal;
    case XK_KP_Divide:
      return kVkDivide;
    case XK_KP_Enter:
      return kVkReturn;
    case XK_KP_Home:
      return kVkHome;
    case XK_KP_End:
      return kVkEnd;
    case XK_KP_Prior:
      return kVkPrior;
    case XK_KP_Next:
      return kVkNext;
    case XK_KP_Left:
      return kVkLeft;
    case XK_KP_Right:
      return kVkRight;
    case XK_KP_Up:
      return kVkUp;
    case XK_KP_Down:
      return kVkDown;
    case XK_KP_Insert:
      return kVkInsert;
    case XK_KP_Delete:
      return kVkDelete;
    case XK_KP_Begin:
      return kVkClear;
    case XK_KP_Space:
      return kVkSpace;
    case XK_KP_Tab:
      return kVkTab;
    case XK_KP_Equal:
      return kVkOemPlus;
    default:
      return 0;
  }
}

bool IsKeypad(unsigned long sym) {
  return sym >= XK_KP_Space && sym <= XK_KP_Equal;
}

}  // namespace

uint32_t VirtualKeyFromKeysym(unsigned long base, unsigned long resolved) {
  if (IsKeypad(resolved)) return KeypadVirtualKey(resolved);
  if (IsKeypad(base)) return KeypadVirtualKey(base);
  const unsigned long sym = base;
  if (sym >= XK_a && sym <= XK_z) return 'A' + uint32_t(sym - XK_a);
  if (sym >= XK_A && sym <= XK_Z) return 'A' + uint32_t(sym - XK_A);
  if (sym >= XK_0 && sym <= XK_9) return '0' + uint32_t(sym - XK_0);
  if (sym >= XK_F1 && sym <= XK_F24) return kVkF1 + uint32_t(sym - XK_F1);
  switch (sym) {
    case XK_BackSpace:
      return kVkBack;
    case XK_Tab:
    case XK_ISO_Left_Tab:
      return kVkTab;
    case XK_Clear:
      return kVkClear;
    case XK_Return:
      return kVkReturn;
    case XK_Shift_L:
    case XK_Shift_R:
      return kVkShift;
    case XK_Control_L:
    case XK_Control_R:
      return kVkControl;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R:
      return kVkMenu;
    case XK_Pause:
    case XK_Break:
      return kVkPause;
    case XK_Caps_Lock:
      return kVkCapital;
    case XK_Escape:
      return kVkEscape;
    case XK_space:
      return kVkSpace;
    case XK_Prior:
      return kVkPrior;
    case XK_Next:
      return kVkNext;
    case XK_End:
      return kVkEnd;
    case XK_Home:
      return kVkHome;
    case XK_Left:
      return kVkLeft;
    case XK_Up:
      return kVkUp;
    case XK_Right:
      return kVkRight;
    case XK_Down:
      return kVkDown;
    case XK_Print:
    case XK_Sys_Req:
      return kVkSnapshot;
    case XK_Insert:
      return kVkInsert;
    case XK_Delete:
      return kVkDelete;
    case XK_Help:
      return kVkHelp;
    case XK_Super_L:
      return kVkLWin;
    case XK_Super_R:
      return kVkRWin;
    case XK_Menu:
      return kVkApps;
    case XK_Num_Lock:
      return kVkNumLock;
    case XK_Scroll_Lock:
      return kVkScroll;
    case XK_semicolon:
    case XK_colon:
      return kVkOem1;
    case XK_equal:
    case XK_plus:
      return kVkOemPlus;
    case XK_comma:
    case XK_less:
      return kVkOemComma;
    case XK_minus:
    case XK_underscore:
      return kVkOemMinus;
    case XK_period:
    case XK_greater:
      return kVkOemPeriod;
    case XK_slash:
    case XK_question:
      return kVkOem2;
    case XK_grave:
    case XK_asciitilde:
      return kVkOem3;
    case XK_bracketleft:
    case XK_braceleft:
      return kVkOem4;
    case XK_backslash:
    case XK_bar:
      return kVkOem5;
    case XK_bracketright:
    case XK_braceright:
      return kVkOem6;
    case XK_apostrophe:
    case XK_quotedbl:
      return kVkOem7;
    default:
      break;
  }
  // The extra key of 102-key keyboards carries <> or \| depending on the layout.
  if (sym == XK_section) return kVkOem102;
  return 0;
}

uint32_t CharFromKeysym(unsigned long keysym, unsigned modifiers) {
  switch (keysym) {
    case XK_BackSpace:
      return 0x08;
    case XK_Tab:
    case XK_ISO_Left_Tab:
    case XK_KP_Tab:
      return 0x09;
    case XK_Return:
    case XK_KP_Enter:
      return 0x0D;
    case XK_Escape:
      return 0x1B;
    case XK_KP_Space:
      return ' ';
    case XK_KP_Equal:
      return '=';
    case XK_KP_Multiply:
      return '*';
    case XK_KP_Add:
      return '+';
    case XK_KP_Separator:
      return ',';
    case XK_KP_Subtract:
      return '-';
    case XK_KP_Decimal:
      return '.';
    case XK_KP_Divide:
      return '/';
    default:
      break;
  }
  if (keysym >= XK_KP_0 && keysym <= XK_KP_9) return '0' + uint32_t(keysym - XK_KP_0);

  uint32_t cp = 0;
  if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF)) {
    cp = uint32_t(keysym);
  } else if ((keysym & 0xFF000000UL) == 0x01000000UL) {
    cp = uint32_t(keysym & 0x00FFFFFFUL);
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  } else {
    const KeysymUnicode* end = kKeysymUnicodeTable + kKeysymUnicodeTableSize;
    const KeysymUnicode* it =
        std::lower_bound(kKeysymUnicodeTable, end, keysym,
                         [](const KeysymUnicode& e, unsigned long k) { return e.keysym < k; });
    if (it == end || it->keysym != keysym) return 0;
    cp = it->code_point;
  }

  if ((modifiers & kCtrl) && !(modifiers & kAlt)) {
    // Ctrl turns letters into control codes and swallows other characters.
    if ((cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z')) return cp & 0x1F;
    return 0;
  }
  return cp;
}

unsigned ModifierOfVirtualKey(uint32_t vk) {
  switch (vk) {
    case kVkShift:
      return kShift;
    case kVkControl:
      return kCtrl;
    case kVkMenu:
      return kAlt;
    default:
      return 0;
  }
}

}  // namespace somnara::platform::x11
