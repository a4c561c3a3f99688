// Pure translation helpers: text for window titles, keys, double clicks, stacking.
#include <gtest/gtest.h>
// After gtest: Xlib's macros clash with its names.
#include <X11/keysym.h>

#include "platform/linux/x11/double_click_detector.h"
#include "platform/linux/x11/key_translation.h"
#include "platform/linux/x11/stacking_order.h"
#include "platform/linux/x11/text_encoding.h"
#include "platform/native_window.h"

namespace somnara::platform::x11 {
namespace {

TEST(TextEncodingTest, LegacyTitlesKeepLatinLettersOnly) {
  EXPECT_EQ(Utf8ToLatin1("Caf\xC3\xA9 \xE2\x82\xAC"), "Caf\xE9 ?");
  EXPECT_EQ(Utf8ToLatin1("\xC3Z"), "?Z");
}

TEST(KeyTranslationTest, VirtualKeysFollowTheDesktopNumbering) {
  EXPECT_EQ(VirtualKeyFromKeysym(XK_Return, XK_Return), 0x0Du);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_Escape, XK_Escape), 0x1Bu);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_space, XK_space), 0x20u);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_Tab, XK_ISO_Left_Tab), 0x09u);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_Left, XK_Left), 0x25u);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_Down, XK_Down), 0x28u);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_F1, XK_F1), 0x70u);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_F12, XK_F12), 0x7Bu);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_Prior, XK_Prior), 0x21u);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_End, XK_End), 0x23u);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_BackSpace, XK_BackSpace), 0x08u);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_Delete, XK_Delete), 0x2Eu);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_Shift_R, XK_Shift_R), 0x10u);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_Control_L, XK_Control_L), 0x11u);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_Alt_L, XK_Meta_L), 0x12u);
  // Letters and digits name the key, whatever shift produced.
  EXPECT_EQ(VirtualKeyFromKeysym(XK_a, XK_A), uint32_t('A'));
  EXPECT_EQ(VirtualKeyFromKeysym(XK_z, XK_z), uint32_t('Z'));
  EXPECT_EQ(VirtualKeyFromKeysym(XK_7, XK_ampersand), uint32_t('7'));
  // Keypad: Num Lock decides between digit and navigation.
  EXPECT_EQ(VirtualKeyFromKeysym(XK_KP_Home, XK_KP_7), 0x67u);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_KP_Home, XK_KP_Home), 0x24u);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_KP_Enter, XK_KP_Enter), 0x0Du);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_comma, XK_comma), 0xBCu);
  EXPECT_EQ(VirtualKeyFromKeysym(0, 0), 0u);
  EXPECT_EQ(ModifierOfVirtualKey(0x10), unsigned(kShift));
  EXPECT_EQ(ModifierOfVirtualKey(0x12), unsigned(kAlt));
  EXPECT_EQ(ModifierOfVirtualKey('A'), 0u);
}

TEST(KeyTranslationTest, CharactersAsTyped) {
  EXPECT_EQ(CharFromKeysym(XK_a, 0), uint32_t('a'));
  EXPECT_EQ(CharFromKeysym(XK_A, kShift), uint32_t('A'));
  EXPECT_EQ(CharFromKeysym(XK_eacute, 0), 0xE9u);
  EXPECT_EQ(CharFromKeysym(XK_Cyrillic_a, 0), 0x430u);
  EXPECT_EQ(CharFromKeysym(XK_EuroSign, 0), 0x20ACu);
  EXPECT_EQ(CharFromKeysym(0x1000000 + 0x263A, 0), 0x263Au);  // Unicode keysym
  EXPECT_EQ(CharFromKeysym(0x1000000 + 0xD800, 0), 0u);       // no surrogates
  EXPECT_EQ(CharFromKeysym(XK_KP_5, 0), uint32_t('5'));
  EXPECT_EQ(CharFromKeysym(XK_Return, 0), 0x0Du);
  EXPECT_EQ(CharFromKeysym(XK_BackSpace, 0), 0x08u);
  EXPECT_EQ(CharFromKeysym(XK_Escape, 0), 0x1Bu);
  EXPECT_EQ(CharFromKeysym(XK_Delete, 0), 0u);
  EXPECT_EQ(CharFromKeysym(XK_Left, 0), 0u);
  EXPECT_EQ(CharFromKeysym(XK_Shift_L, 0), 0u);
  // Ctrl makes control codes of letters and nothing of other keys; Alt keeps the char.
  EXPECT_EQ(CharFromKeysym(XK_a, kCtrl), 0x01u);
  EXPECT_EQ(CharFromKeysym(XK_Z, kCtrl | kShift), 0x1Au);
  EXPECT_EQ(CharFromKeysym(XK_1, kCtrl), 0u);
  EXPECT_EQ(CharFromKeysym(XK_x, kAlt), uint32_t('x'));
}

TEST(DoubleClickDetectorTest, SecondQuickNearbyPressIsADoubleClick) {
  DoubleClickDetector d(500, 4);
  EXPECT_FALSE(d.OnPress(1, 1, 100, 100, 1000));
  EXPECT_TRUE(d.OnPress(1, 1, 103, 97, 1400));
  // The press after a double click starts over.
  EXPECT_FALSE(d.OnPress(1, 1, 103, 97, 1500));
  // Too slow, too far, other button, other window.
  EXPECT_FALSE(d.OnPress(1, 1, 103, 97, 2001));
  EXPECT_FALSE(d.OnPress(1, 1, 110, 97, 2100));
  EXPECT_FALSE(d.OnPress(1, 3, 110, 97, 2150));
  EXPECT_FALSE(d.OnPress(2, 3, 110, 97, 2200));
  EXPECT_TRUE(d.OnPress(2, 3, 110, 97, 2300));
  // The server's millisecond clock wraps.
  EXPECT_FALSE(d.OnPress(1, 1, 0, 0, 0xFFFFFF00u));
  EXPECT_TRUE(d.OnPress(1, 1, 0, 0, 0x00000010u));
}

TEST(StackingOrderTest, LaterAndOwnedWindowsAboveStayOnTopOnesAboveTheRest) {
  StackingOrder s;
  s.Add(1);  // backdrop, stays on top
  s.Add(2);  // an unrelated window of ours
  s.Add(3);  // main window, owned by the backdrop
  ASSERT_TRUE(s.SetOwner(3, 1));
  const std::vector<StackingOrder::Visible> visible = {{1, true}, {2, false}, {3, true}};
  EXPECT_EQ(s.Arrange(visible), (std::vector<unsigned long>{2, 1, 3}));
  // Raising the backdrop takes its owned window along above it.
  s.Raise(1);
  EXPECT_EQ(s.Arrange(visible), (std::vector<unsigned long>{2, 1, 3}));
  s.Add(4);  // wizard, owned by the main window
  ASSERT_TRUE(s.SetOwner(4, 3));
  s.Raise(1);
  EXPECT_EQ(s.Arrange({{1, true}, {3, true}, {4, true}}), (std::vector<unsigned long>{1, 3, 4}));
  // Hidden windows keep their place but do not appear.
  EXPECT_EQ(s.Arrange({{1, true}, {4, true}}), (std::vector<unsigned long>{1, 4}));
}

TEST(StackingOrderTest, RefusesOwnerLoopsAndForgetsRemovedWindows) {
  StackingOrder s;
  s.Add(1);
  s.Add(2);
  s.Add(3);
  ASSERT_TRUE(s.SetOwner(2, 1));
  ASSERT_TRUE(s.SetOwner(3, 2));
  EXPECT_FALSE(s.SetOwner(1, 3));
  EXPECT_FALSE(s.SetOwner(1, 1));
  s.Raise(2);  // terminates and keeps 3 above 2
  EXPECT_EQ(s.Arrange({{1, false}, {2, false}, {3, false}}), (std::vector<unsigned long>{1, 2, 3}));
  s.Remove(2);
  EXPECT_EQ(s.OwnerOf(3), 0u);
  s.Raise(1);
  EXPECT_EQ(s.Arrange({{1, false}, {3, false}}), (std::vector<unsigned long>{3, 1}));
}

}  // namespace
}  // namespace somnara::platform::x11
