#pragma once

#include "framework/form.h"
#include "routine/program_windows.h"

namespace somnara::fw {
class Image;
class MenuItem;
class PopupMenu;
class Timer;
}  // namespace somnara::fw

namespace somnara::skin {
class TsuiButton;
class TsuiForm;
}  // namespace somnara::skin

namespace somnara::app {

// The main window: fades in over the backdrop, starts the routine with "Start Somnara" and
// drops a menu (help, home page, about, support e-mail, exit) from the Menu button. Closing
// it (Exit, or the skinned title bar's close button) ends the program. The wizard reaches it as its
// routine::MainWindow.
class TForm2 : public fw::Form, public routine::MainWindow {
 public:
  explicit TForm2(fw::Component* owner);
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  skin::TsuiForm* suiForm1 = nullptr;
  fw::Image* Image1 = nullptr;
  fw::Image* Image2 = nullptr;
  skin::TsuiButton* suiButton1 = nullptr;
  skin::TsuiButton* suiButton2 = nullptr;
  fw::Timer* Timer1 = nullptr;
  fw::PopupMenu* ImageMenu = nullptr;
  fw::MenuItem* MShowPreview = nullptr;
  fw::MenuItem* N4 = nullptr;
  fw::MenuItem* MSortByName = nullptr;
  fw::MenuItem* MReset = nullptr;
  fw::MenuItem* N1 = nullptr;
  fw::MenuItem* About1 = nullptr;
  fw::MenuItem* N2 = nullptr;
  fw::MenuItem* MAddImages = nullptr;
  fw::MenuItem* N3 = nullptr;
  fw::MenuItem* Exit1 = nullptr;

  void Timer1Timer(fw::Component* sender);
  void suiButton1Click(fw::Component* sender);
  void suiButton2Click(fw::Component* sender);
  void MSortByNameClick(fw::Component* sender);
  void MResetClick(fw::Component* sender);
  void MSortByDateClick(fw::Component* sender);
  void MAddImagesClick(fw::Component* sender);
  void Exit1Click(fw::Component* sender);
  void FormClose(fw::Component* sender, fw::CloseAction& action);

  void Loaded() override;

  void ShowAfterWizard() override;
};

}  // namespace somnara::app
