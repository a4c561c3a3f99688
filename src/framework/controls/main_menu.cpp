#include "framework/controls/main_menu.h"

namespace somnara::fw {

const ClassInfo& MainMenu::StaticClassInfo() {
  static const RegisteredClassInfo info = [] {
    ClassInfo i("TMainMenu", &Menu::StaticClassInfo(),
                [](Component* o) { return new MainMenu(o); });
    i.Add(EventProperty<MainMenu, NotifyEvent>("OnChange", &MainMenu::OnChange));
    return i;
  }();
  return info;
}

MainMenu::MainMenu(Component* owner) : Menu(owner) {}

MainMenu::~MainMenu() {
  BeginDestruction();
}

}  // namespace somnara::fw
