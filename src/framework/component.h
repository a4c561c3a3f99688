#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/class_info.h"
#include "framework/events.h"
#include "framework/exceptions.h"

namespace somnara::fw {

enum class Operation { kInsert, kRemove };

// The base of everything that can be owned, named, described in a window description and
// reached by name. An owner frees the components it owns; components that asked for it
// hear about each other's removal, so nobody keeps a dangling reference.
class Component {
 public:
  explicit Component(Component* owner);
  virtual ~Component();
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  static const ClassInfo& StaticClassInfo();
  virtual const ClassInfo& GetClassInfo() const { return StaticClassInfo(); }
  const std::string& ClassName() const { return GetClassInfo().Name(); }
  bool InheritsFrom(const ClassInfo& info) const { return GetClassInfo().InheritsFrom(info); }

  const std::string& Name() const { return name_; }
  virtual void SetName(const std::string& name) { name_ = name; }
  Component* Owner() const { return owner_; }
  const std::vector<Component*>& Components() const { return components_; }
  int ComponentCount() const { return int(components_.size()); }
  // Searches the components this one owns, without regard to letter case.
  Component* FindComponent(std::string_view name) const;
  template <class T>
  T* Find(std::string_view name) const {
    return dynamic_cast<T*>(FindComponent(name));
  }

  // `other` will hear Notification(this, kRemove) when this component goes away.
  void FreeNotification(Component* other);
  void RemoveFreeNotification(Component* other);
  // Hears about components inserted into or removed from this one's ownership, and about
  // the removal of components it asked to be told about.
  virtual void Notification(Component* component, Operation operation);

  // Called once a window description has been applied to this component and its siblings.
  virtual void Loaded() { loading_ = false; }
  bool IsLoading() const { return loading_; }
  void SetLoading(bool loading) { loading_ = loading; }
  bool IsDestroying() const { return destroying_; }

  // Where a window description nests one object inside another, the inner one is given the
  // outer one here (controls take it as their parent); plain components ignore it.
  virtual void SetParentComponent(Component* parent) {}

  // Moves this component to another owner (or none).
  void ChangeOwner(Component* new_owner);

 protected:
  // Derived destructors call this first, so that the notifications go out while the
  // derived part is still whole.
  void BeginDestruction();

 private:
  void InsertComponent(Component* c);
  void RemoveComponent(Component* c);

  std::string name_;
  Component* owner_ = nullptr;
  std::vector<Component*> components_;
  std::vector<Component*> free_notifies_;
  bool loading_ = false;
  bool destroying_ = false;
};

// A published reference to a component of class T (or none). A description names the
// component; run-time access passes it as Value::Of(component).
template <class C, class T>
PropertyInfo ReferenceProperty(std::string name, T* (C::*get)() const, void (C::*set)(T*)) {
  PropertyInfo p;
  p.name = std::move(name);
  p.type = PropertyType::kReference;
  p.get = [get](const Component& c) { return Value::Of((static_cast<const C&>(c).*get)()); };
  p.set = [set](Component& c, const Value& v) {
    T* target = nullptr;
    if (v.kind == Value::Kind::kComponent && v.component != nullptr) {
      target = dynamic_cast<T*>(v.component);
      if (target == nullptr) throw Exception("Invalid property value: " + v.component->Name());
    } else if (!(v.kind == Value::Kind::kNone || v.kind == Value::Kind::kComponent ||
                 (v.kind == Value::Kind::kIdentifier && SameText(v.text, "nil")))) {
      throw Exception("Invalid property value for a reference");
    }
    (static_cast<C&>(c).*set)(target);
  };
  return p;
}

// Lets a window description name the method `method` of window class C as a plain
// notification handler: `OnTimer = Timer3Timer`.
template <class C>
ClassInfo::HandlerBinder NotifyHandler(void (C::*method)(Component*)) {
  return [method](Component& self) -> std::any {
    C* object = &static_cast<C&>(self);
    return std::any(
        NotifyEvent([object, method](Component* sender) { (object->*method)(sender); }));
  };
}

// The same for handlers of another event type E, such as CloseEvent.
template <class E, class C, class... Args>
ClassInfo::HandlerBinder Handler(void (C::*method)(Args...)) {
  return [method](Component& self) -> std::any {
    C* object = &static_cast<C&>(self);
    return std::any(E([object, method](Args... args) { (object->*method)(args...); }));
  };
}

// Finds a component the description must have made, or says which one is missing.
template <class T>
T* Require(const Component& owner, std::string_view name) {
  T* found = dynamic_cast<T*>(owner.FindComponent(name));
  if (found == nullptr)
    throw Exception("Component " + std::string(name) + " is missing from " + owner.Name());
  return found;
}

}  // namespace somnara::fw
