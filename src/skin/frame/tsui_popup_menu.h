#pragma once

#include "framework/controls/popup_menu.h"
#include "skin/frame/tsui_menu_skin.h"

namespace somnara::skin {

// A popup menu drawn in the colours of a skin: every item is owner-drawn with a side bar,
// a highlighted box for the selected item, check marks from the process-wide check image
// and the shortcut text. It starts in the style of the skinned frame on its owner form.
class TsuiPopupMenu : public fw::PopupMenu, public TsuiMenuSkin {
 public:
  explicit TsuiPopupMenu(fw::Component* owner);
  ~TsuiPopupMenu() override;
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  // The framework's menu is always owner-drawn here.
  void SetOwnerDraw(bool) override {}
  using TsuiMenuSkin::OwnerDraw;

  void Loaded() override;
  void DrawFrame(fw::Canvas& canvas, const Rect& bounds) override;

 protected:
  void Notification(fw::Component* component, fw::Operation operation) override;
  void MenuChanged(fw::MenuItem* source, bool rebuild) override;
  const fw::ImageList& CheckImages() const override;
};

}  // namespace somnara::skin
