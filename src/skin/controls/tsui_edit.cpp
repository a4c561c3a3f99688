#include "skin/controls/tsui_edit.h"

#include "framework/graphics/canvas.h"
#include "skin/styles/sui_style_catalogue.h"
#include "skin/theme/tsui_file_theme.h"

namespace somnara::skin {

const fw::ClassInfo& TsuiEdit::StaticClassInfo() {
  using T = TsuiEdit;
  static const fw::RegisteredClassInfo info = [] {
    fw::ClassInfo i("TsuiEdit", &fw::Edit::StaticClassInfo(),
                    [](fw::Component* o) { return new TsuiEdit(o); });
    i.Add(fw::ReferenceProperty<T, TsuiFileTheme>("FileTheme", &T::FileTheme, &T::SetFileTheme));
    i.Add(fw::EnumProperty<T, TsuiUIStyle>("UIStyle", UIStyleNames(), &T::UIStyle, &T::SetUIStyle));
    i.Add(fw::ColorProperty<T>("BorderColor", &T::BorderColor, &T::SetBorderColor));
    return i;
  }();
  return info;
}

TsuiEdit::TsuiEdit(fw::Component* owner) : fw::Edit(owner) {
  SetBorderStyle(fw::ControlBorder::kNone);
  SetBorderWidth(2);
  SetUIStyle(OwnerFormStyle(owner));
}

TsuiEdit::~TsuiEdit() {
  BeginDestruction();
  if (file_theme_ != nullptr) file_theme_->RemoveFreeNotification(this);
}

void TsuiEdit::SetFileTheme(TsuiFileTheme* theme) {
  if (file_theme_ != nullptr) file_theme_->RemoveFreeNotification(this);
  file_theme_ = theme;
  if (file_theme_ != nullptr) file_theme_->FreeNotification(this);
  SetUIStyle(ui_style_);
}

void TsuiEdit::SetUIStyle(TsuiUIStyle style) {
  ui_style_ = style;
  const ResolvedStyle resolved = ResolveStyle(file_theme_, style);
  if (resolved.use_theme)
    SetBorderColor(fw::Color(file_theme_->GetThemeColor(ThemeColor::kControlBorderColor)));
  else
    SetBorderColor(GetStyleColor(resolved.style, StyleItem::kControlBorderColour));
}

void TsuiEdit::SetBorderColor(fw::Color color) {
  border_color_ = color;
  Invalidate();
}

void TsuiEdit::Notification(fw::Component* component, fw::Operation operation) {
  fw::Edit::Notification(component, operation);
  if (operation != fw::Operation::kRemove || component == nullptr || component != file_theme_)
    return;
  file_theme_ = nullptr;
  SetUIStyle(TsuiUIStyle::DeepBlue);
}

void TsuiEdit::DrawBorder(fw::Canvas& canvas) {
  const Rect r = ClientRect();
  canvas.Brush().SetColor(border_color_);
  canvas.FrameRect(r);
  canvas.Brush().SetColor(GetColor());
  canvas.FrameRect(r.Inflate(-1, -1));
}

void TsuiEdit::Paint() {
  fw::Edit::Paint();
  DrawBorder(GetCanvas());
}

void TsuiEdit::EraseBackground(fw::Canvas& canvas) {
  fw::Edit::EraseBackground(canvas);
  DrawBorder(canvas);
}

}  // namespace somnara::skin
