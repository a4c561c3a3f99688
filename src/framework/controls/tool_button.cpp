#include "framework/controls/tool_button.h"

#include <algorithm>

#include "framework/controls/menu.h"
#include "framework/controls/menu_item.h"
#include "framework/controls/popup_menu.h"
#include "framework/controls/tool_bar.h"
#include "framework/graphics/canvas.h"

namespace somnara::fw {

const ClassInfo& ToolButton::StaticClassInfo() {
  static const RegisteredClassInfo info = [] {
    ClassInfo i("TToolButton", &GraphicControl::StaticClassInfo(),
                [](Component* o) { return new ToolButton(o); });
    AddControlProperties(i);
    i.Add(BoolProperty<ToolButton>("AutoSize", &ToolButton::AutoSize, &ToolButton::SetAutoSize));
    i.Add(BoolProperty<ToolButton>("Down", &ToolButton::Down, &ToolButton::SetDown));
    i.Add(BoolProperty<ToolButton>("Grouped", &ToolButton::Grouped, &ToolButton::SetGrouped));
    i.Add(ReferenceProperty<ToolButton, fw::MenuItem>("MenuItem", &ToolButton::MenuItem,
                                                      &ToolButton::SetMenuItem));
    return i;
  }();
  return info;
}

ToolButton::ToolButton(Component* owner) : GraphicControl(owner) {
  SetBounds(0, 0, 23, 22);
}

ToolButton::~ToolButton() {
  BeginDestruction();
  SetParent(nullptr);
}

ToolBar* ToolButton::Bar() const {
  return dynamic_cast<ToolBar*>(Parent());
}

void ToolButton::SetParent(WinControl* parent) {
  if (parent == Parent()) return;
  if (ToolBar* old = Bar()) old->RemoveButton(this);
  GraphicControl::SetParent(parent);
  if (ToolBar* bar = Bar()) bar->InsertButton(this);
}

int ToolButton::Index() const {
  ToolBar* bar = Bar();
  if (bar == nullptr) return -1;
  auto it = std::find(bar->Buttons().begin(), bar->Buttons().end(), this);
  return int(it - bar->Buttons().begin());
}

void ToolButton::SetDown(bool on) {
  if (down_ == on) return;
  down_ = on;
  ToolBar* bar = Bar();
  if (on && grouped_ && bar != nullptr) {
    // The run of grouped buttons around this one is one group.
    const int index = Index();
    for (int step : {-1, 1})
      for (int i = index + step; i >= 0 && i < bar->ButtonCount(); i += step) {
        ToolButton* other = bar->Button(i);
        if (!other->Grouped()) break;
        other->down_ = false;
        other->Invalidate();
      }
  }
  Invalidate();
}

void ToolButton::SetAutoSize(bool on) {
  auto_size_ = on;
  if (ToolBar* bar = Bar()) bar->ArrangeButtons();
}

void ToolButton::SetDropDown(bool on) {
  drop_down_ = on;
  Invalidate();
}

void ToolButton::SetMenuItem(fw::MenuItem* item) {
  if (menu_item_ != nullptr) menu_item_->RemoveFreeNotification(this);
  menu_item_ = item;
  if (menu_item_ == nullptr) return;
  menu_item_->FreeNotification(this);
  SetDropDown(menu_item_->Count() > 0);
  SyncWithMenuItem();
}

void ToolButton::SyncWithMenuItem() {
  if (menu_item_ == nullptr) return;
  SetCaption(menu_item_->Caption());
  SetEnabled(menu_item_->Enabled());
}

void ToolButton::Notification(Component* component, Operation operation) {
  GraphicControl::Notification(component, operation);
  if (operation == Operation::kRemove && component == menu_item_) menu_item_ = nullptr;
}

void ToolButton::TextChanged() {
  if (ToolBar* bar = Bar(); bar != nullptr && auto_size_) bar->ArrangeButtons();
  Invalidate();
}

unsigned ToolButton::State() const {
  unsigned state = 0;
  if (hot_) state |= tbHot;
  if (pressed_) state |= tbPressed;
  if (!Enabled()) state |= tbDisabled;
  return state;
}

void ToolButton::Paint() {
  ToolBar* bar = Bar();
  if (bar == nullptr) return;
  bool default_draw = true;
  if (bar->OnCustomDrawButton) bar->OnCustomDrawButton(bar, this, State(), default_draw);
  if (default_draw) bar->DrawButton(*this, GetCanvas(), State());
}

void ToolButton::MouseDown(MouseButton button, unsigned shift, int x, int y) {
  GraphicControl::MouseDown(button, shift, x, y);
  if (button != MouseButton::kLeft || !Enabled()) return;
  pressed_ = true;
  Invalidate();
  if (!drop_down_ || menu_item_ == nullptr || Bar() == nullptr) return;
  // The sub-items drop below the button at once and draw as their own menu draws them.
  PopupMenu& menu = Bar()->DropDownMenu();
  if (fw::Menu* source = menu_item_->Menu()) {
    menu.SetOwnerDraw(source->OwnerDraw());
    menu.SetFont(source->GetFont());
    menu.SetImages(source->Images());
  }
  const Point below = ClientToScreen({0, Height()});
  menu.PopupItems(*menu_item_, below.x, below.y);
}

void ToolButton::MouseUp(MouseButton button, unsigned shift, int x, int y) {
  pressed_ = false;
  Invalidate();
  GraphicControl::MouseUp(button, shift, x, y);
}

void ToolButton::MouseEnter() {
  GraphicControl::MouseEnter();
  hot_ = true;
  Invalidate();
}

void ToolButton::MouseLeave() {
  GraphicControl::MouseLeave();
  hot_ = false;
  pressed_ = false;
  Invalidate();
}

// A drop-down button has shown its item's sub-items already; the item itself is not run.
void ToolButton::Click() {
  GraphicControl::Click();
  if (menu_item_ != nullptr && !drop_down_) menu_item_->Click();
}

}  // namespace somnara::fw
