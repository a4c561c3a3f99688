#pragma once

#include <string>

#include "framework/component.h"
#include "framework/form.h"
#include "framework/graphics/font.h"
#include "skin/styles/tsui_ui_style.h"

namespace somnara::skin {

class TsuiFileTheme;

// What every skinned dialog box shares: where it opens, its caption and caption font, the
// font of its text, and the look (style or skin theme) its frame takes. The box itself is
// a window made anew each time it is shown.
class TsuiDialog : public fw::Component {
 public:
  explicit TsuiDialog(fw::Component* owner);
  ~TsuiDialog() override;
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  // Setting it applies the style in force again.
  TsuiFileTheme* FileTheme() const { return file_theme_; }
  void SetFileTheme(TsuiFileTheme* theme);
  fw::Position GetPosition() const { return position_; }
  void SetPosition(fw::Position position) { position_ = position; }
  std::string Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { caption_ = caption; }
  // Sets the colours of both fonts as the look asks: the theme's title and control font
  // colours, else black text with a white caption (black on MacOS).
  TsuiUIStyle UIStyle() const { return ui_style_; }
  void SetUIStyle(TsuiUIStyle style);
  // Both setters copy the font given.
  const fw::Font& GetFont() const { return font_; }
  void SetFont(const fw::Font& font) { font_ = font; }
  const fw::Font& CaptionFont() const { return caption_font_; }
  void SetCaptionFont(const fw::Font& font) { caption_font_ = font; }

  // Shows the box modally and answers how it was closed.
  virtual int ShowModal() = 0;

 protected:
  void Notification(fw::Component* component, fw::Operation operation) override;

 private:
  TsuiFileTheme* file_theme_ = nullptr;
  fw::Position position_ = fw::Position::kScreenCenter;
  std::string caption_ = "suiDialog";
  TsuiUIStyle ui_style_ = TsuiUIStyle::DeepBlue;
  fw::Font font_;
  fw::Font caption_font_;
};

}  // namespace somnara::skin
