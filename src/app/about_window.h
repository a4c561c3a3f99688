#pragma once

#include "framework/form.h"

namespace somnara::fw {
class Bevel;
class Image;
class Label;
}  // namespace somnara::fw

namespace somnara::skin {
class TsuiButton;
class TsuiForm;
}  // namespace somnara::skin

namespace somnara::app {

// The about window: the program's name, version and icon, a link to the vendor's home page
// and one to the support address. Each "About..." makes a new one; OK closes it.
class TForm7 : public fw::Form {
 public:
  explicit TForm7(fw::Component* owner);
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  skin::TsuiForm* suiForm1 = nullptr;
  fw::Image* Image9 = nullptr;
  fw::Label* Label2 = nullptr;
  fw::Label* Label7 = nullptr;
  fw::Label* Label1 = nullptr;
  fw::Label* Label3 = nullptr;
  fw::Label* Label4 = nullptr;
  fw::Bevel* Bevel1 = nullptr;
  skin::TsuiButton* Button1 = nullptr;

  void Label1Click(fw::Component* sender);
  void Label3Click(fw::Component* sender);
  void suitempButton1Click(fw::Component* sender);
  void FormCloseQuery(fw::Component* sender, bool& can_close);

  void Loaded() override;
};

}  // namespace somnara::app
