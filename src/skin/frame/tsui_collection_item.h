#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "framework/class_info.h"
#include "framework/exceptions.h"
#include "framework/graphics/bitmap.h"
#include "framework/value.h"

namespace somnara::skin {

// A published property of a collection item (a title-bar section or button). Items are no
// components, so window descriptions reach them through the collection's property, which
// applies each item's list of properties by these names.
template <class Item>
struct ItemProperty {
  std::string name;
  // None for a second name of the same value, which reading leaves out.
  std::function<fw::Value(const Item&)> get;
  std::function<void(Item&, const fw::Value&)> set;
};

template <class Item>
const ItemProperty<Item>* FindItemProperty(const std::vector<ItemProperty<Item>>& list,
                                           std::string_view name) {
  for (const auto& p : list)
    if (fw::SameText(p.name, name)) return &p;
  return nullptr;
}

// Picture data as a description stores it; a picture that cannot be read throws.
fw::Bitmap PictureFromValue(const fw::Value& value);
fw::Value PictureValue(const fw::Bitmap& picture);

// The collection property of class C whose collection type Coll offers Count(), Item(i),
// Clear(), Add() and the item's static ItemProperties().
template <class C, class Coll>
fw::PropertyInfo CollectionProperty(std::string name, Coll& (C::*collection)()) {
  fw::PropertyInfo p;
  p.name = std::move(name);
  p.type = fw::PropertyType::kCollection;
  p.get = [collection](const fw::Component& c) {
    Coll& coll = (const_cast<C&>(static_cast<const C&>(c)).*collection)();
    fw::Value v;
    v.kind = fw::Value::Kind::kCollection;
    for (int i = 0; i < coll.Count(); ++i) {
      fw::Value::Properties item;
      for (const auto& ip : coll.ItemProperties())
        if (ip.get) item.emplace_back(ip.name, ip.get(coll.Item(i)));
      v.collection.push_back(std::move(item));
    }
    return v;
  };
  p.set = [collection](fw::Component& c, const fw::Value& v) {
    if (v.kind != fw::Value::Kind::kCollection)
      throw fw::Exception("Invalid property value: a collection was expected");
    Coll& coll = (static_cast<C&>(c).*collection)();
    coll.Clear();
    for (const fw::Value::Properties& item : v.collection) {
      auto& added = coll.Add();
      for (const auto& [key, value] : item) {
        const auto* ip = FindItemProperty(coll.ItemProperties(), key);
        if (ip == nullptr) throw fw::Exception("Property " + key + " does not exist");
        ip->set(added, value);
      }
    }
  };
  return p;
}

}  // namespace somnara::skin
