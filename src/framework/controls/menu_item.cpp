#include "framework/controls/menu_item.h"

#include <algorithm>

#include "framework/controls/menu.h"

namespace somnara::fw {

const ClassInfo& MenuItem::StaticClassInfo() {
  static const RegisteredClassInfo info = [] {
    ClassInfo i("TMenuItem", &Component::StaticClassInfo(),
                [](Component* o) { return new MenuItem(o); });
    i.Add(StringProperty<MenuItem>("Caption", &MenuItem::Caption, &MenuItem::SetCaption));
    PropertyInfo shortcut;
    shortcut.name = "ShortCut";
    shortcut.type = PropertyType::kString;
    shortcut.get = [](const Component& c) {
      return Value::String(static_cast<const MenuItem&>(c).ShortCutText());
    };
    shortcut.set = [](Component& c, const Value& v) {
      auto& item = static_cast<MenuItem&>(c);
      if (v.kind == Value::Kind::kInteger)
        item.SetShortCut(fw::ShortCut(v.integer & 0xFFFF));
      else
        item.SetShortCutText(ValueToString(v));
    };
    i.Add(std::move(shortcut));
    i.Add(BoolProperty<MenuItem>("Enabled", &MenuItem::Enabled, &MenuItem::SetEnabled));
    i.Add(BoolProperty<MenuItem>("Visible", &MenuItem::Visible, &MenuItem::SetVisible));
    i.Add(BoolProperty<MenuItem>("Checked", &MenuItem::Checked, &MenuItem::SetChecked));
    i.Add(BoolProperty<MenuItem>("Default", &MenuItem::Default, &MenuItem::SetDefault));
    i.Add(BoolProperty<MenuItem>("RadioItem", &MenuItem::RadioItem, &MenuItem::SetRadioItem));
    i.Add(IntegerProperty<MenuItem>("ImageIndex", &MenuItem::ImageIndex, &MenuItem::SetImageIndex));
    i.Add(IntegerProperty<MenuItem>("Tag", &MenuItem::Tag, &MenuItem::SetTag));
    i.Add(StringProperty<MenuItem>("Hint", &MenuItem::Hint, &MenuItem::SetHint));
    i.Add(EventProperty<MenuItem>("OnClick", &MenuItem::OnClick));
    i.Add(EventProperty<MenuItem>("OnMeasureItem", &MenuItem::OnMeasureItem));
    i.Add(EventProperty<MenuItem>("OnDrawItem", &MenuItem::OnDrawItem));
    return i;
  }();
  return info;
}

MenuItem::MenuItem(Component* owner) : Component(owner) {}

MenuItem::~MenuItem() {
  BeginDestruction();
  Detach();
  for (MenuItem* child : items_) child->parent_item_ = nullptr;
  items_.clear();
}

void MenuItem::Detach() {
  if (parent_item_ != nullptr) parent_item_->Remove(this);
  if (menu_ != nullptr) menu_->Remove(this);
}

void MenuItem::Changed(bool rebuild) {
  if (IsDestroying()) return;
  if (fw::Menu* menu = Menu()) menu->MenuChanged(this, rebuild);
}

void MenuItem::SetCaption(const std::string& caption) {
  caption_ = caption;
  Changed(false);
}

void MenuItem::SetShortCut(fw::ShortCut shortcut) {
  shortcut_ = shortcut;
  shortcut_text_ = ShortCutToText(shortcut);
  Changed(false);
}

void MenuItem::SetShortCutText(const std::string& text) {
  shortcut_ = TextToShortCut(text);
  shortcut_text_ = shortcut_ != 0 ? ShortCutToText(shortcut_) : text;
  Changed(false);
}

void MenuItem::SetEnabled(bool on) {
  enabled_ = on;
  Changed(false);
}

void MenuItem::SetVisible(bool on) {
  visible_ = on;
  Changed(true);
}

void MenuItem::SetChecked(bool on) {
  checked_ = on;
  Changed(false);
}

void MenuItem::SetDefault(bool on) {
  default_ = on;
  Changed(false);
}

void MenuItem::SetImageIndex(int index) {
  image_index_ = index;
  Changed(false);
}

void MenuItem::Add(MenuItem* item) {
  Insert(Count(), item);
}

void MenuItem::Insert(int index, MenuItem* item) {
  if (item == nullptr || item == this) return;
  for (MenuItem* p = this; p != nullptr; p = p->parent_item_)
    if (p == item) throw Exception("A menu item cannot contain itself");
  item->Detach();
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_item_ = this;
  Changed(true);
}

void MenuItem::Remove(MenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_item_ = nullptr;
  Changed(true);
}

fw::Menu* MenuItem::Menu() const {
  const MenuItem* top = this;
  while (top->parent_item_ != nullptr) top = top->parent_item_;
  return top->menu_;
}

void MenuItem::SetParentComponent(Component* parent) {
  if (auto* menu = dynamic_cast<fw::Menu*>(parent))
    menu->Add(this);
  else if (auto* item = dynamic_cast<MenuItem*>(parent))
    item->Add(this);
}

void MenuItem::Click() {
  if (enabled_ && OnClick) OnClick(this);
}

}  // namespace somnara::fw
