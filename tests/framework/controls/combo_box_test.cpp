// Combo boxes: typing drops the selection, choosing sets the text, and the drop-down list
// is a window of its own below the control that takes the mouse and the keys.
#include "framework/controls/combo_box.h"

#include "controls_fixture.h"
#include "framework/controls/combo_list_window.h"
#include "framework/description/description_loader.h"

namespace somnara::fw {
namespace {

const std::vector<std::string> kSounds = {"Natural sound", "Rain", "Ocean waves", "Stream",
                                          "Birds",         "Wind", "Night"};

class ComboBoxTest : public somnara::testing::ControlsTest {
 protected:
  ComboBox* MakeCombo(Form* form) {
    auto* combo = new ComboBox(form);
    combo->SetParent(form);
    combo->SetBounds(50, 80, 145, 21);
    combo->SetItems(kSounds);
    combo->OnChange = [this, combo](Component*) {
      changes.emplace_back(combo->ItemIndex(), combo->Text());
    };
    return combo;
  }
  ComboListWindow* List(const ComboBox& combo) {
    for (Component* c : combo.Components())
      if (auto* list = dynamic_cast<ComboListWindow*>(c)) return list;
    return nullptr;
  }
  platform::HeadlessWindow* ListWindow(const ComboBox& combo) {
    ComboListWindow* list = List(combo);
    return list ? static_cast<platform::HeadlessWindow*>(list->NativeWindow()) : nullptr;
  }
  std::vector<std::pair<int, std::string>> changes;
};

TEST_F(ComboBoxTest, TypingDropsTheSelectionEvenWhenTheTextNamesAnItem) {
  Form* form = MakeForm();
  ComboBox* combo = MakeCombo(form);
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->Text(), "Rain");
  EXPECT_TRUE(changes.empty());  // a program's choice is not announced
  combo->SetFocus();
  Key(VK_END);
  Key(VK_BACK, 8);
  Type("n");
  EXPECT_EQ(combo->Text(), "Rain");
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(changes, (std::vector<std::pair<int, std::string>>{{-1, "Rai"}, {-1, "Rain"}}));
  combo->SetItemIndex(-1);
  EXPECT_EQ(combo->Text(), "Rain");  // an editable combo keeps its text
  combo->SetItemIndex(42);
  EXPECT_EQ(combo->ItemIndex(), -1);
  // Down selects the next item and says so.
  combo->SetItemIndex(2);
  changes.clear();
  Key(VK_DOWN);
  EXPECT_EQ(changes, (std::vector<std::pair<int, std::string>>{{3, "Stream"}}));
}

TEST_F(ComboBoxTest, TheListDropsBelowAndAClickChoosesAnItem) {
  Form* form = MakeForm();
  ComboBox* combo = MakeCombo(form);
  combo->SetItemIndex(0);
  ClickOn(*combo, combo->Width() - 5, 10);  // the arrow
  ASSERT_TRUE(combo->DroppedDown());
  platform::HeadlessWindow* list = ListWindow(*combo);
  ASSERT_NE(list, nullptr);
  Point below = combo->ClientToScreen({0, combo->Height()});
  EXPECT_EQ(list->Bounds().left, below.x);
  EXPECT_EQ(list->Bounds().top, below.y);
  EXPECT_EQ(list->Bounds().Width(), combo->Width());
  EXPECT_EQ(list->Bounds().Height(), 7 * combo->ItemHeight() + 2);
  EXPECT_EQ(windows.Focused(), list);

  int h = combo->ItemHeight();
  windows.Click({below.x + 20, below.y + 1 + 4 * h + h / 2});
  Pump();
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_FALSE(list->Visible());
  EXPECT_EQ(combo->ItemIndex(), 4);
  EXPECT_EQ(combo->Text(), "Birds");
  EXPECT_EQ(changes, (std::vector<std::pair<int, std::string>>{{4, "Birds"}}));
  EXPECT_EQ(ActiveForm(), form);  // the keyboard is back
}

TEST_F(ComboBoxTest, KeysInTheListAndClosingWithoutAChoice) {
  Form* form = MakeForm();
  ComboBox* combo = MakeCombo(form);
  combo->SetStyle(ComboBoxStyle::kDropDownList);
  combo->SetDropDownCount(3);
  combo->SetFocus();
  Key(VK_DOWN, 0, platform::kAlt);
  ASSERT_TRUE(combo->DroppedDown());
  platform::HeadlessWindow* list = ListWindow(*combo);
  EXPECT_EQ(list->Bounds().Height(), 3 * combo->ItemHeight() + 2);
  Key(VK_DOWN);
  Key(VK_DOWN);
  Key(VK_DOWN);
  Key(VK_DOWN);  // scrolls the short list
  Key(VK_RETURN, '\r');
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), 3);
  EXPECT_EQ(combo->Text(), "Stream");

  // Escape, and a press outside, close the list and change nothing.
  changes.clear();
  ClickCentre(*combo);
  ASSERT_TRUE(combo->DroppedDown());
  Key(VK_DOWN);
  Key(VK_ESCAPE, 0x1B);
  EXPECT_FALSE(combo->DroppedDown());
  ClickCentre(*combo);
  ASSERT_TRUE(combo->DroppedDown());
  windows.Click({900, 700});
  Pump();
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ(combo->ItemIndex(), 3);
  // A letter picks the next item starting with it.
  Type("n");
  EXPECT_EQ(combo->Text(), "Night");
}

TEST_F(ComboBoxTest, DraggingTheListsThumbScrollsAndItsReleaseChoosesNothing) {
  Form* form = MakeForm();
  ComboBox* combo = MakeCombo(form);
  combo->SetDropDownCount(3);
  ClickOn(*combo, combo->Width() - 5, 10);  // the arrow
  ASSERT_TRUE(combo->DroppedDown());
  ComboListWindow* list = List(*combo);
  ASSERT_NE(list, nullptr);
  Rect bounds = ListWindow(*combo)->Bounds();
  Point thumb{bounds.right - 8, bounds.top + 3};
  windows.PressMouse(thumb);
  windows.MoveMouse({bounds.left + 20, bounds.bottom + 200});  // over the items, then below
  windows.ReleaseMouse({bounds.left + 20, bounds.top + 5});
  Pump();
  EXPECT_TRUE(combo->DroppedDown());
  EXPECT_EQ(list->TopIndex(), 4);  // the last three items
  EXPECT_TRUE(changes.empty());
}

TEST_F(ComboBoxTest, ADescriptionWritesItemIndexBeforeItems) {
  Form form(nullptr);
  form.SetName("");
  LoadDescriptionText(form, R"(TForm Form3 {
    TComboBox ComboBox1 { Left = 312  Top = 80  Width = 145  ItemIndex = 0
                          Text = "Natural sound"  Items = ("Natural sound", "Rain") }
    TComboBox ComboBox2 { Style = csDropDown  Text = "ShutDown"
                          Items = ("DoNothing", "StandBy", "Hibernate", "ShutDown") }
  })");
  auto* first = form.Find<ComboBox>("ComboBox1");
  auto* second = form.Find<ComboBox>("ComboBox2");
  EXPECT_EQ(first->ItemIndex(), 0);
  EXPECT_EQ(first->Text(), "Natural sound");
  EXPECT_EQ(second->ItemIndex(), -1);
  EXPECT_EQ(second->Text(), "ShutDown");
  second->SetItemIndex(3);
  EXPECT_EQ(second->Text(), "ShutDown");
  EXPECT_EQ(second->ItemIndex(), 3);
}

}  // namespace
}  // namespace somnara::fw
