#pragma once

namespace somnara::skin {

// What a skinned main menu asks of the skinned frame that shows it in a menu bar. The
// frame links itself to the menu it shows (TsuiMainMenu::SetMenuBarHost) and unlinks
// itself when it lets the menu go.
class TsuiMenuBarHost {
 public:
  // One bar button per top-level item, made afresh.
  virtual void RebuildMenuBar() = 0;
  // The buttons take their items' captions and enabled states.
  virtual void SyncMenuBar() = 0;
  // The bar takes the menu's font.
  virtual void ApplyMenuBarFont() = 0;

 protected:
  ~TsuiMenuBarHost() = default;
};

}  // namespace somnara::skin
