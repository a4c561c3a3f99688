#pragma once

#include <string>
#include <vector>

#include "framework/value.h"

namespace somnara::fw {

// Where something stands in a description text: 1-based line, and 1-based column counted
// in characters (UTF-8 code points), as an editor shows it.
struct SourcePosition {
  int line = 1;
  int column = 1;
};

// `Name = value` inside an object. A `resource("...")` value is kept as Value::Kind::kBinary
// with the resource name in `text`; the loader fills in the bytes.
struct DescriptionProperty {
  std::string name;  // may be dotted, such as "Font.Name"
  Value value;
  SourcePosition position;        // of the name
  SourcePosition value_position;  // of the value's first character
};

// `TClass Name { ... }`: one component with its properties and the objects nested in it,
// both in the order they were written.
struct DescriptionObject {
  std::string class_name;
  std::string name;
  SourcePosition position;
  std::vector<DescriptionProperty> properties;
  std::vector<DescriptionObject> children;
};

}  // namespace somnara::fw
