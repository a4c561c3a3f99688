#pragma once

#include <string_view>

#include "framework/description/description_tree.h"

namespace somnara::fw {

class Component;

// Applies the window description stored as the resource `resource_name` (for example
// "forms/TForm1.wnd") to `root`, whose class name must match the description's root class.
//
// The whole text is parsed, and every resource("...") it names is looked up, before `root`
// is touched. Then root and nested objects are marked as loading; properties are applied in
// the order written, each nested object after its enclosing object's properties, depth
// first. A nested object reuses the component of that name the root already owns, or is
// created by class name with the root as owner; it is given its enclosing object through
// SetParentComponent before its own properties. Events are bound to handlers of the root's
// class. References are resolved once every object exists, in the order written; then each
// loaded component's Loaded() runs in creation order, the root's last.
//
// Faults throw DescriptionError: syntax errors name the source, line and column; faults
// while applying read "Error reading Form1.Label1.Caption: <reason>" and stop the load.
void LoadDescription(Component& root, std::string_view resource_name);

// The same for a text at hand; `source_name` names it in error messages.
void LoadDescriptionText(Component& root, std::string_view text,
                         std::string_view source_name = "description");

// The same for a tree that has already been parsed.
void ApplyDescription(Component& root, DescriptionObject tree,
                      std::string_view source_name = "description");

}  // namespace somnara::fw
