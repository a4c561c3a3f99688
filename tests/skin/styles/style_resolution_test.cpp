#include <gtest/gtest.h>

#include "framework/application.h"
#include "framework/form.h"
#include "headless_fixture.h"
#include "skin/styles/tsui_ui_style.h"
#include "skinned_test_controls.h"

namespace somnara::skin {
namespace {

using testing::DerivedFrame;
using testing::FakeFrame;
using testing::FakeTheme;
using testing::SkinnedControl;

TEST(UIStyleNamesTest, OrdinalsAndNamesMatchThePublishedEnumeration) {
  const std::vector<std::string> expected = {"FromThemeFile", "MacOS",   "WinXP",
                                             "DeepBlue",      "Protein", "BlueGlass"};
  EXPECT_EQ(UIStyleNames(), expected);
  EXPECT_EQ(int(TsuiUIStyle::FromThemeFile), 0);
  EXPECT_EQ(int(TsuiUIStyle::DeepBlue), 3);
  EXPECT_EQ(int(TsuiUIStyle::BlueGlass), 5);
  EXPECT_EQ(sizeof(TsuiUIStyle), 1u);
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(UIStyleFromName(expected[i]), TsuiUIStyle(i)) << expected[i];
  EXPECT_EQ(UIStyleFromName("blueglass"), TsuiUIStyle::BlueGlass);
  EXPECT_EQ(UIStyleFromName("Aqua"), std::nullopt);
  EXPECT_EQ(UIStyleFromName(""), std::nullopt);
  EXPECT_EQ(UIStyleName(TsuiUIStyle(200)), "DeepBlue");
}

TEST(ResolveStyleTest, BuiltInStylesAreUsedAsTheyAreWhateverTheTheme) {
  FakeTheme ready(nullptr, true);
  for (TsuiUIStyle s : {TsuiUIStyle::MacOS, TsuiUIStyle::WinXP, TsuiUIStyle::DeepBlue,
                        TsuiUIStyle::Protein, TsuiUIStyle::BlueGlass}) {
    EXPECT_EQ(ResolveStyle(nullptr, s), (ResolvedStyle{false, s}));
    EXPECT_EQ(ResolveStyle(&ready, s), (ResolvedStyle{false, s}));
  }
}

TEST(ResolveStyleTest, FromThemeFileUsesOnlyAReadyTheme) {
  FakeTheme theme(nullptr, true);
  EXPECT_EQ(ResolveStyle(&theme, TsuiUIStyle::FromThemeFile),
            (ResolvedStyle{true, TsuiUIStyle::FromThemeFile}));
  theme.SetReady(false);
  EXPECT_EQ(ResolveStyle(&theme, TsuiUIStyle::FromThemeFile),
            (ResolvedStyle{false, TsuiUIStyle::DeepBlue}));
  EXPECT_EQ(ResolveStyle(nullptr, TsuiUIStyle::FromThemeFile),
            (ResolvedStyle{false, TsuiUIStyle::DeepBlue}));
}

TEST(ResolveStyleTest, AStyleValueOutsideTheEnumerationFallsBackToDeepBlue) {
  EXPECT_EQ(ResolveStyle(nullptr, TsuiUIStyle(9)), (ResolvedStyle{false, TsuiUIStyle::DeepBlue}));
}

class OwnerFormStyleTest : public somnara::testing::HeadlessTest {
 protected:
  fw::Form* NewForm() {
    auto* form = new fw::Form(&fw::App());
    form->AfterConstruction();
    return form;
  }
};

TEST_F(OwnerFormStyleTest, NoOwnerOrAnOwnerThatIsNoFormGivesDeepBlue) {
  EXPECT_EQ(OwnerFormStyle(nullptr), TsuiUIStyle::DeepBlue);
  fw::Form* form = NewForm();
  auto* frame = new FakeFrame(form);
  frame->SetParent(form);
  frame->SetUIStyle(TsuiUIStyle::MacOS);
  // A control created on the frame is owned by the frame, which is no form.
  EXPECT_EQ(OwnerFormStyle(frame), TsuiUIStyle::DeepBlue);
  EXPECT_EQ(OwnerFormStyle(&fw::App()), TsuiUIStyle::DeepBlue);
}

TEST_F(OwnerFormStyleTest, AFormWithoutSkinnedFrameGivesDeepBlue) {
  fw::Form* form = NewForm();
  EXPECT_EQ(OwnerFormStyle(form), TsuiUIStyle::DeepBlue);
  // Other skinned controls with a style of their own do not count.
  auto* other = new SkinnedControl(form);
  other->SetParent(form);
  other->SetUIStyle(TsuiUIStyle::Protein);
  EXPECT_EQ(OwnerFormStyle(form), TsuiUIStyle::DeepBlue);
}

TEST_F(OwnerFormStyleTest, TheFirstFrameAmongTheFormsChildrenDecides) {
  fw::Form* form = NewForm();
  auto* other = new SkinnedControl(form);
  other->SetParent(form);
  other->SetUIStyle(TsuiUIStyle::Protein);
  auto* first = new FakeFrame(form);
  first->SetParent(form);
  first->SetUIStyle(TsuiUIStyle::MacOS);
  auto* second = new FakeFrame(form);
  second->SetParent(form);
  second->SetUIStyle(TsuiUIStyle::WinXP);
  EXPECT_EQ(OwnerFormStyle(form), TsuiUIStyle::MacOS);
  first->SetUIStyle(TsuiUIStyle::FromThemeFile);
  EXPECT_EQ(OwnerFormStyle(form), TsuiUIStyle::FromThemeFile);
}

TEST_F(OwnerFormStyleTest, ClassesDerivedFromTheFrameCount) {
  fw::Form* form = NewForm();
  auto* frame = new DerivedFrame(form);
  frame->SetParent(form);
  frame->SetUIStyle(TsuiUIStyle::BlueGlass);
  EXPECT_EQ(OwnerFormStyle(form), TsuiUIStyle::BlueGlass);
}

TEST_F(OwnerFormStyleTest, AFrameOnlyOwnedByTheFormButPlacedElsewhereIsNotAChild) {
  fw::Form* form = NewForm();
  fw::Form* elsewhere = NewForm();
  auto* frame = new FakeFrame(form);
  frame->SetParent(elsewhere);
  frame->SetUIStyle(TsuiUIStyle::MacOS);
  EXPECT_EQ(OwnerFormStyle(form), TsuiUIStyle::DeepBlue);
  EXPECT_EQ(OwnerFormStyle(elsewhere), TsuiUIStyle::MacOS);
}

}  // namespace
}  // namespace somnara::skin
