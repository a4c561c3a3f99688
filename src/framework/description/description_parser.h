#pragma once

#include <string_view>

#include "framework/description/description_tree.h"

namespace somnara::fw {

// Reads a whole description text into its tree: one root object, its properties and nested
// objects in the order written. `source_name` names the text in error messages. Throws
// DescriptionError ("Syntax error in <source> at line L, column C: ...") for any fault;
// nothing in the text can make it crash or run away (nesting is limited).
DescriptionObject ParseDescription(std::string_view text,
                                   std::string_view source_name = "description");

}  // namespace somnara::fw
