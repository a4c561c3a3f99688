#include "app/program_entry.h"

#include "app/about_window.h"
#include "app/backdrop_window.h"
#include "app/main_window.h"
#include "app/program_values.h"
#include "framework/application.h"
#include "framework/controls/message_box.h"
#include "framework/controls/standard_classes.h"
#include "framework/resources.h"
#include "platform/platform.h"
#include "routine/breathing_window.h"
#include "routine/focus_window.h"
#include "routine/routine_values.h"
#include "routine/sleep_window.h"
#include "routine/wizard_window.h"
#include "skin/controls/tsui_button.h"
#include "skin/controls/tsui_group_box.h"
#include "skin/controls/tsui_track_bar.h"
#include "skin/frame/tsui_form.h"
#include "skin/theme/tsui_built_in_file_theme.h"

namespace somnara::app {

void RegisterProgram() {
  resources::RegisterProgramResources();
  fw::RegisterStandardClasses();
  TForm1::StaticClassInfo();
  TForm2::StaticClassInfo();
  skin::TsuiBuiltInFileTheme::StaticClassInfo();
  // The skinned frame and controls the windows' descriptions create by name.
  skin::TsuiForm::StaticClassInfo();
  skin::TsuiButton::StaticClassInfo();
  skin::TsuiGroupBox::StaticClassInfo();
  skin::TsuiTrackBar::StaticClassInfo();
  routine::TForm3::StaticClassInfo();
  TForm7::StaticClassInfo();
  routine::TForm4::StaticClassInfo();
  routine::TForm5::StaticClassInfo();
  routine::TForm6::StaticClassInfo();
}

int RunProgram() {
  RegisterProgram();
  fw::Application& application = fw::App();
  application.Initialize(platform::Current().windows);
  fw::InstallStandardDialogs();
  application.SetTitle("Somnara");
  Form1 = new TForm1(&application);
  RoutineBackdrop = Form1;
  application.SetMainForm(Form1);
  Form1->AfterConstruction();
  application.Run();
  return 0;
}

}  // namespace somnara::app
