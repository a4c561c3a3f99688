#pragma once

#include <string>

#include "skin/controls/tsui_custom_panel.h"
#include "skin/styles/tsui_ui_style.h"

namespace somnara::skin {

class TsuiFileTheme;

// A frame of one-pixel lines in the style's border colour with the caption set into its
// top line. Its style and theme go on to its skinned children, so a page of skinned
// controls follows its group box.
class TsuiCustomGroupBox : public TsuiCustomPanel {
 public:
  explicit TsuiCustomGroupBox(fw::Component* owner);
  ~TsuiCustomGroupBox() override;
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  // Re-applies the current style with the new theme.
  TsuiFileTheme* FileTheme() const { return file_theme_; }
  void SetFileTheme(TsuiFileTheme* theme);
  TsuiUIStyle UIStyle() const { return ui_style_; }
  void SetUIStyle(TsuiUIStyle style);

  // The caption in the top line. The control text underneath stays a single blank, so the
  // panel painting of a transparent group box draws no second caption.
  const std::string& Caption() const { return caption_; }
  std::string GetCaption() const { return caption_; }
  void SetCaption(const std::string& text) override;

  fw::Color BorderColor() const { return border_color_; }
  void SetBorderColor(fw::Color color);

  // Mirrors the frame and puts the caption at the right end, for right-to-left reading.
  bool RightToLeftReading() const { return right_to_left_; }
  void SetRightToLeftReading(bool on);

  // Aligned children sit inside the lines, below the caption.
  Rect AdjustClientRect() const override;

 protected:
  // Hands style and theme on to the children, then takes the border and caption colours.
  virtual void ApplyStyle(TsuiUIStyle style, TsuiFileTheme* theme);
  void Paint() override;
  void FontChanged() override;
  void Notification(fw::Component* component, fw::Operation operation) override;

 private:
  TsuiFileTheme* file_theme_ = nullptr;
  TsuiUIStyle ui_style_ = TsuiUIStyle::DeepBlue;
  std::string caption_;
  fw::Color border_color_ = fw::clBlack;
  bool right_to_left_ = false;
};

}  // namespace somnara::skin
