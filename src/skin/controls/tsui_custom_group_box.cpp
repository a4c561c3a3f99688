#include "skin/controls/tsui_custom_group_box.h"

#include <cstdlib>

#include "framework/graphics/canvas.h"
#include "skin/styles/sui_public.h"
#include "skin/styles/sui_style_catalogue.h"
#include "skin/theme/tsui_file_theme.h"

namespace somnara::skin {
namespace {

constexpr fw::Color kDisabledCaption = fw::MakeColor(128, 128, 128);

}  // namespace

const fw::ClassInfo& TsuiCustomGroupBox::StaticClassInfo() {
  using T = TsuiCustomGroupBox;
  using C = fw::Control;
  static const fw::ClassInfo info = [] {
    fw::ClassInfo i("TsuiCustomGroupBox", &TsuiCustomPanel::StaticClassInfo());
    i.Add(fw::ReferenceProperty<T, TsuiFileTheme>("FileTheme", &T::FileTheme, &T::SetFileTheme));
    i.Add(fw::EnumProperty<T, TsuiUIStyle>("UIStyle", UIStyleNames(), &T::UIStyle, &T::SetUIStyle));
    i.Add(fw::StringProperty<T>("Caption", &T::GetCaption, &T::SetCaption));
    i.Add(fw::BoolProperty<C>("Transparent", &C::Transparent, &C::SetTransparent));
    return i;
  }();
  return info;
}

TsuiCustomGroupBox::TsuiCustomGroupBox(fw::Component* owner) : TsuiCustomPanel(owner) {
  SetBounds(0, 0, 185, 105);
  SetParentColor(true);
  TsuiCustomPanel::SetCaption(" ");
  SetUIStyle(OwnerFormStyle(owner));
}

TsuiCustomGroupBox::~TsuiCustomGroupBox() {
  BeginDestruction();
  if (file_theme_ != nullptr) file_theme_->RemoveFreeNotification(this);
}

void TsuiCustomGroupBox::SetFileTheme(TsuiFileTheme* theme) {
  if (file_theme_ != nullptr) file_theme_->RemoveFreeNotification(this);
  file_theme_ = theme;
  if (file_theme_ != nullptr) file_theme_->FreeNotification(this);
  SetUIStyle(ui_style_);
}

void TsuiCustomGroupBox::SetUIStyle(TsuiUIStyle style) {
  ui_style_ = style;
  ApplyStyle(style, file_theme_);
}

void TsuiCustomGroupBox::ApplyStyle(TsuiUIStyle style, TsuiFileTheme* theme) {
  PropagateTheme(*this, style, theme);
  const ResolvedStyle resolved = ResolveStyle(theme, style);
  fw::Color border;
  fw::Color caption;
  if (resolved.use_theme) {
    border = fw::Color(theme->GetThemeColor(ThemeColor::kControlBorderColor));
    caption = fw::Color(theme->GetThemeColor(ThemeColor::kControlFontColor));
  } else {
    border = GetStyleColor(resolved.style, StyleItem::kControlBorderColour);
    caption = GetStyleColor(resolved.style, StyleItem::kGroupBoxCaptionColour);
  }
  SetBorderColor(border);
  fw::Font font = GetFont();
  font.SetColor(caption);
  SetFont(font);
}

void TsuiCustomGroupBox::SetCaption(const std::string& text) {
  caption_ = text;
  Invalidate();
}

void TsuiCustomGroupBox::SetBorderColor(fw::Color color) {
  border_color_ = color;
  Invalidate();
}

void TsuiCustomGroupBox::SetRightToLeftReading(bool on) {
  right_to_left_ = on;
  Invalidate();
}

Rect TsuiCustomGroupBox::AdjustClientRect() const {
  Rect r = ClientRect();
  r.left += 3;
  r.right -= 3;
  r.bottom -= 3;
  r.top += std::abs(GetFont().Height()) + 5;
  return r;
}

void TsuiCustomGroupBox::FontChanged() {
  Realign();
  Invalidate();
}

void TsuiCustomGroupBox::Notification(fw::Component* component, fw::Operation operation) {
  TsuiCustomPanel::Notification(component, operation);
  if (operation != fw::Operation::kRemove || component == nullptr || component != file_theme_)
    return;
  file_theme_ = nullptr;
  PropagateTheme(*this, TsuiUIStyle::DeepBlue, nullptr);
  SetUIStyle(TsuiUIStyle::DeepBlue);
}

void TsuiCustomGroupBox::Paint() {
  fw::Canvas& c = GetCanvas();
  if (Transparent()) {
    TsuiCustomPanel::Paint();
  } else {
    c.Brush().SetColor(GetColor());
    c.FillRect(ClientRect());
  }

  const Rect r = ClientRect();
  c.Font() = GetFont();
  const int caption_width = caption_.empty() ? 0 : c.TextWidth(caption_);
  const int y = std::abs(GetFont().Height()) / 2 + 1;
  c.Pen().SetColor(border_color_);
  c.Pen().SetWidth(1);
  c.Pen().SetStyle(fw::PenStyle::kSolid);
  // The top line stops short of the caption, leaving the gap it is written into.
  if (!right_to_left_) {
    c.MoveTo(r.left + 2, y);
    c.LineTo(r.left, y);
    c.LineTo(r.left, r.bottom - 1);
    c.LineTo(r.right - 1, r.bottom - 1);
    c.LineTo(r.right - 1, y);
    c.LineTo(caption_.empty() ? r.left : r.left + caption_width + 6, y);
  } else {
    c.MoveTo(r.right - 3, y);
    c.LineTo(r.right - 1, y);
    c.LineTo(r.right - 1, r.bottom - 1);
    c.LineTo(r.left + 1, r.bottom - 1);
    c.LineTo(r.left + 1, y);
    c.LineTo(caption_.empty() ? r.right - 1 : r.right - caption_width - 7, y);
  }

  if (caption_.empty()) return;
  c.Brush().SetStyle(fw::BrushStyle::kClear);
  c.Font().SetColor(Enabled() ? GetFont().Color() : kDisabledCaption);
  c.TextOut(right_to_left_ ? Width() - caption_width - 6 : 5, 0, caption_);
  c.Brush().SetStyle(fw::BrushStyle::kSolid);
}

}  // namespace somnara::skin
