#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "framework/class_info.h"
#include "framework/component.h"
#include "framework/exceptions.h"

namespace somnara::fw {

// A published list of texts (Lines, Items). A description writes ("a", "b"); a single
// text is taken as a one-line list.
template <class C>
PropertyInfo StringsProperty(std::string name, std::vector<std::string> (C::*get)() const,
                             void (C::*set)(const std::vector<std::string>&)) {
  PropertyInfo p;
  p.name = std::move(name);
  p.type = PropertyType::kStrings;
  p.get = [get](const Component& c) {
    Value v;
    v.kind = Value::Kind::kList;
    for (const std::string& s : (static_cast<const C&>(c).*get)())
      v.items.push_back(Value::String(s));
    return v;
  };
  p.set = [set](Component& c, const Value& v) { (static_cast<C&>(c).*set)(ValueToStrings(v)); };
  return p;
}

// Published picture data (BMP, JPEG or GIF bytes). Reading gives the first frame as a BMP.
template <class C>
PropertyInfo BinaryProperty(std::string name, std::vector<uint8_t> (C::*get)() const,
                            void (C::*set)(std::span<const uint8_t>)) {
  PropertyInfo p;
  p.name = std::move(name);
  p.type = PropertyType::kBinary;
  p.get = [get](const Component& c) {
    Value v;
    v.kind = Value::Kind::kBinary;
    v.bytes = (static_cast<const C&>(c).*get)();
    return v;
  };
  p.set = [set](Component& c, const Value& v) {
    if (v.kind != Value::Kind::kBinary)
      throw Exception("Invalid property value: picture data was expected");
    (static_cast<C&>(c).*set)(v.bytes);
  };
  return p;
}

}  // namespace somnara::fw
