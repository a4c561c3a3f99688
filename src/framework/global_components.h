#pragma once

#include <string_view>

namespace somnara::fw {

class Component;

// Components that other windows' descriptions may name as "Form1" or
// "Form1.suiBuiltInFileTheme1": the application's forms register themselves here.
void RegisterGlobalComponent(Component* component);
void UnregisterGlobalComponent(Component* component);
// "Form1" finds a registered component; "Form1.Part" then a component it owns.
Component* FindGlobalComponent(std::string_view dotted_name);

}  // namespace somnara::fw
