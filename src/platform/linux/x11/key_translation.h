#pragma once

#include <cstdint>

namespace somnara::platform::x11 {

// Keysyms are passed as plain numbers so this header stays free of Xlib.

// The Windows virtual-key number of a key. `base` is the key's keysym without
// modifiers (group 1, level 1), which names the key the way a Windows layout does
// ('A' for the A key whatever the shift state); `resolved` is the keysym the key
// produced with the current modifiers, which decides the keypad keys (numpad
// digit with Num Lock, navigation key without). 0 when the key has no number.
uint32_t VirtualKeyFromKeysym(unsigned long base, unsigned long resolved);

// The Unicode character a keysym types, 0 for none. Ctrl with a letter gives the
// control code (Ctrl+A = 0x01), and Backspace, Tab, Enter and Escape give their
// control characters, as Windows character messages do.
uint32_t CharFromKeysym(unsigned long keysym, unsigned modifiers);

// The Modifier bit (kShift, kCtrl, kAlt) a modifier key stands for, 0 for others.
unsigned ModifierOfVirtualKey(uint32_t vk);

}  // namespace somnara::platform::x11
