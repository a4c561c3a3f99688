#include "framework/component.h"

#include <algorithm>

namespace somnara::fw {

const ClassInfo& Component::StaticClassInfo() {
  static const ClassInfo info = [] {
    ClassInfo i("TComponent", nullptr);
    PropertyInfo name;
    name.name = "Name";
    name.type = PropertyType::kString;
    name.get = [](const Component& c) { return Value::String(c.Name()); };
    name.set = [](Component& c, const Value& v) { c.SetName(ValueToString(v)); };
    i.Add(std::move(name));
    return i;
  }();
  return info;
}

Component::Component(Component* owner) {
  if (owner != nullptr) owner->InsertComponent(this);
}

Component::~Component() {
  BeginDestruction();
}

void Component::BeginDestruction() {
  if (destroying_) return;
  destroying_ = true;
  // Everyone who keeps a reference to this component drops it now.
  while (!free_notifies_.empty()) {
    Component* other = free_notifies_.back();
    free_notifies_.pop_back();
    auto& back = other->free_notifies_;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
    other->Notification(this, Operation::kRemove);
  }
  // Owned components go in reverse order of creation, like a stack of resources.
  while (!components_.empty()) {
    Component* c = components_.back();
    RemoveComponent(c);
    delete c;
  }
  if (owner_ != nullptr) owner_->RemoveComponent(this);
}

Component* Component::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (Component* c : components_)
    if (SameText(c->name_, name)) return c;
  return nullptr;
}

void Component::FreeNotification(Component* other) {
  if (other == nullptr || other == this) return;
  if (std::find(free_notifies_.begin(), free_notifies_.end(), other) == free_notifies_.end())
    free_notifies_.push_back(other);
  if (std::find(other->free_notifies_.begin(), other->free_notifies_.end(), this) ==
      other->free_notifies_.end())
    other->free_notifies_.push_back(this);
}

void Component::RemoveFreeNotification(Component* other) {
  if (other == nullptr) return;
  free_notifies_.erase(std::remove(free_notifies_.begin(), free_notifies_.end(), other),
                       free_notifies_.end());
  auto& back = other->free_notifies_;
  back.erase(std::remove(back.begin(), back.end(), this), back.end());
}

void Component::Notification(Component* component, Operation operation) {
  if (operation == Operation::kRemove) RemoveFreeNotification(component);
  // Owned components hear about their siblings, as the owner does.
  for (Component* c : std::vector<Component*>(components_))
    if (c != component) c->Notification(component, operation);
}

void Component::ChangeOwner(Component* new_owner) {
  if (owner_ == new_owner) return;
  if (owner_ != nullptr) owner_->RemoveComponent(this);
  if (new_owner != nullptr) new_owner->InsertComponent(this);
}

void Component::InsertComponent(Component* c) {
  c->owner_ = this;
  components_.push_back(c);
  Notification(c, Operation::kInsert);
}

void Component::RemoveComponent(Component* c) {
  Notification(c, Operation::kRemove);
  components_.erase(std::remove(components_.begin(), components_.end(), c), components_.end());
  c->owner_ = nullptr;
}

}  // namespace somnara::fw
