#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace somnara::fw {

class Component;

// A property value as a window description writes it, and as run-time property access
// reads and writes it.
struct Value {
  enum class Kind {
    kNone,
    kInteger,     // 42, -21, 0x7F7F7F
    kFloat,       // 1.5
    kString,      // "Somnara"
    kIdentifier,  // clBlack, alClient, True, FormCreate, Form1.suiBuiltInFileTheme1
    kSet,         // [biSystemMenu, biMinimize]: items are identifiers
    kList,        // ("first line", "second line"): items are values
    kBinary,      // resource("generated/star_tile.bmp"): the bytes
    kCollection,  // <{ Name = value ... } { ... }>: one property list per item
    kComponent,   // a resolved reference
  };
  using Properties = std::vector<std::pair<std::string, Value>>;

  Kind kind = Kind::kNone;
  int64_t integer = 0;
  double real = 0;
  std::string text;  // string, identifier, or the resource name of a binary
  std::vector<Value> items;
  std::vector<uint8_t> bytes;
  std::vector<Properties> collection;
  Component* component = nullptr;

  static Value Integer(int64_t v) {
    Value r;
    r.kind = Kind::kInteger;
    r.integer = v;
    return r;
  }
  static Value Bool(bool v) { return Identifier(v ? "True" : "False"); }
  static Value String(std::string v) {
    Value r;
    r.kind = Kind::kString;
    r.text = std::move(v);
    return r;
  }
  static Value Identifier(std::string v) {
    Value r;
    r.kind = Kind::kIdentifier;
    r.text = std::move(v);
    return r;
  }
  static Value Set(const std::vector<std::string>& names) {
    Value r;
    r.kind = Kind::kSet;
    for (const auto& n : names) r.items.push_back(Identifier(n));
    return r;
  }
  static Value Of(Component* c) {
    Value r;
    r.kind = Kind::kComponent;
    r.component = c;
    return r;
  }
};

}  // namespace somnara::fw
