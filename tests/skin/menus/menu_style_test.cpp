// The skinned menus' published properties, the style that fills them, the MacOS rules for
// writes, and the hooking of items to the menu's own drawing.
#include <gtest/gtest.h>

#include "framework/class_info.h"
#include "framework/controls/menu_item.h"
#include "framework/controls/standard_classes.h"
#include "framework/description/description_loader.h"
#include "framework/form.h"
#include "headless_fixture.h"
#include "skin/frame/tsui_popup_menu.h"
#include "skin/styles/sui_style_catalogue.h"
#include "skin/theme/theme_test_support.h"
#include "skin/theme/tsui_file_theme.h"
#include "skinwriter/skin_archive_writer.h"
#include "skinwriter/skin_container_writer.h"

namespace somnara::skin {
namespace {

using testing::Rgb;

class MenuStyleTest : public somnara::testing::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    resources::RegisterProgramResources();
    fw::RegisterStandardClasses();
  }
};

std::vector<std::string> SkinPropertiesOf(const fw::Component& c) {
  std::vector<std::string> names;
  bool skin = false;
  for (const fw::PropertyInfo* p : c.GetClassInfo().Properties()) {
    skin = skin || p->name == "FileTheme";
    if (skin) names.push_back(p->name);
  }
  return names;
}

TEST_F(MenuStyleTest, APopupMenuPublishesTheSkinPropertiesAndStartsInDeepBlue) {
  TsuiPopupMenu menu(nullptr);
  EXPECT_EQ(SkinPropertiesOf(menu),
            (std::vector<std::string>{"FileTheme", "UIStyle", "MenuItemHeight", "SeparatorHeight",
                                      "BarWidth", "BarColor", "Color", "SeparatorColor",
                                      "SelectedBorderColor", "SelectedColor", "SelectedFontColor",
                                      "FontColor", "BorderColor", "FlatMenu", "FontName",
                                      "FontSize", "FontCharset", "UseSystemFont"}));
  EXPECT_EQ(fw::ClassInfo::Find("TsuiPopupMenu"), &TsuiPopupMenu::StaticClassInfo());
  // Owner drawing cannot be switched off.
  fw::SetProperty(menu, "OwnerDraw", fw::Value::Bool(false));
  EXPECT_TRUE(fw::ValueToBool(fw::GetProperty(menu, "OwnerDraw")));
  EXPECT_TRUE(menu.fw::Menu::OwnerDraw());

  // Without an owner form the style is DeepBlue, taken from the catalogue.
  EXPECT_EQ(menu.UIStyle(), TsuiUIStyle::DeepBlue);
  EXPECT_EQ(menu.BarWidth(), 26);
  EXPECT_EQ(menu.MenuItemHeight(), 21);
  EXPECT_EQ(menu.SeparatorHeight(), 5);
  EXPECT_EQ(menu.SeparatorColor(), fw::Color(Rgb(0x84, 0x82, 0x84)));
  EXPECT_EQ(menu.BarColor(), fw::Color(Rgb(214, 211, 206)));
  EXPECT_EQ(menu.Color(), fw::Color(Rgb(255, 255, 255)));
  EXPECT_EQ(menu.SelectedColor(), fw::Color(Rgb(68, 74, 160)));
  EXPECT_EQ(menu.SelectedFontColor(), fw::Color(Rgb(255, 255, 255)));
  EXPECT_EQ(menu.FontColor(), fw::Color(Rgb(0, 0, 0)));
  EXPECT_EQ(menu.BorderColor(), fw::clBlack);
  EXPECT_EQ(menu.FontName(), "MS Sans Serif");
  EXPECT_EQ(menu.FontSize(), 8);
  EXPECT_TRUE(menu.UseSystemFont());
  fw::SetProperty(menu, "FontCharset", fw::Value::Identifier("ANSI_CHARSET"));
  EXPECT_EQ(menu.FontCharset(), fw::ANSI_CHARSET);
}

TEST_F(MenuStyleTest, MacOSIgnoresHeightWritesAndOtherStylesTakeThem) {
  TsuiPopupMenu menu(nullptr);
  fw::SetProperty(menu, "UIStyle", fw::Value::Identifier("MacOS"));
  EXPECT_EQ(menu.MenuItemHeight(), 20);
  EXPECT_EQ(menu.SeparatorHeight(), 12);
  EXPECT_EQ(menu.SeparatorColor(), fw::clBlack);
  EXPECT_EQ(menu.SelectedColor(),
            GetStyleColor(TsuiUIStyle::MacOS, StyleItem::kMenuSelectedColour));
  menu.SetMenuItemHeight(30);
  menu.SetSeparatorHeight(9);
  EXPECT_EQ(menu.MenuItemHeight(), 20);
  EXPECT_EQ(menu.SeparatorHeight(), 12);

  menu.SetUIStyle(TsuiUIStyle::WinXP);
  menu.SetMenuItemHeight(30);
  menu.SetSeparatorHeight(9);
  EXPECT_EQ(menu.MenuItemHeight(), 30);
  EXPECT_EQ(menu.SeparatorHeight(), 9);
  EXPECT_EQ(menu.SelectedColor(), fw::Color(Rgb(198, 211, 239)));
  // Writing the style again restores the sizes.
  menu.SetUIStyle(TsuiUIStyle::WinXP);
  EXPECT_EQ(menu.MenuItemHeight(), 21);
}

TEST_F(MenuStyleTest, AReadyThemeGivesItsColoursAndMinusOneForTheOnesItLacks) {
  skinwriter::SkinContainerWriter items;
  items.AddInteger("SKIN2_LEFTBARSTARTCOLOR", Rgb(1, 2, 3));
  items.AddInteger("SKIN2_MENUITEMCOLOR", Rgb(4, 5, 6));
  items.AddInteger("SKIN2_SELECTEDMENUCOLOR", Rgb(7, 8, 9));
  skinwriter::SkinArchiveWriter archive;
  archive.AddEntry("SKINDATA.SK2", items.Build(), {});
  testing::ScratchFolder folder;
  fw::Form* form = new fw::Form(&fw::App());
  auto* theme = new TsuiFileTheme(form);
  theme->SetThemeFile(folder.Write("menu.skn", archive.Build()));
  ASSERT_TRUE(theme->Ready());

  auto* menu = new TsuiPopupMenu(form);
  menu->SetUIStyle(TsuiUIStyle::FromThemeFile);
  // No theme yet: DeepBlue.
  EXPECT_EQ(menu->Color(), GetStyleColor(TsuiUIStyle::DeepBlue, StyleItem::kMenuItemColour));
  menu->SetFileTheme(theme);
  EXPECT_EQ(menu->BarColor(), fw::Color(Rgb(1, 2, 3)));
  EXPECT_EQ(menu->Color(), fw::Color(Rgb(4, 5, 6)));
  EXPECT_EQ(menu->SelectedColor(), fw::Color(Rgb(7, 8, 9)));
  EXPECT_EQ(menu->FontColor(), fw::Color(-1));
  EXPECT_EQ(menu->SeparatorHeight(), 5);

  // The theme going away leaves the menu in DeepBlue.
  delete theme;
  EXPECT_EQ(menu->FileTheme(), nullptr);
  EXPECT_EQ(menu->UIStyle(), TsuiUIStyle::DeepBlue);
  EXPECT_EQ(menu->Color(), fw::Color(Rgb(255, 255, 255)));
  delete form;
}

TEST_F(MenuStyleTest, ItemsAreHookedWhenLoadedAndWhenAddedLaterAtAnyDepth) {
  TsuiPopupMenu::StaticClassInfo();
  fw::Form* form = new fw::Form(&fw::App());
  fw::LoadDescriptionText(*form, R"(TForm Form7 {
    TsuiPopupMenu Menu1 {
      UIStyle = MacOS
      TMenuItem Item1 { Caption = "Restore" TMenuItem Sub1 { Caption = "Deep" } }
      TMenuItem Item2 { Caption = "-" }
    }
  })");
  auto* menu = form->Find<TsuiPopupMenu>("Menu1");
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->UIStyle(), TsuiUIStyle::MacOS);
  auto hooked = [](const fw::MenuItem* item) {
    return bool(item->OnMeasureItem) && bool(item->OnDrawItem);
  };
  EXPECT_TRUE(hooked(form->Find<fw::MenuItem>("Item1")));
  EXPECT_TRUE(hooked(form->Find<fw::MenuItem>("Sub1")));
  EXPECT_TRUE(hooked(form->Find<fw::MenuItem>("Item2")));

  auto* later = new fw::MenuItem(form);
  EXPECT_FALSE(hooked(later));
  form->Find<fw::MenuItem>("Sub1")->Add(later);
  EXPECT_TRUE(hooked(later));
  int width = 0, height = 0;
  fw::Bitmap scratch(1, 1);
  later->SetCaption("-");
  menu->DoMeasureItem(*later, scratch.GetCanvas(), width, height);
  EXPECT_EQ(height, 12);
  delete form;
}

}  // namespace
}  // namespace somnara::skin
