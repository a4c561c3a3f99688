#include "framework/global_components.h"

#include <algorithm>
#include <vector>

#include "framework/class_info.h"
#include "framework/component.h"

namespace somnara::fw {
namespace {
std::vector<Component*>& Globals() {
  static std::vector<Component*> globals;
  return globals;
}
}  // namespace

void RegisterGlobalComponent(Component* component) {
  auto& g = Globals();
  if (std::find(g.begin(), g.end(), component) == g.end()) g.push_back(component);
}

void UnregisterGlobalComponent(Component* component) {
  auto& g = Globals();
  g.erase(std::remove(g.begin(), g.end(), component), g.end());
}

Component* FindGlobalComponent(std::string_view dotted_name) {
  std::string_view head = dotted_name, rest;
  if (auto dot = dotted_name.find('.'); dot != std::string_view::npos) {
    head = dotted_name.substr(0, dot);
    rest = dotted_name.substr(dot + 1);
  }
  for (Component* c : Globals()) {
    if (!SameText(c->Name(), head)) continue;
    if (rest.empty()) return c;
    return c->FindComponent(rest);
  }
  return nullptr;
}

}  // namespace somnara::fw
