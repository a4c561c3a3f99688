#include "framework/controls/standard_classes.h"

#include "framework/controls/bevel.h"
#include "framework/controls/button.h"
#include "framework/controls/check_box.h"
#include "framework/controls/combo_box.h"
#include "framework/controls/edit.h"
#include "framework/controls/group_box.h"
#include "framework/controls/image.h"
#include "framework/controls/image_list.h"
#include "framework/controls/label.h"
#include "framework/controls/main_menu.h"
#include "framework/controls/memo.h"
#include "framework/controls/menu_item.h"
#include "framework/controls/panel.h"
#include "framework/controls/popup_menu.h"
#include "framework/controls/speed_button.h"
#include "framework/controls/tool_bar.h"
#include "framework/controls/tool_button.h"
#include "framework/controls/track_bar.h"
#include "framework/form.h"
#include "framework/timer.h"

namespace somnara::fw {

void RegisterStandardClasses() {
  // Each StaticClassInfo registers its class the first time it is asked for.
  Form::StaticClassInfo();
  Timer::StaticClassInfo();
  Label::StaticClassInfo();
  Image::StaticClassInfo();
  Bevel::StaticClassInfo();
  Edit::StaticClassInfo();
  Memo::StaticClassInfo();
  ComboBox::StaticClassInfo();
  CheckBox::StaticClassInfo();
  SpeedButton::StaticClassInfo();
  Button::StaticClassInfo();
  Panel::StaticClassInfo();
  GroupBox::StaticClassInfo();
  TrackBar::StaticClassInfo();
  PopupMenu::StaticClassInfo();
  MenuItem::StaticClassInfo();
  ImageList::StaticClassInfo();
  MainMenu::StaticClassInfo();
  ToolBar::StaticClassInfo();
  ToolButton::StaticClassInfo();
}

}  // namespace somnara::fw
