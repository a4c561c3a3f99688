#pragma once

#include "framework/controls/image_list.h"
#include "framework/controls/main_menu.h"
#include "skin/frame/tsui_menu_skin.h"

namespace somnara::skin {

class TsuiMenuBarHost;

// A window's main menu drawn in the colours of a skin. A skinned frame shows it in a menu
// bar of its own and hears from it when it has loaded, when items change and when its
// font changes. Its check image comes from an image list of its own, which is also the
// menu's image list until another is set.
class TsuiMainMenu : public fw::MainMenu, public TsuiMenuSkin {
 public:
  explicit TsuiMainMenu(fw::Component* owner);
  ~TsuiMainMenu() override;
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  // None while the menu's own list is in use; setting none brings that list back.
  fw::ImageList* PublishedImages() const;
  void SetImages(fw::ImageList* images) override;

  void SetOwnerDraw(bool) override {}
  using TsuiMenuSkin::OwnerDraw;

  // The skinned frame showing this menu; set and cleared by that frame.
  TsuiMenuBarHost* MenuBarHost() const { return host_; }
  void SetMenuBarHost(TsuiMenuBarHost* host) { host_ = host; }

  void Loaded() override;

 protected:
  void Notification(fw::Component* component, fw::Operation operation) override;
  void MenuChanged(fw::MenuItem* source, bool rebuild) override;
  const fw::ImageList& CheckImages() const override { return own_images_; }
  void UseSystemFontChanged() override;

 private:
  fw::ImageList own_images_{nullptr};
  TsuiMenuBarHost* host_ = nullptr;
};

}  // namespace somnara::skin
