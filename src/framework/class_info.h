#pragma once

#include <any>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/value.h"

namespace somnara::fw {

class Component;

enum class PropertyType {
  kInteger,
  kBoolean,
  kString,
  kColor,
  kEnum,       // an identifier out of `names`, stored as its ordinal
  kSet,        // identifiers out of `names`, stored as bits
  kReference,  // a component
  kEvent,      // the name of a handler of the window being loaded
  kStrings,    // a list of texts
  kBinary,     // picture or skin data
  kCollection,
  kFloat,
};

// One published property: listed, read and written by name at run time, and applied by
// window descriptions. Setters throw fw::Exception for a value they cannot take.
struct PropertyInfo {
  std::string name;
  PropertyType type = PropertyType::kInteger;
  std::vector<std::string> names;  // enum and set members, by ordinal / bit
  std::function<Value(const Component&)> get;
  std::function<void(Component&, const Value&)> set;
  // Events: takes a handler made by the owning window's class (see ClassInfo::AddHandler).
  std::function<void(Component&, const std::any&)> set_handler;
};

// What a class publishes: its name (the class name query answers it), its base, how to
// create it by name, its properties in declaration order, and, for windows, the event
// handlers a description may name.
class ClassInfo {
 public:
  using Factory = std::function<Component*(Component* owner)>;
  // Binds a handler method of the window class to one instance; returns a std::function of
  // the event's own type inside the std::any.
  using HandlerBinder = std::function<std::any(Component& self)>;

  ClassInfo(std::string name, const ClassInfo* parent, Factory factory = nullptr);
  ClassInfo(const ClassInfo&) = delete;
  ClassInfo(ClassInfo&&) = default;

  const std::string& Name() const { return name_; }
  const ClassInfo* Parent() const { return parent_; }
  bool InheritsFrom(const ClassInfo& other) const;
  bool CanCreate() const { return bool(factory_); }
  Component* Create(Component* owner) const;

  void Add(PropertyInfo property);
  void AddHandler(std::string name, HandlerBinder binder);

  // Without regard to letter case; searches the base classes too.
  const PropertyInfo* FindProperty(std::string_view name) const;
  const HandlerBinder* FindHandler(std::string_view name) const;
  // Base class properties first, each class's in declaration order.
  std::vector<const PropertyInfo*> Properties() const;

  // The registry of classes that descriptions can create by name.
  static void Register(const ClassInfo& info);
  static const ClassInfo* Find(std::string_view name);

 private:
  std::string name_;
  const ClassInfo* parent_;
  Factory factory_;
  std::vector<PropertyInfo> properties_;
  std::vector<std::pair<std::string, HandlerBinder>> handlers_;
};

// A class's information that registers itself for creation by name when it is built, so a
// class registers the first time anything asks for its information:
//   const ClassInfo& Timer::StaticClassInfo() {
//     static const RegisteredClassInfo info = [] { ClassInfo i(...); ...; return i; }();
//     return info;
//   }
class RegisteredClassInfo : public ClassInfo {
 public:
  // Implicit, so the static above reads as the plain ClassInfo it replaces.
  RegisteredClassInfo(ClassInfo&& info) : ClassInfo(std::move(info)) { Register(*this); }
};

bool SameText(std::string_view a, std::string_view b);

// Run-time property access by name. Throws fw::Exception for an unknown property.
bool HasProperty(const Component& c, std::string_view name);
Value GetProperty(const Component& c, std::string_view name);
void SetProperty(Component& c, std::string_view name, const Value& value);

// Conversions used by setters; each throws fw::Exception with a clear text on a wrong kind.
int64_t ValueToInteger(const Value& v);
bool ValueToBool(const Value& v);
std::string ValueToString(const Value& v);
uint32_t ValueToColor(const Value& v);  // integers or names such as clBlack, clBtnFace
int ValueToEnum(const Value& v, const std::vector<std::string>& names);
uint32_t ValueToSet(const Value& v, const std::vector<std::string>& names);
std::vector<std::string> ValueToStrings(const Value& v);

// Helpers that build PropertyInfo from member functions of a class C.
template <class C>
PropertyInfo IntegerProperty(std::string name, int (C::*get)() const, void (C::*set)(int)) {
  return {
      std::move(name),
      PropertyType::kInteger,
      {},
      [get](const Component& c) { return Value::Integer((static_cast<const C&>(c).*get)()); },
      [set](Component& c, const Value& v) { (static_cast<C&>(c).*set)(int(ValueToInteger(v))); },
      nullptr};
}

template <class C>
PropertyInfo BoolProperty(std::string name, bool (C::*get)() const, void (C::*set)(bool)) {
  return {std::move(name),
          PropertyType::kBoolean,
          {},
          [get](const Component& c) { return Value::Bool((static_cast<const C&>(c).*get)()); },
          [set](Component& c, const Value& v) { (static_cast<C&>(c).*set)(ValueToBool(v)); },
          nullptr};
}

template <class C>
PropertyInfo StringProperty(std::string name, std::string (C::*get)() const,
                            void (C::*set)(const std::string&)) {
  return {std::move(name),
          PropertyType::kString,
          {},
          [get](const Component& c) { return Value::String((static_cast<const C&>(c).*get)()); },
          [set](Component& c, const Value& v) { (static_cast<C&>(c).*set)(ValueToString(v)); },
          nullptr};
}

template <class C>
PropertyInfo ColorProperty(std::string name, uint32_t (C::*get)() const, void (C::*set)(uint32_t)) {
  return {std::move(name),
          PropertyType::kColor,
          {},
          [get](const Component& c) { return Value::Integer((static_cast<const C&>(c).*get)()); },
          [set](Component& c, const Value& v) { (static_cast<C&>(c).*set)(ValueToColor(v)); },
          nullptr};
}

// E is an enum whose ordinals follow `names`.
template <class C, class E>
PropertyInfo EnumProperty(std::string name, std::vector<std::string> names, E (C::*get)() const,
                          void (C::*set)(E)) {
  std::vector<std::string> copy = names;
  return {std::move(name),
          PropertyType::kEnum,
          std::move(names),
          [get, copy](const Component& c) {
            return Value::Identifier(copy.at(size_t((static_cast<const C&>(c).*get)())));
          },
          [set, copy](Component& c, const Value& v) {
            (static_cast<C&>(c).*set)(static_cast<E>(ValueToEnum(v, copy)));
          },
          nullptr};
}

template <class C>
PropertyInfo BitSetProperty(std::string name, std::vector<std::string> names,
                            uint32_t (C::*get)() const, void (C::*set)(uint32_t)) {
  std::vector<std::string> copy = names;
  return {
      std::move(name),
      PropertyType::kSet,
      std::move(names),
      [get, copy](const Component& c) {
        uint32_t bits = (static_cast<const C&>(c).*get)();
        std::vector<std::string> on;
        for (size_t i = 0; i < copy.size(); ++i)
          if (bits & (1u << i)) on.push_back(copy[i]);
        return Value::Set(on);
      },
      [set, copy](Component& c, const Value& v) { (static_cast<C&>(c).*set)(ValueToSet(v, copy)); },
      nullptr};
}

// An event member of type E (a std::function) of class C.
template <class C, class E>
PropertyInfo EventProperty(std::string name, E C::*member) {
  PropertyInfo p;
  p.name = std::move(name);
  p.type = PropertyType::kEvent;
  p.set_handler = [member](Component& c, const std::any& handler) {
    const E* e = std::any_cast<E>(&handler);
    if (e == nullptr) throw std::bad_any_cast();
    static_cast<C&>(c).*member = *e;
  };
  return p;
}

}  // namespace somnara::fw
