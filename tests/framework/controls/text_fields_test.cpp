// Edit fields and memos: typing and the caret keys, limits, read-only text, wrapping and
// scrolling.
#include "controls_fixture.h"
#include "framework/controls/edit.h"
#include "framework/controls/memo.h"
#include "framework/description/description_loader.h"
#include "framework/graphics/text_renderer.h"

namespace somnara::fw {
namespace {

using TextFieldsTest = somnara::testing::ControlsTest;

TEST_F(TextFieldsTest, EditTypingCaretKeysAndOnChange) {
  Form* form = MakeForm();
  auto* edit = new Edit(form);
  edit->SetParent(form);
  edit->SetBounds(405, 48, 33, 21);
  edit->SetText("30");
  int changes = 0;
  edit->OnChange = [&](Component*) { ++changes; };
  edit->SetFocus();  // selects all: typing replaces
  Type("45");
  EXPECT_EQ(edit->Text(), "45");
  Key(VK_HOME);
  Type("1");
  Key(VK_END);
  Key(VK_BACK, 8);
  EXPECT_EQ(edit->Text(), "14");
  Key(VK_LEFT);
  Key(VK_DELETE);
  EXPECT_EQ(edit->Text(), "1");
  Key(VK_LEFT);
  Key(VK_RIGHT, 0, platform::kShift);
  EXPECT_EQ(edit->SelText(), "1");
  Type("abc");
  EXPECT_EQ(edit->Text(), "abc");
  EXPECT_EQ(changes, 8);
  // Keys that change nothing report nothing.
  Key(VK_HOME);
  Key(VK_BACK, 8);
  EXPECT_EQ(changes, 8);
  edit->SetText("by code");
  EXPECT_EQ(changes, 9);
  EXPECT_EQ(edit->CaretPos(), 0u);
}

TEST_F(TextFieldsTest, EditLimitsAndReadOnly) {
  Form* form = MakeForm();
  auto* edit = new Edit(form);
  edit->SetParent(form);
  edit->SetMaxLength(3);
  edit->SetFocus();
  Type("abcdef");
  EXPECT_EQ(edit->Text(), "abc");
  edit->SetText("");
  windows.TypeChar(0x3B8);  // θ: one character of two bytes
  windows.TypeChar(0x3B8);
  windows.TypeChar(0x3B8);
  windows.TypeChar(0x3B8);
  Pump();
  EXPECT_EQ(edit->Text(), "\xCE\xB8\xCE\xB8\xCE\xB8");
  Key(VK_BACK, 8);
  EXPECT_EQ(edit->Text(), "\xCE\xB8\xCE\xB8");
  edit->SetReadOnly(true);
  Type("x");
  Key(VK_BACK, 8);
  EXPECT_EQ(edit->Text(), "\xCE\xB8\xCE\xB8");
  Key(VK_HOME);
  EXPECT_EQ(edit->CaretPos(), 0u);  // moving is still allowed
}

TEST_F(TextFieldsTest, EditClickPlacesTheCaretNearTheCharacter) {
  Form* form = MakeForm();
  auto* edit = new Edit(form);
  edit->SetParent(form);
  edit->SetBounds(10, 10, 200, 21);
  edit->SetText("MMMMMMMMMM");
  ClickOn(*edit, 199, 10);
  EXPECT_EQ(edit->CaretPos(), 10u);
  ClickOn(*edit, 1, 10);
  EXPECT_EQ(edit->CaretPos(), 0u);
  EXPECT_EQ(edit->SelLength(), 0u);
}

TEST_F(TextFieldsTest, MemoLinesFromADescriptionWrapAndScroll) {
  Form* form = MakeForm(400, 300, false);
  form->SetName("");
  LoadDescriptionText(*form, R"(TForm Form3 {
    TMemo Memo3 {
      Left = 80  Top = 40  Width = 185  Height = 60
      BorderStyle = bsSingle  Ctl3D = False  ReadOnly = True
      Lines = ("Step 3:", "", "Please set up the system options of ", "Somnara. Keep default if you ",
               "don't understand their accurate ", "meaning.")
    }
  })");
  form->Show();
  auto* memo = form->Find<Memo>("Memo3");
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->LineCount(), 6);
  EXPECT_EQ(memo->Lines()[2], "Please set up the system options of ");
  EXPECT_GE(memo->ScreenLineCount(), 6);
  memo->SetWordWrap(false);
  EXPECT_EQ(memo->ScreenLineCount(), 6);
  memo->SetBounds(80, 40, 60, 60);
  memo->SetWordWrap(true);
  EXPECT_GT(memo->ScreenLineCount(), 8);  // long lines wrap at the narrow width

  memo->SetFocus();
  Type("x");
  Key(VK_DELETE);
  EXPECT_EQ(memo->Lines()[0], "Step 3:");  // read-only
  int visible = memo->VisibleLineCount();
  ASSERT_LT(visible, memo->ScreenLineCount());
  Key(VK_END, 0, platform::kCtrl);
  EXPECT_EQ(memo->CaretPos(), memo->Text().size());
  EXPECT_EQ(memo->TopLine(), memo->ScreenLineCount() - visible);
  Key(VK_HOME, 0, platform::kCtrl);
  EXPECT_EQ(memo->TopLine(), 0);
  Key(VK_NEXT);
  EXPECT_GT(memo->TopLine(), 0);
  Pump();
  // The flat border is one dark line.
  EXPECT_EQ(PixelOf(*memo, 0, 30), 0x000000u);
  EXPECT_NE(PixelOf(*memo, 1, 30), 0x000000u);
}

TEST_F(TextFieldsTest, MemoScrollBarArrowsAndTrack) {
  Form* form = MakeForm();
  auto* memo = new Memo(form);
  memo->SetParent(form);
  memo->SetBounds(10, 10, 185, 80);
  memo->SetScrollBars(ScrollStyle::kVertical);
  std::vector<std::string> lines;
  for (int i = 0; i < 30; ++i) lines.push_back("line " + std::to_string(i));
  memo->SetLines(lines);
  int visible = memo->VisibleLineCount();
  ClickOn(*memo, memo->Width() - 8, memo->Height() - 6);  // down arrow
  EXPECT_EQ(memo->TopLine(), 1);
  ClickOn(*memo, memo->Width() - 8, memo->Height() - 25);  // track below the thumb
  EXPECT_EQ(memo->TopLine(), 1 + visible);
  ClickOn(*memo, memo->Width() - 8, 5);  // up arrow
  EXPECT_EQ(memo->TopLine(), visible);
  for (int i = 0; i < 10; ++i) ClickOn(*memo, memo->Width() - 8, memo->Height() - 25);
  EXPECT_EQ(memo->TopLine(), 30 - visible);  // stops at the last page
  EXPECT_EQ(memo->Lines(), lines);           // scrolling edits nothing
}

TEST_F(TextFieldsTest, MemoEditingAcrossLines) {
  Form* form = MakeForm();
  auto* memo = new Memo(form);
  memo->SetParent(form);
  memo->SetLines({"Step 1:", "", "Put a glass"});
  int changes = 0;
  memo->OnChange = [&](Component*) { ++changes; };
  memo->SetFocus();
  memo->SetCaretPos(0);
  Key(VK_DOWN);
  Key(VK_DOWN);
  Key(VK_END);
  Type(" of water");
  Key(VK_UP);
  Type("a");
  Key(VK_RETURN, '\r');
  EXPECT_EQ(memo->Lines(), (std::vector<std::string>{"Step 1:", "a", "", "Put a glass of water"}));
  Key(VK_BACK, 8);
  Key(VK_BACK, 8);
  EXPECT_EQ(memo->Lines(), (std::vector<std::string>{"Step 1:", "", "Put a glass of water"}));
  EXPECT_EQ(changes, 9 + 1 + 1 + 2);
  memo->SetText("one\r\ntwo");
  EXPECT_EQ(memo->Lines(), (std::vector<std::string>{"one", "two"}));
}

TEST_F(TextFieldsTest, MemoHighlightsOnlyTheSelectedCharactersOfEachLine) {
  Form* form = MakeForm();
  auto* memo = new Memo(form);
  memo->SetParent(form);
  memo->SetLines({"abc", "defgh"});
  memo->SetFocus();
  memo->SetCaretPos(1);
  for (int i = 0; i < 5; ++i) Key(VK_RIGHT, 0, platform::kShift);  // "bc", the break, "de"
  ASSERT_EQ(memo->SelLength(), 5u);
  Pump();
  const Font& font = memo->GetFont();
  int h = TextRenderer::Instance().Metrics(font).height;
  int left = 4, top = 3;  // inside the sunken border and the text margin
  int a = left + TextRenderer::Instance().Width(font, "a");
  int de = left + TextRenderer::Instance().Width(font, "de");
  auto highlighted = [&](int x0, int y0, int x1, int y1) {
    Rect area{x0, y0, x1, y1};
    return area.Width() * area.Height() - CountOtherThan(*memo, ColorToRgb(clHighlight), area);
  };
  EXPECT_EQ(highlighted(left, top, a, top + h), 0);
  EXPECT_GT(highlighted(a, top, memo->Width() - 4, top + h), 0);
  EXPECT_GT(highlighted(left, top + h, de, top + 2 * h), 0);
  EXPECT_EQ(highlighted(de, top + h, memo->Width() - 4, top + 2 * h), 0);
}

}  // namespace
}  // namespace somnara::fw
