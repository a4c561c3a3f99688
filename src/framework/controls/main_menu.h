#pragma once

#include "framework/controls/menu.h"

namespace somnara::fw {

// A window's menu: a tree of items the window shows along its top (or in a bar of its
// own) and whose shortcuts work while the window is active. OnChange tells whoever shows
// it that items came, went or changed.
class MainMenu : public Menu {
 public:
  explicit MainMenu(Component* owner);
  ~MainMenu() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }
};

}  // namespace somnara::fw
