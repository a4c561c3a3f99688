#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/controls/line_editor.h"
#include "framework/win_control.h"

namespace somnara::fw {

class ComboListWindow;

enum class ComboBoxStyle { kDropDown, kSimple, kDropDownList };
inline const std::vector<std::string> kComboBoxStyleNames = {"csDropDown", "csSimple",
                                                             "csDropDownList"};

// A text with a list to choose it from, dropped down below the control in a borderless
// window of its own. csDropDown lets the user type any text (csSimple behaves the same
// here); csDropDownList only offers the items. Typing drops the selection (ItemIndex -1),
// even when the text equals an item; choosing an item sets the text. OnChange follows what
// the user does (typing, choosing with the mouse or the keys), not what a program sets.
class ComboBox : public WinControl {
 public:
  explicit ComboBox(Component* owner);
  ~ComboBox() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  ComboBoxStyle Style() const { return style_; }
  void SetStyle(ComboBoxStyle style);
  std::vector<std::string> Items() const { return items_; }
  void SetItems(const std::vector<std::string>& items);
  void AddItem(const std::string& item);
  void ClearItems();
  int ItemCount() const { return int(items_.size()); }
  const std::string& Item(int index) const { return items_.at(size_t(index)); }
  int ItemIndex() const { return item_index_; }
  // -1 clears the selection (and, in a drop-down list, the text); an index outside the
  // list does the same.
  void SetItemIndex(int index);
  std::string Text() const { return Caption(); }
  void SetText(const std::string& text);
  int DropDownCount() const { return drop_down_count_; }
  void SetDropDownCount(int count);
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int length) { max_length_ = length < 0 ? 0 : length; }
  // Height of a list item: the font's line and a little room, at least what was set.
  int ItemHeight() const;
  void SetItemHeight(int height) { item_height_ = height < 0 ? 0 : height; }

  void Loaded() override;

  bool DroppedDown() const;
  void SetDroppedDown(bool down);

  NotifyEvent OnChange;
  NotifyEvent OnSelect;
  NotifyEvent OnDropDown;
  NotifyEvent OnCloseUp;

  void KeyDown(uint32_t& key, unsigned shift) override;
  void KeyPress(char32_t& key) override;

 protected:
  void WndProc(Message& message) override;
  void Paint() override;
  void EraseBackground(Canvas& canvas) override {}
  void TextChanged() override;
  void MouseDown(MouseButton button, unsigned shift, int x, int y) override;
  void MouseMove(unsigned shift, int x, int y) override;
  virtual void Change();
  Rect ButtonRect() const;
  Rect TextArea() const;
  bool Editable() const { return style_ != ComboBoxStyle::kDropDownList; }
  // A choice from the list or the keys: index and text, then OnChange and OnSelect.
  void SelectByUser(int index);

 private:
  friend class ComboListWindow;
  void ListClosed();
  void EditorChanged(bool text_changed);

  ComboBoxStyle style_ = ComboBoxStyle::kDropDown;
  std::vector<std::string> items_;
  int item_index_ = -1;
  int drop_down_count_ = 8;
  int max_length_ = 0;
  int item_height_ = 0;
  LineEditor editor_;
  bool syncing_ = false;
  ComboListWindow* list_ = nullptr;
};

}  // namespace somnara::fw
