// The about window, opened from the main window's menu: its parts, its links, OK and Alt+O,
// and a new window for every "About...".
#include "app/about_window.h"

#include <gtest/gtest.h>

#include "app/link_opener.h"
#include "app/program_entry.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "main_window_fixture.h"
#include "skin/controls/tsui_button.h"

namespace somnara::app {
namespace {

using testing::MainWindowTest;
using AboutWindowTest = MainWindowTest;

TEST_F(AboutWindowTest, ShowsNameVersionIconAndLinksAtItsDesignedPlace) {
  ChooseMenuItem(1500, testing::kAboutItem);
  EndAt(1700, [&] {
    ASSERT_NE(Form7, nullptr);
    EXPECT_TRUE(Form7->IsModal());
    EXPECT_EQ(Form7->Owner(), Form2);
    EXPECT_EQ(Form7->Caption(), "Welcome to Somnara");
    EXPECT_EQ(Native(Form7)->Bounds().left, 388);
    EXPECT_EQ(Native(Form7)->Bounds().top, 107);
    EXPECT_EQ(Form7->ClientWidth(), 359);
    EXPECT_EQ(Form7->ClientHeight(), 333);
    EXPECT_FALSE(Form7->AlphaBlend());
    // The links show what they open.
    EXPECT_EQ(Form7->Label1->Caption(), std::string(kHomePageLink));
    EXPECT_EQ(Form7->Label3->Caption(), std::string(kSupportAddress));
    // Every text is whole inside the window.
    for (fw::Label* text :
         {Form7->Label1, Form7->Label2, Form7->Label3, Form7->Label4, Form7->Label7})
      EXPECT_LE(text->BoundsRect().right, Form7->ClientWidth()) << text->Caption();
    // The 32-pixel icon: the golden moon in the middle of a dark blue disc, and the window's
    // face in the corners, where the icon is see-through.
    const fw::Bitmap& icon = Form7->Image9->GetPicture().Bitmap();
    ASSERT_EQ(icon.Width(), 32);
    ASSERT_EQ(icon.Height(), 32);
    EXPECT_EQ(icon.GetPixel(0, 0), fw::Color(13297133));
    EXPECT_EQ(icon.GetPixel(31, 31), fw::Color(13297133));
    fw::Color disc = icon.GetPixel(16, 3);
    EXPECT_GT(fw::BlueOf(disc), fw::RedOf(disc) + 40);
    fw::Color moon = icon.GetPixel(9, 20);
    EXPECT_GT(fw::RedOf(moon), 200);
    EXPECT_LT(fw::BlueOf(moon), 150);
  });
  RunProgram();
}

TEST_F(AboutWindowTest, TheLinksOpenTheirAddressesAndLeaveTheWindowOpen) {
  shell.SetOpenAccepts(false);
  ChooseMenuItem(1500, testing::kAboutItem);
  windows.At(1600, [&] { windows.Click(Centre(Form7->Label1)); });
  windows.At(1700, [&] { windows.Click(Centre(Form7->Label3)); });
  EndAt(1800, [&] {
    EXPECT_TRUE(Form7->Visible());
    EXPECT_TRUE(Form7->IsModal());
  });
  RunProgram();
  EXPECT_EQ(shell.Log(), (std::vector<std::string>{"open http://somnara.example/",
                                                   "url-handler http://somnara.example/",
                                                   "open mailto:help@somnara.example"}));
}

TEST_F(AboutWindowTest, AboutTwiceMakesTwoWindowsEachClosedOnItsOwn) {
  TForm7* first = nullptr;
  ChooseMenuItem(1500, testing::kAboutItem);
  windows.At(1600, [&] {
    first = Form7;
    ASSERT_NE(first, nullptr);
    windows.Click(Centre(Form7->Button1));
  });
  windows.At(1700, [&] {
    EXPECT_FALSE(first->Visible());
    EXPECT_FALSE(first->IsModal());
    EXPECT_TRUE(Form2->Visible());
  });
  ChooseMenuItem(1800, testing::kAboutItem);
  windows.At(1900, [&] {
    ASSERT_NE(Form7, first);
    EXPECT_TRUE(Form7->IsModal());
    // The first one is still there, hidden, owned by the main window.
    EXPECT_EQ(first->Owner(), Form2);
    EXPECT_FALSE(first->Visible());
    // Alt+O presses OK.
    windows.PressKey('O', 'o', platform::kAlt);
  });
  bool second_closed = false;
  windows.At(2000, [&] { second_closed = !Form7->Visible() && !Form7->IsModal(); });
  EndAt(2100);
  RunProgram();
  EXPECT_TRUE(second_closed);
  EXPECT_TRUE(shell.Requests().empty());
}

TEST_F(AboutWindowTest, TheTitleBarsCloseButtonClosesItAndTheProgramGoesOn) {
  ChooseMenuItem(1500, testing::kAboutItem);
  windows.At(1600, [&] { windows.Click(CloseButtonCentre(Form7->suiForm1)); });
  EndAt(1700, [&] {
    EXPECT_FALSE(Form7->Visible());
    EXPECT_TRUE(Form2->Visible());
    EXPECT_FALSE(fw::App().Terminated());
  });
  RunProgram();
}

}  // namespace
}  // namespace somnara::app
