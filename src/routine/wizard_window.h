#pragma once

#include "framework/form.h"

namespace somnara::fw {
class CheckBox;
class ComboBox;
class Edit;
class Image;
class Label;
class Memo;
class SpeedButton;
class Timer;
}  // namespace somnara::fw

namespace somnara::skin {
class TsuiButton;
class TsuiForm;
class TsuiGroupBox;
class TsuiTrackBar;
}  // namespace somnara::skin

namespace somnara::routine {

// The set-up wizard: an introduction and steps 1 to 3 as four pages of one window, shown one
// at a time and only forward. Step 2 chooses the night's sound (with a trial playback) and
// sets the system volume; step 3 the play time, the fading and the command at the end. Next
// on steps 2 and 3 saves the choices; after step 3 the wizard fades out and opens the focus
// step. Closing it brings the main window back.
class TForm3 : public fw::Form {
 public:
  explicit TForm3(fw::Component* owner);
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  // The skinned frame, which carries the pages.
  skin::TsuiForm* suiForm1 = nullptr;
  // Pages.
  skin::TsuiGroupBox* gb = nullptr;
  skin::TsuiGroupBox* gb1 = nullptr;
  skin::TsuiGroupBox* gb2 = nullptr;
  skin::TsuiGroupBox* gb3 = nullptr;
  // Introduction.
  fw::Label* lbl4 = nullptr;
  fw::Label* lbl5 = nullptr;
  fw::Label* lbl6 = nullptr;
  skin::TsuiButton* suiButton4 = nullptr;  // OK
  skin::TsuiButton* suiButton5 = nullptr;  // Cancel
  // Step 1.
  fw::Memo* Memo1 = nullptr;
  fw::Image* Image1 = nullptr;
  skin::TsuiButton* suiButton1 = nullptr;
  // Step 2.
  fw::Memo* Memo2 = nullptr;
  fw::Label* lbl1 = nullptr;
  fw::ComboBox* ComboBox1 = nullptr;
  fw::Label* lbl2 = nullptr;
  skin::TsuiTrackBar* bb1 = nullptr;
  fw::SpeedButton* speedbutton1 = nullptr;
  skin::TsuiButton* suiButton2 = nullptr;
  // Step 3.
  fw::Memo* Memo3 = nullptr;
  fw::Label* Label1 = nullptr;
  fw::Edit* Edit1 = nullptr;
  fw::Label* Label2 = nullptr;
  fw::CheckBox* CheckBox1 = nullptr;
  fw::Label* Label3 = nullptr;
  fw::ComboBox* ComboBox2 = nullptr;
  skin::TsuiButton* suiButton3 = nullptr;
  // Fades.
  fw::Timer* Timer1 = nullptr;  // in
  fw::Timer* Timer2 = nullptr;  // out, then the focus step

  void FormShow(fw::Component* sender);
  void FormClose(fw::Component* sender, fw::CloseAction& action);
  void suiButton4Click(fw::Component* sender);
  void suiButton5Click(fw::Component* sender);
  void suiButton1Click(fw::Component* sender);
  void suiButton2Click(fw::Component* sender);
  void suiButton3Click(fw::Component* sender);
  void ComboBox1Change(fw::Component* sender);
  void speedbutton1MouseDown(fw::Component* sender, fw::MouseButton button, unsigned shift, int x,
                             int y);
  void bb1Change(fw::Component* sender);
  void bb1MouseUp(fw::Component* sender, fw::MouseButton button, unsigned shift, int x, int y);
  void Timer1Timer(fw::Component* sender);
  void Timer2Timer(fw::Component* sender);

  void Loaded() override;

 private:
  void ShowPage(skin::TsuiGroupBox* page);
  void EndTestPlayback();
};

}  // namespace somnara::routine
