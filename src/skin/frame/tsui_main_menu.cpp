#include "skin/frame/tsui_main_menu.h"

#include "skin/frame/menu_check_images.h"
#include "skin/frame/tsui_menu_bar_host.h"

namespace somnara::skin {

const fw::ClassInfo& TsuiMainMenu::StaticClassInfo() {
  static const fw::RegisteredClassInfo info = [] {
    fw::ClassInfo i("TsuiMainMenu", &fw::MainMenu::StaticClassInfo(),
                    [](fw::Component* o) { return new TsuiMainMenu(o); });
    i.Add(fw::ReferenceProperty<TsuiMainMenu, fw::ImageList>(
        "Images", &TsuiMainMenu::PublishedImages, &TsuiMainMenu::SetImages));
    AddMenuSkinProperties<TsuiMainMenu>(i);
    return i;
  }();
  return info;
}

TsuiMainMenu::TsuiMainMenu(fw::Component* owner)
    : fw::MainMenu(owner), TsuiMenuSkin(*this, Kind::kMain) {
  fw::MainMenu::SetOwnerDraw(true);
  AddMenuCheckImage(own_images_);
  fw::MainMenu::SetImages(&own_images_);
  ApplyOwnerStyle();
}

TsuiMainMenu::~TsuiMainMenu() {
  BeginDestruction();
  fw::MainMenu::SetImages(nullptr);
}

fw::ImageList* TsuiMainMenu::PublishedImages() const {
  return Images() == &own_images_ ? nullptr : Images();
}

void TsuiMainMenu::SetImages(fw::ImageList* images) {
  fw::MainMenu::SetImages(images != nullptr ? images : &own_images_);
}

void TsuiMainMenu::Loaded() {
  fw::MainMenu::Loaded();
  HookItems();
  if (host_ != nullptr) host_->RebuildMenuBar();
}

void TsuiMainMenu::Notification(fw::Component* component, fw::Operation operation) {
  const bool images_gone =
      operation == fw::Operation::kRemove && component != &own_images_ && component == Images();
  fw::MainMenu::Notification(component, operation);
  if (images_gone) fw::MainMenu::SetImages(&own_images_);
  SkinNotification(component, operation);
}

void TsuiMainMenu::MenuChanged(fw::MenuItem* source, bool rebuild) {
  if (rebuild) HookItems();
  if (host_ != nullptr) host_->SyncMenuBar();
  fw::MainMenu::MenuChanged(source, rebuild);
}

void TsuiMainMenu::UseSystemFontChanged() {
  if (host_ != nullptr) host_->ApplyMenuBarFont();
}

}  // namespace somnara::skin
