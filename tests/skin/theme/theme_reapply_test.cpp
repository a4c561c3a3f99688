// What a successful load does to the theme's own form: its skinned components that name
// the theme take the new skin, the frame is measured anew on a reload, and the form's
// visibility comes out as it went in. And what the theme's users hear when it goes.
#include <gtest/gtest.h>

#include "framework/application.h"
#include "framework/form.h"
#include "framework/messages.h"
#include "headless_fixture.h"
#include "skin/theme/tsui_built_in_file_theme.h"
#include "skin/theme/tsui_file_theme.h"
#include "theme_test_support.h"

namespace somnara::skin {
namespace {

using testing::ForeignProbe;
using testing::FrameProbe;
using testing::ScratchFolder;
using testing::SkinnedProbe;
using testing::SmallSkin;

class ThemeReapplyTest : public somnara::testing::HeadlessTest {
 protected:
  fw::Form* NewForm(const std::string& name) {
    auto* form = new fw::Form(&fw::App());
    form->SetName(name);
    return form;
  }
  template <class T>
  T* NewProbe(fw::Form* form, TsuiThemeBase* theme) {
    auto* probe = new T(form);
    probe->SetParent(form);
    if (theme != nullptr) fw::SetProperty(*probe, "FileTheme", fw::Value::Of(theme));
    probe->writes.clear();
    probe->form_visible_when_written.clear();
    return probe;
  }
  // Counts the times the form's frame is measured (SWP_FRAMECHANGED does it).
  void CountFrameChanges(fw::Form* form) {
    fw::WindowProcedure old = form->WindowProc;
    form->WindowProc = [this, old](fw::Message& m) {
      if (m.msg == fw::WM_NCCALCSIZE) ++frame_changes;
      old(m);
    };
  }

  ScratchFolder folder;
  std::string skin = folder.Write("small.skn", SmallSkin{}.Build());
  int frame_changes = 0;
};

TEST_F(ThemeReapplyTest, SkinnedComponentsOfTheOwnerFormThatNameTheThemeTakeItAgain) {
  fw::Form* form = NewForm("FormA");
  auto* theme = new TsuiFileTheme(form);
  theme->SetName("theme1");
  auto* other_theme = new TsuiFileTheme(form);
  other_theme->SetName("theme2");
  auto* named = NewProbe<SkinnedProbe>(form, theme);
  auto* frame = NewProbe<FrameProbe>(form, theme);
  auto* other = NewProbe<SkinnedProbe>(form, other_theme);
  auto* themeless = NewProbe<SkinnedProbe>(form, nullptr);
  auto* foreign = NewProbe<ForeignProbe>(form, theme);
  fw::Form* elsewhere = NewForm("FormB");
  auto* remote = NewProbe<SkinnedProbe>(elsewhere, theme);

  theme->SetThemeFile(skin);
  ASSERT_TRUE(theme->Ready());
  // None, then the theme again, now ready: the control applies its style anew.
  const std::vector<std::string> again = {"nil", "theme1+"};
  EXPECT_EQ(named->writes, again);
  EXPECT_EQ(frame->writes, again);
  EXPECT_EQ(named->FileTheme(), theme);
  EXPECT_TRUE(other->writes.empty());
  EXPECT_TRUE(themeless->writes.empty());
  // Only the skin library's own classes are given the theme again.
  EXPECT_TRUE(foreign->writes.empty());
  // Other forms' controls learn of it when they set their theme or style again.
  EXPECT_TRUE(remote->writes.empty());
}

TEST_F(ThemeReapplyTest, ALoadThatFailsOrAThemeOwnedByNoFormTouchesNothing) {
  fw::Form* form = NewForm("FormA");
  auto* theme = new TsuiFileTheme(form);
  auto* probe = NewProbe<SkinnedProbe>(form, theme);
  theme->SetThemeFile(folder.Write("bad.skn", {'S', 'K', 0, 0}));
  EXPECT_FALSE(theme->Ready());
  EXPECT_TRUE(probe->writes.empty());

  fw::Component holder(nullptr);
  auto* loose = new TsuiFileTheme(&holder);
  auto* probe2 = NewProbe<SkinnedProbe>(form, loose);
  loose->SetThemeFile(skin);
  EXPECT_TRUE(loose->Ready());
  EXPECT_TRUE(probe2->writes.empty());
}

TEST_F(ThemeReapplyTest, TheFormIsHiddenWhileItsControlsChangeAndShowsAgainOnlyIfItWasShowing) {
  fw::Form* shown = NewForm("Shown");
  shown->SetCaption("Shown window");
  shown->Show();
  auto* theme = new TsuiFileTheme(shown);
  auto* probe = NewProbe<SkinnedProbe>(shown, theme);
  theme->SetThemeFile(skin);
  EXPECT_EQ(probe->form_visible_when_written, (std::vector<bool>{false, false}));
  EXPECT_TRUE(shown->Visible());
  ASSERT_NE(windows.FindByTitle("Shown window"), nullptr);
  EXPECT_TRUE(windows.FindByTitle("Shown window")->Visible());

  fw::Form* hidden = NewForm("Hidden");
  auto* hidden_theme = new TsuiFileTheme(hidden);
  auto* hidden_probe = NewProbe<SkinnedProbe>(hidden, hidden_theme);
  hidden_theme->SetThemeFile(skin);
  EXPECT_EQ(hidden_probe->writes.size(), 2u);
  EXPECT_FALSE(hidden->Visible());
}

TEST_F(ThemeReapplyTest, AFrameUsingTheThemeIsMeasuredAnewOnlyWhenASkinWasLoadedBefore) {
  fw::Form* form = NewForm("FormA");
  auto* theme = new TsuiFileTheme(form);
  NewProbe<FrameProbe>(form, theme);
  CountFrameChanges(form);
  theme->SetThemeFile(skin);
  ASSERT_TRUE(theme->Ready());
  EXPECT_EQ(frame_changes, 0);
  theme->SetThemeFile(skin);
  EXPECT_EQ(frame_changes, 1);

  // Without a frame that names the theme there is nothing to measure.
  fw::Form* plain = NewForm("Plain");
  auto* plain_theme = new TsuiFileTheme(plain);
  NewProbe<SkinnedProbe>(plain, plain_theme);
  frame_changes = 0;
  CountFrameChanges(plain);
  plain_theme->SetThemeFile(skin);
  plain_theme->SetThemeFile(skin);
  EXPECT_EQ(frame_changes, 0);
}

TEST_F(ThemeReapplyTest, ABuiltInThemeReloadedFromItsStoredBytesMeasuresTheFrameAnew) {
  fw::Form* form = NewForm("FormA");
  auto* theme = new TsuiBuiltInFileTheme(form);
  theme->SetName("builtin");
  auto* frame = NewProbe<FrameProbe>(form, theme);
  CountFrameChanges(form);
  const std::vector<uint8_t> bytes = SmallSkin{}.Build();
  theme->SetSkinData(bytes);
  ASSERT_TRUE(theme->Ready());
  EXPECT_EQ(frame->writes, (std::vector<std::string>{"nil", "builtin+"}));
  EXPECT_EQ(frame_changes, 0);
  theme->SetSkinData(bytes);
  EXPECT_EQ(frame_changes, 1);
}

TEST_F(ThemeReapplyTest, UsersHearThatTheThemeGoesWhileItCanStillAnswer) {
  fw::Form* form = NewForm("FormA");
  auto* file_theme = new TsuiFileTheme(form);
  auto* built_in = new TsuiBuiltInFileTheme(form);
  file_theme->SetThemeFile(skin);
  auto* on_file = NewProbe<SkinnedProbe>(form, file_theme);
  auto* on_built_in = NewProbe<SkinnedProbe>(form, built_in);
  fw::SetProperty(*on_file, "UIStyle", fw::Value::Identifier("FromThemeFile"));

  delete file_theme;
  EXPECT_EQ(on_file->FileTheme(), nullptr);
  EXPECT_EQ(on_file->UIStyle(), TsuiUIStyle::DeepBlue);
  EXPECT_TRUE(on_file->removed_theme_ready);
  EXPECT_EQ(on_file->removed_theme_class, "TsuiFileTheme");

  delete built_in;
  EXPECT_EQ(on_built_in->FileTheme(), nullptr);
  EXPECT_FALSE(on_built_in->removed_theme_ready);
  EXPECT_EQ(on_built_in->removed_theme_class, "TsuiBuiltInFileTheme");
}

}  // namespace
}  // namespace somnara::skin
