#include "framework/controls/combo_box.h"

#include <algorithm>
#include <cctype>

#include "framework/controls/combo_list_window.h"
#include "framework/controls/draw_helpers.h"
#include "framework/controls/property_helpers.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/text_renderer.h"

namespace somnara::fw {
namespace {
constexpr uint32_t kVkF4 = VK_F1 + 3;
}  // namespace

const ClassInfo& ComboBox::StaticClassInfo() {
  static const RegisteredClassInfo info = [] {
    ClassInfo i("TComboBox", &WinControl::StaticClassInfo(),
                [](Component* o) { return new ComboBox(o); });
    i.Add(EnumProperty<ComboBox, ComboBoxStyle>("Style", kComboBoxStyleNames, &ComboBox::Style,
                                                &ComboBox::SetStyle));
    i.Add(StringsProperty<ComboBox>("Items", &ComboBox::Items, &ComboBox::SetItems));
    i.Add(StringsProperty<ComboBox>("Items.Strings", &ComboBox::Items, &ComboBox::SetItems));
    i.Add(IntegerProperty<ComboBox>("ItemIndex", &ComboBox::ItemIndex, &ComboBox::SetItemIndex));
    i.Add(StringProperty<ComboBox>("Text", &ComboBox::Text, &ComboBox::SetText));
    i.Add(IntegerProperty<ComboBox>("DropDownCount", &ComboBox::DropDownCount,
                                    &ComboBox::SetDropDownCount));
    i.Add(IntegerProperty<ComboBox>("ItemHeight", &ComboBox::ItemHeight, &ComboBox::SetItemHeight));
    i.Add(IntegerProperty<ComboBox>("MaxLength", &ComboBox::MaxLength, &ComboBox::SetMaxLength));
    i.Add(EventProperty<ComboBox>("OnChange", &ComboBox::OnChange));
    i.Add(EventProperty<ComboBox>("OnSelect", &ComboBox::OnSelect));
    i.Add(EventProperty<ComboBox>("OnDropDown", &ComboBox::OnDropDown));
    i.Add(EventProperty<ComboBox>("OnCloseUp", &ComboBox::OnCloseUp));
    return i;
  }();
  return info;
}

ComboBox::ComboBox(Component* owner) : WinControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 145, 21);
  SetColor(clWindow);
}

ComboBox::~ComboBox() {
  BeginDestruction();
}

void ComboBox::Loaded() {
  WinControl::Loaded();
  if (item_index_ >= 0) SetItemIndex(item_index_);
}

void ComboBox::SetStyle(ComboBoxStyle style) {
  style_ = style;
  if (!Editable() && item_index_ < 0 && !Caption().empty()) SetText("");
  Invalidate();
}

void ComboBox::SetItems(const std::vector<std::string>& items) {
  items_ = items;
  if (item_index_ >= int(items_.size())) item_index_ = -1;
  Invalidate();
}

void ComboBox::AddItem(const std::string& item) {
  items_.push_back(item);
}

void ComboBox::ClearItems() {
  items_.clear();
  item_index_ = -1;
  if (!Editable()) SetText("");
  Invalidate();
}

void ComboBox::SetItemIndex(int index) {
  // Descriptions write ItemIndex before Items; the index is applied once all is read.
  if (IsLoading()) {
    item_index_ = index;
    return;
  }
  if (index < 0 || index >= int(items_.size())) index = -1;
  item_index_ = index;
  if (index >= 0)
    SetText(items_[size_t(index)]);
  else if (!Editable())
    SetText("");
  Invalidate();
}

void ComboBox::SetText(const std::string& text) {
  syncing_ = true;
  SetCaption(text);
  syncing_ = false;
  if (editor_.State().Text() != text) editor_.State().SetText(text);
  editor_.ScrollToCaret(GetFont(), TextArea().Width());
  // A program's text selects the item it names in a drop-down list only.
  if (!Editable()) {
    auto it = std::find(items_.begin(), items_.end(), text);
    item_index_ = it == items_.end() ? -1 : int(it - items_.begin());
  }
  Invalidate();
}

void ComboBox::SetDropDownCount(int count) {
  drop_down_count_ = std::max(1, count);
}

int ComboBox::ItemHeight() const {
  return std::max(item_height_, TextRenderer::Instance().Metrics(GetFont()).height + 2);
}

bool ComboBox::DroppedDown() const {
  return list_ != nullptr && list_->IsOpen();
}

void ComboBox::SetDroppedDown(bool down) {
  if (down == DroppedDown()) return;
  if (!down) {
    list_->CloseUp(true);
    return;
  }
  if (!Showing()) return;
  if (OnDropDown) OnDropDown(this);
  // The list window is made when first needed, so it is never older than a modal window
  // the combo box lives in.
  if (list_ == nullptr) list_ = new ComboListWindow(this);
  list_->Open();
  Invalidate();
}

void ComboBox::ListClosed() {
  Invalidate();
  if (OnCloseUp) OnCloseUp(this);
}

void ComboBox::SelectByUser(int index) {
  if (index < 0 || index >= int(items_.size())) return;
  bool changed = index != item_index_ || Caption() != items_[size_t(index)];
  item_index_ = index;
  SetText(items_[size_t(index)]);
  editor_.State().SelectAll();
  Invalidate();
  if (changed) Change();
  if (OnSelect) OnSelect(this);
}

void ComboBox::TextChanged() {
  if (!syncing_ && editor_.State().Text() != Caption()) editor_.State().SetText(Caption());
  Invalidate();
}

void ComboBox::EditorChanged(bool text_changed) {
  if (text_changed) {
    syncing_ = true;
    SetCaption(editor_.State().Text());
    syncing_ = false;
    // Typed text is not a choice from the list, whatever it says.
    item_index_ = -1;
  }
  editor_.ScrollToCaret(GetFont(), TextArea().Width());
  Invalidate();
  if (text_changed) Change();
}

void ComboBox::Change() {
  if (!IsLoading() && OnChange) OnChange(this);
}

Rect ComboBox::ButtonRect() const {
  Rect r = ClientRect().Inflate(-2, -2);
  r.left = std::max(r.left, r.right - 17);
  return r;
}

Rect ComboBox::TextArea() const {
  Rect r = ClientRect().Inflate(-3, -3);
  r.right = std::max(r.left, ButtonRect().left - 1);
  return r;
}

void ComboBox::WndProc(Message& m) {
  if (m.msg == WM_GETDLGCODE) {
    m.result = DLGC_WANTARROWS | DLGC_WANTCHARS;
    return;
  }
  WinControl::WndProc(m);
}

void ComboBox::KeyDown(uint32_t& key, unsigned shift) {
  WinControl::KeyDown(key, shift);
  if (key == 0) return;
  bool alt = (shift & ssAlt) != 0;
  if (key == kVkF4 || (alt && (key == VK_DOWN || key == VK_UP))) {
    SetDroppedDown(!DroppedDown());
    key = 0;
    return;
  }
  switch (key) {
    case VK_UP:
    case VK_DOWN: {
      if (items_.empty()) return;
      int next = item_index_ < 0 ? 0 : item_index_ + (key == VK_DOWN ? 1 : -1);
      SelectByUser(std::clamp(next, 0, int(items_.size()) - 1));
      return;
    }
    case VK_PRIOR:
    case VK_NEXT:
      if (!items_.empty()) {
        int step = std::max(1, drop_down_count_ - 1);
        int next = std::max(0, item_index_) + (key == VK_NEXT ? step : -step);
        SelectByUser(std::clamp(next, 0, int(items_.size()) - 1));
      }
      key = 0;
      return;
    default:
      break;
  }
  if (Editable()) {
    bool changed = false;
    if (editor_.KeyDown(key, shift, false, changed)) {
      EditorChanged(changed);
      if (key != VK_LEFT && key != VK_RIGHT) key = 0;
    }
  } else if (!items_.empty() && (key == VK_HOME || key == VK_END)) {
    SelectByUser(key == VK_HOME ? 0 : int(items_.size()) - 1);
    key = 0;
  }
}

void ComboBox::KeyPress(char32_t& key) {
  WinControl::KeyPress(key);
  if (key == 0) return;
  if (Editable()) {
    bool changed = false;
    if (editor_.KeyPress(key, false, size_t(max_length_), changed)) EditorChanged(changed);
    return;
  }
  // A list without a text box: a letter selects the next item that starts with it.
  if (key < 0x20 || items_.empty()) return;
  std::string typed = EncodeUtf8(key);
  auto starts = [&](const std::string& item) {
    if (item.size() < typed.size()) return false;
    for (size_t i = 0; i < typed.size(); ++i)
      if (std::tolower(static_cast<unsigned char>(item[i])) !=
          std::tolower(static_cast<unsigned char>(typed[i])))
        return false;
    return true;
  };
  int n = int(items_.size());
  for (int step = 1; step <= n; ++step) {
    int i = (std::max(-1, item_index_) + step) % n;
    if (starts(items_[size_t(i)])) {
      SelectByUser(i);
      return;
    }
  }
}

void ComboBox::MouseDown(MouseButton button, unsigned shift, int x, int y) {
  WinControl::MouseDown(button, shift, x, y);
  if (button != MouseButton::kLeft) return;
  if (CanFocus()) SetFocus();
  if (!Editable() || ButtonRect().Contains({x, y})) {
    // The list takes the mouse from here on.
    mouse_down_ = false;
    SetMouseCapture(false);
    SetDroppedDown(!DroppedDown());
    return;
  }
  Rect area = TextArea();
  editor_.State().SetCaret(editor_.OffsetAt(GetFont(), x - area.left), shift & ssShift);
  EditorChanged(false);
}

void ComboBox::MouseMove(unsigned shift, int x, int y) {
  if (mouse_down_ && Editable()) {
    Rect area = TextArea();
    editor_.State().SetCaret(editor_.OffsetAt(GetFont(), x - area.left), true);
    EditorChanged(false);
  }
  WinControl::MouseMove(shift, x, y);
}

void ComboBox::Paint() {
  Canvas& c = GetCanvas();
  DrawFieldBox(c, ClientRect(), ControlBorder::kSingle, true, Enabled() ? GetColor() : clBtnFace);
  Rect button = ButtonRect();
  c.Brush().SetColor(clBtnFace);
  c.FillRect(button);
  Rect edge = button;
  if (DroppedDown()) {
    c.Brush().SetColor(clBtnShadow);
    c.FrameRect(edge);
  } else {
    DrawRaisedEdge(c, edge);
  }
  DrawDownArrow(c, DroppedDown() ? button.Offset(1, 1) : button,
                Enabled() ? clBtnText : clGrayText);
  Rect area = TextArea();
  bool focused = Focused();
  if (Editable()) {
    editor_.Paint(c, area, GetFont(), focused && !DroppedDown(), Enabled());
    return;
  }
  c.Font() = GetFont();
  if (focused && !DroppedDown()) {
    c.Brush().SetColor(clHighlight);
    c.FillRect(area);
    c.Font().SetColor(clHighlightText);
    c.Brush() = Brush();
    c.DrawFocusRect(area);
  }
  if (!Enabled()) c.Font().SetColor(clGrayText);
  Rect text = area;
  text.left += 1;
  c.Brush().SetStyle(BrushStyle::kClear);
  c.DrawText(Caption(), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace somnara::fw
