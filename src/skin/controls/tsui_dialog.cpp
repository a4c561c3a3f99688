#include "skin/controls/tsui_dialog.h"

#include "skin/theme/tsui_file_theme.h"

namespace somnara::skin {

const fw::ClassInfo& TsuiDialog::StaticClassInfo() {
  using T = TsuiDialog;
  // Only its descendants can be made; they register themselves.
  static const fw::ClassInfo info = [] {
    fw::ClassInfo i("TsuiDialog", &fw::Component::StaticClassInfo());
    i.Add(fw::ReferenceProperty<T, TsuiFileTheme>("FileTheme", &T::FileTheme, &T::SetFileTheme));
    i.Add(fw::EnumProperty<T, fw::Position>("Position", fw::kPositionNames, &T::GetPosition,
                                            &T::SetPosition));
    i.Add(fw::StringProperty<T>("Caption", &T::Caption, &T::SetCaption));
    i.Add(fw::EnumProperty<T, TsuiUIStyle>("UIStyle", UIStyleNames(), &T::UIStyle, &T::SetUIStyle));
    return i;
  }();
  return info;
}

TsuiDialog::TsuiDialog(fw::Component* owner) : fw::Component(owner) {
  caption_font_.SetName("Tahoma");
  caption_font_.SetBold(true);
  caption_font_.SetColor(fw::clWhite);
  SetUIStyle(OwnerFormStyle(owner));
}

TsuiDialog::~TsuiDialog() {
  BeginDestruction();
  if (file_theme_ != nullptr) file_theme_->RemoveFreeNotification(this);
}

void TsuiDialog::SetFileTheme(TsuiFileTheme* theme) {
  if (file_theme_ != nullptr) file_theme_->RemoveFreeNotification(this);
  file_theme_ = theme;
  if (file_theme_ != nullptr) file_theme_->FreeNotification(this);
  SetUIStyle(ui_style_);
}

void TsuiDialog::SetUIStyle(TsuiUIStyle style) {
  ui_style_ = style;
  if (ResolveStyle(file_theme_, ui_style_).use_theme) {
    caption_font_.SetColor(fw::Color(file_theme_->GetThemeColor(ThemeColor::kTitleFontColor)));
    font_.SetColor(fw::Color(file_theme_->GetThemeColor(ThemeColor::kControlFontColor)));
    return;
  }
  font_.SetColor(fw::clBlack);
  caption_font_.SetColor(ui_style_ == TsuiUIStyle::MacOS ? fw::clBlack : fw::clWhite);
}

void TsuiDialog::Notification(fw::Component* component, fw::Operation operation) {
  fw::Component::Notification(component, operation);
  if (operation == fw::Operation::kRemove && component != nullptr && component == file_theme_) {
    file_theme_ = nullptr;
    SetUIStyle(TsuiUIStyle::DeepBlue);
  }
}

}  // namespace somnara::skin
