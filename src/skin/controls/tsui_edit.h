#pragma once

#include "framework/controls/edit.h"
#include "skin/styles/tsui_ui_style.h"

namespace somnara::skin {

class TsuiFileTheme;

// A one-line edit field framed flat in two colours: an outer line in the style's border
// colour and an inner one in the field's own colour, inside the room its BorderWidth keeps.
class TsuiEdit : public fw::Edit {
 public:
  explicit TsuiEdit(fw::Component* owner);
  ~TsuiEdit() override;
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  // Re-applies the current style with the new theme.
  TsuiFileTheme* FileTheme() const { return file_theme_; }
  void SetFileTheme(TsuiFileTheme* theme);
  TsuiUIStyle UIStyle() const { return ui_style_; }
  void SetUIStyle(TsuiUIStyle style);
  fw::Color BorderColor() const { return border_color_; }
  void SetBorderColor(fw::Color color);

 protected:
  void Paint() override;
  void EraseBackground(fw::Canvas& canvas) override;
  void Notification(fw::Component* component, fw::Operation operation) override;

 private:
  void DrawBorder(fw::Canvas& canvas);

  TsuiFileTheme* file_theme_ = nullptr;
  TsuiUIStyle ui_style_ = TsuiUIStyle::DeepBlue;
  fw::Color border_color_ = fw::clBlack;
};

}  // namespace somnara::skin
