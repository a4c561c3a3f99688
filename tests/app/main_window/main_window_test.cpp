// The main window from its fade-in to the end of the program: Start and the wizard, the menu
// and its items, F1, Exit and the close button.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/about_window.h"
#include "app/backdrop_window.h"
#include "app/program_entry.h"
#include "framework/controls/image.h"
#include "framework/graphics/picture.h"
#include "framework/messages.h"
#include "framework/resources.h"
#include "framework/timer.h"
#include "main_window_fixture.h"
#include "routine/wizard_window.h"

namespace somnara::app {
namespace {

using testing::MainWindowTest;
using Kind = platform::RecordedShellRequest::Kind;

const char kMainCaption[] = "Somnara - Help you easy to get a good night's sleep";

// Opacity the fade has reached `ms` into the run: the window comes at 1000 ms and each
// 80 ms tick adds 5 until 255.
int FadeAt(int64_t ms) {
  return std::min<int>(255, int(5 * ((ms - 1000) / 80)));
}

TEST_F(MainWindowTest, FadesInByFiveEveryEightyMillisecondsAndStopsOnTheTickAfter255) {
  std::vector<int> seen, expected;
  for (int k = 0; k <= 53; ++k) {
    windows.At(1000 + 80 * k + 40, [&seen] { seen.push_back(Form2->AlphaBlendValue()); });
    expected.push_back(std::min(5 * k, 255));
  }
  bool on_after_last_raise = false, on_after_next_tick = true;
  windows.At(5100, [&] { on_after_last_raise = Form2->Timer1->Enabled(); });
  windows.At(5170, [&] { on_after_next_tick = Form2->Timer1->Enabled(); });
  std::vector<uint8_t> history;
  EndAt(6000, [&] { history = Native(Form2)->OpacityHistory(); });
  RunProgram();

  EXPECT_EQ(seen, expected);
  EXPECT_TRUE(on_after_last_raise);  // 255 reached on the 51st tick, at 5080 ms
  EXPECT_FALSE(on_after_next_tick);  // the 52nd tick, at 5160 ms, ends the fade
  // The desktop window went through every step exactly once and never past 255.
  history.erase(std::unique(history.begin(), history.end()), history.end());
  std::vector<uint8_t> steps;
  for (int v = 0; v <= 255; v += 5) steps.push_back(uint8_t(v));
  EXPECT_EQ(history, steps);
}

TEST_F(MainWindowTest, ThePhotographAndTheFigureAreDecodedAndShownWhereDesigned) {
  EndAt(1100, [&] {
    ASSERT_NE(Form2, nullptr);
    // The skinned frame keeps the designed client area.
    EXPECT_EQ(Form2->ClientWidth(), 438);
    EXPECT_EQ(Form2->ClientHeight(), 260);
    const fw::ImagePicture& photo = Form2->Image1->GetPicture();
    EXPECT_EQ(photo.Graphic().Format(), fw::PictureFormat::kJpeg);
    EXPECT_EQ(photo.Width(), 300);
    EXPECT_EQ(photo.Height(), 365);
    const fw::ImagePicture& figure = Form2->Image2->GetPicture();
    EXPECT_EQ(figure.Width(), 106);
    EXPECT_EQ(figure.Height(), 153);
    // Stored in 256 colours: 8 bits per pixel (the info header's bit count, bytes 28 and 29).
    fw::ResourceLookup stored = fw::FindResource("generated/main_figure.bmp");
    ASSERT_TRUE(stored.found);
    ASSERT_GT(stored.bytes.size(), 30u);
    EXPECT_EQ(stored.bytes[28] | stored.bytes[29] << 8, 8);
    // On the window: the photograph from 8 pixels into it (it starts left of the client
    // area), under the title bar and cut off at the bottom edge; the figure beside it.
    const Point client{Form2->ClientInWindow().left, Form2->ClientInWindow().top};
    auto shown = [&](int x, int y) { return Native(Form2)->PixelAt(client.x + x, client.y + y); };
    auto pixel = [](const fw::ImagePicture& p, int x, int y) {
      return p.Bitmap().Scanline(y)[x] & 0xFFFFFF;
    };
    for (Point at : {Point{0, 40}, Point{150, 100}, Point{291, 259}})
      EXPECT_EQ(shown(at.x, at.y), pixel(photo, at.x + 8, at.y - 7)) << at.x << "," << at.y;
    EXPECT_EQ(shown(315 + 60, 32 + 80), pixel(figure, 60, 80));
  });
  RunProgram();
}

TEST_F(MainWindowTest, StartHidesTheWindowStopsTheTuneAndClosingTheWizardBringsItBack) {
  routine::TForm3* first_wizard = nullptr;
  size_t log_before_start = 0;
  // The loop timer is on before Start, as it would be with a track repeating.
  windows.At(1950, [&] { Form1->Timer2->SetEnabled(true); });
  windows.At(2000, [&] {
    log_before_start = media.Log().size();
    windows.Click(Centre(Form2->suiButton1));
  });
  windows.At(2100, [&] {
    ASSERT_NE(Form3, nullptr);
    first_wizard = Form3;
    EXPECT_FALSE(Form2->Visible());
    EXPECT_FALSE(Native(Form2)->Visible());
    EXPECT_FALSE(Form1->Timer2->Enabled());
    EXPECT_TRUE(Form3->IsModal());
    EXPECT_TRUE(Native(Form3)->Visible());
    EXPECT_EQ(Form3->Owner(), Form2);
    EXPECT_EQ(Form3->Caption(), kMainCaption);
    EXPECT_EQ(Form3->ClientWidth(), 491);
    EXPECT_EQ(Form3->ClientHeight(), 282);
    // The fade goes on while the window is hidden.
    EXPECT_TRUE(Form2->Timer1->Enabled());
  });
  windows.At(3000, [&] { windows.RequestClose(Native(Form3)); });
  int opacity_back = -1;
  bool shown_again = false;
  windows.At(3010, [&] {
    shown_again = Form2->Visible() && Native(Form2)->Visible();
    opacity_back = Form2->AlphaBlendValue();
    EXPECT_FALSE(first_wizard->Visible());
    EXPECT_FALSE(first_wizard->IsModal());
  });
  // Start once more: a new wizard, the earlier one kept, and the tune stays silent.
  windows.At(3500, [&] { windows.Click(Centre(Form2->suiButton1)); });
  windows.At(3600, [&] {
    ASSERT_NE(Form3, nullptr);
    EXPECT_NE(Form3, first_wizard);
    EXPECT_EQ(first_wizard->Owner(), Form2);
    EXPECT_TRUE(Form3->IsModal());
    windows.RequestClose(Native(Form3));
  });
  EndAt(6000, [] {
    EXPECT_TRUE(Form2->Visible());
    EXPECT_EQ(Form2->AlphaBlendValue(), 255);
    EXPECT_FALSE(Form2->Timer1->Enabled());
  });
  EXPECT_EQ(RunProgram(), 0);

  EXPECT_TRUE(shown_again);
  EXPECT_EQ(opacity_back, FadeAt(3010));
  ASSERT_GT(media.Log().size(), log_before_start);
  std::vector<std::string> after_start;
  for (size_t i = log_before_start; i < media.Log().size(); ++i)
    after_start.push_back(media.Log()[i].command);
  EXPECT_EQ(after_start, (std::vector<std::string>{"Stop dd", "Stop dd"}));
}

TEST_F(MainWindowTest, TheMenuDropsFromTheMenuButtonsBottomLeftCorner) {
  windows.At(1500, [&] { windows.Click(Centre(Form2->suiButton2)); });
  EndAt(1600, [&] {
    fw::PopupMenu* menu = Form2->ImageMenu;
    ASSERT_TRUE(menu->IsOpen());
    // The button's bottom-left corner on the screen: the window's client origin plus the
    // button's designed left and bottom.
    Point client = Form2->ClientToScreen({0, 0});
    Rect bounds = static_cast<platform::HeadlessWindow*>(menu->Window()->NativeWindow())->Bounds();
    EXPECT_EQ(bounds.left, client.x + 304);
    EXPECT_EQ(bounds.top, client.y + 224 + 27);
    std::vector<std::string> captions, shortcuts;
    for (fw::MenuItem* item : menu->Window()->ShownItems()) {
      captions.push_back(item->Caption());
      shortcuts.push_back(item->ShortCutText());
    }
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Start Somnara", "-", "Help Contents", "Home Page", "-",
                                        "About...", "-", "Support Or Feedback", "-", "Exit"}));
    EXPECT_EQ(shortcuts, (std::vector<std::string>{"", "", "F1", "", "", "", "", "", "", ""}));
  });
  RunProgram();
}

TEST_F(MainWindowTest, StartFromTheMenuActsLikeTheButton) {
  ChooseMenuItem(1500, testing::kStartItem);
  windows.At(1700, [&] {
    ASSERT_NE(Form3, nullptr);
    EXPECT_TRUE(Form3->IsModal());
    EXPECT_FALSE(Form2->Visible());
    windows.RequestClose(Native(Form3));
  });
  EndAt(1800, [] { EXPECT_TRUE(Form2->Visible()); });
  RunProgram();
  EXPECT_EQ(media.Log().back().command, "Stop dd");
}

TEST_F(MainWindowTest, F1OnTheMainWindowOpensNothing) {
  windows.At(1500, [&] {
    ASSERT_EQ(fw::ActiveForm(), Form2);
    windows.PressKey(fw::VK_F1);
  });
  size_t forms_before = 0;
  windows.At(1490, [&] { forms_before = fw::App().Forms().size(); });
  EndAt(1600, [&] {
    EXPECT_EQ(fw::App().Forms().size(), forms_before);
    EXPECT_FALSE(Form2->ImageMenu->IsOpen());
  });
  RunProgram();
  EXPECT_TRUE(shell.Requests().empty());
}

TEST_F(MainWindowTest, ExitFromTheMenuEndsTheProgramAtOnce) {
  ChooseMenuItem(1500, testing::kExitItem);
  windows.At(60000, [] {
    ADD_FAILURE() << "the program did not end";
    fw::App().Terminate();
  });
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_EQ(Now(), 1550);
  EXPECT_TRUE(shell.Requests().empty());
}

TEST_F(MainWindowTest, TheCloseButtonEndsTheProgramAtOnceEvenDuringTheFade) {
  windows.At(1234, [&] { windows.Click(CloseButtonCentre(Form2->suiForm1)); });
  windows.At(60000, [] {
    ADD_FAILURE() << "the program did not end";
    fw::App().Terminate();
  });
  RunProgram();
  EXPECT_EQ(Now(), 1234);
}

TEST_F(MainWindowTest, HelpContentsOpensTheHelpPageOnceWhenTheOpenerAcceptsIt) {
  ChooseMenuItem(1500, testing::kHelpItem);
  EndAt(1700);
  RunProgram();
  EXPECT_EQ(shell.Log(), std::vector<std::string>{"open " + ProgramPath("help/help.html")});
}

TEST_F(MainWindowTest, ARefusedHelpPageIsTriedOnceMoreThroughTheUrlHandler) {
  shell.SetOpenAccepts(false);
  shell.SetUrlHandlerAccepts(false);
  ChooseMenuItem(1500, testing::kHelpItem);
  EndAt(1700, [] { EXPECT_TRUE(Form2->Visible()); });
  RunProgram();
  std::string page = ProgramPath("help/help.html");
  EXPECT_EQ(shell.Log(), (std::vector<std::string>{"open " + page, "url-handler " + page}));
}

TEST_F(MainWindowTest, HomePageAndSupportGoToTheShellAndTheWindowStaysAsItWas) {
  shell.SetOpenAccepts(false);
  ChooseMenuItem(1500, testing::kHomeItem);
  ChooseMenuItem(1700, testing::kSupportItem);
  EndAt(1900, [] {
    EXPECT_TRUE(Form2->Visible());
    EXPECT_TRUE(Form2->IsModal());
    EXPECT_EQ(fw::ActiveForm(), Form2);
  });
  RunProgram();
  // The e-mail link is one request whatever the answer; the home page gets its second try.
  EXPECT_EQ(shell.Log(), (std::vector<std::string>{"open http://somnara.example",
                                                   "url-handler http://somnara.example",
                                                   "open mailto:help@somnara.example"}));
}

}  // namespace
}  // namespace somnara::app
