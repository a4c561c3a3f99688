#include "skin/frame/tsui_title_bar.h"

#include <algorithm>

#include "framework/application.h"
#include "framework/class_info.h"
#include "framework/form.h"
#include "framework/graphics/canvas.h"
#include "skin/frame/tsui_title_bar_popup_menu.h"
#include "skin/styles/sui_style_catalogue.h"
#include "skin/theme/tsui_file_theme.h"

namespace somnara::skin {

namespace {

// The skinned frame's class; the title bar knows it by name, as the styles do.
constexpr std::string_view kFrameClassName = "TsuiForm";
// The top band of a skinned frame that shows the first rows of the title pictures.
constexpr int kFrameTopBand = 3;

bool IsFrame(const fw::Component* c) {
  if (c == nullptr) return false;
  for (const fw::ClassInfo* info = &c->GetClassInfo(); info != nullptr; info = info->Parent())
    if (fw::SameText(info->Name(), kFrameClassName)) return true;
  return false;
}

fw::Bitmap ThemePicture(const TsuiFileTheme& theme, ThemeBitmap item) {
  auto picture = theme.GetThemeBitmap(item);
  return picture ? *picture : fw::Bitmap();
}

fw::Bitmap StylePicture(TsuiUIStyle style, StyleItem item) {
  fw::Bitmap picture;
  GetStyleBitmap(style, item, &picture);
  return picture;
}

}  // namespace

const std::vector<std::string>& BiDiModeNames() {
  static const std::vector<std::string> names = {
      "bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"};
  return names;
}

const fw::ClassInfo& TsuiTitleBar::StaticClassInfo() {
  using T = TsuiTitleBar;
  static const fw::RegisteredClassInfo info = [] {
    fw::ClassInfo i("TsuiTitleBar", &fw::Panel::StaticClassInfo(),
                    [](fw::Component* o) { return new TsuiTitleBar(o); });
    i.Add(fw::BoolProperty<T>("Custom", &T::Custom, &T::SetCustom));
    i.Add(fw::ReferenceProperty<T, TsuiFileTheme>("FileTheme", &T::FileTheme, &T::SetFileTheme));
    i.Add(fw::EnumProperty<T, TsuiUIStyle>("UIStyle", UIStyleNames(), &T::UIStyle, &T::SetUIStyle));
    i.Add(fw::BoolProperty<T>("AutoSize", &T::AutoSize, &T::SetAutoSize));
    i.Add(fw::EnumProperty<T, BiDiMode>("BiDiMode", BiDiModeNames(), &T::GetBiDiMode,
                                        &T::SetBiDiMode));
    i.Add(
        fw::IntegerProperty<fw::Control>("Height", &fw::Control::Height, &fw::Control::SetHeight));
    i.Add(CollectionProperty<T, TsuiTitleBarSections>("Sections", &T::Sections));
    i.Add(CollectionProperty<T, TsuiTitleBarButtons>("Buttons", &T::Buttons));
    i.Add(fw::IntegerProperty<T>("ButtonInterval", &T::ButtonInterval, &T::SetButtonInterval));
    i.Add(fw::StringProperty<fw::Control>("Caption", &fw::Control::GetCaption,
                                          &fw::Control::SetCaption));
    i.Add(fw::BoolProperty<T>("FormActive", &T::FormActive, &T::SetFormActive));
    i.Add(fw::IntegerProperty<T>("LeftBtnXOffset", &T::LeftBtnXOffset, &T::SetLeftBtnXOffset));
    i.Add(fw::IntegerProperty<T>("RightBtnXOffset", &T::RightBtnXOffset, &T::SetRightBtnXOffset));
    i.Add(fw::BoolProperty<T>("DrawAppIcon", &T::DrawAppIcon, &T::SetDrawAppIcon));
    i.Add(fw::IntegerProperty<T>("RoundCorner", &T::RoundCorner, &T::SetRoundCorner));
    i.Add(fw::IntegerProperty<T>("RoundCornerBottom", &T::RoundCornerBottom,
                                 &T::SetRoundCornerBottom));
    i.Add(fw::EventProperty<T>("OnCustomBtnsClick", &T::OnCustomBtnsClick));
    i.Add(fw::EventProperty<T>("OnHelpBtnClick", &T::OnHelpBtnClick));
    i.Add(fw::EventProperty<T>("OnResize", &T::OnResize));
    return i;
  }();
  return info;
}

TsuiTitleBar::TsuiTitleBar(fw::Component* owner) : fw::Panel(owner) {
  SetAlign(fw::Align::kTop);
  SetBevelOuter(fw::BevelCut::kNone);
  fw::Font font;
  font.SetName("Tahoma");
  font.SetBold(true);
  font.SetColor(0xFFFFFF);
  SetFont(font);
  for (TsuiTitleBarBtnType type :
       {TsuiTitleBarBtnType::suiControlBox, TsuiTitleBarBtnType::suiClose,
        TsuiTitleBarBtnType::suiMax, TsuiTitleBarBtnType::suiMin})
    buttons_.Add().SetButtonType(type);
  popup_menu_ = std::make_unique<TsuiTitleBarPopupMenu>(*this);
  // A frame creates its title bar with itself as owner, which OwnerFormStyle reads as
  // DeepBlue; the frame then gives its own style.
  SetUIStyle(OwnerFormStyle(owner));
}

TsuiTitleBar::~TsuiTitleBar() {
  BeginDestruction();
  if (file_theme_ != nullptr) file_theme_->RemoveFreeNotification(this);
}

void TsuiTitleBar::SetFileTheme(TsuiFileTheme* theme) {
  if (file_theme_ != nullptr) file_theme_->RemoveFreeNotification(this);
  file_theme_ = theme;
  if (file_theme_ != nullptr) file_theme_->FreeNotification(this);
  keep_font_color_ = true;
  SetUIStyle(ui_style_);
  keep_font_color_ = false;
}

void TsuiTitleBar::SetUIStyle(TsuiUIStyle style) {
  ui_style_ = style;
  if (custom_) return;
  sections_.Clear();
  const ResolvedStyle resolved = ResolveStyle(file_theme_, style);
  if (resolved.use_theme)
    ApplyThemeStyle();
  else
    ApplyBuiltInStyle(resolved.style);
  const TsuiUIStyle s = resolved.use_theme ? TsuiUIStyle::FromThemeFile : resolved.style;
  for (int i = 0; i < buttons_.Count(); ++i) buttons_.Item(i).SetUIStyle(s);
  popup_menu_->SetUIStyle(s);
  popup_menu_->SetFileTheme(file_theme_);
  if (!keep_font_color_) {
    fw::Font font = GetFont();
    font.SetColor(style == TsuiUIStyle::MacOS ? fw::Color(0x000000)
                  : resolved.use_theme
                      ? fw::Color(file_theme_->GetThemeColor(ThemeColor::kTitleFontColor))
                      : fw::Color(0xFFFFFF));
    SetFont(font);
  }
  SetAutoSize(true);
  Repaint();
}

void TsuiTitleBar::ApplyThemeStyle() {
  const TsuiFileTheme& theme = *file_theme_;
  five_sect_ = theme.GetThemeBool(ThemeBool::kTitleFiveSect);
  trans_color_ = fw::Color(theme.GetThemeColor(ThemeColor::kTransColor));
  const fw::Bitmap title1 = ThemePicture(theme, ThemeBitmap::kTitleBar1);
  const fw::Bitmap title3 = ThemePicture(theme, ThemeBitmap::kTitleBar3);
  const fw::Bitmap title5 = ThemePicture(theme, ThemeBitmap::kTitleBar5);

  TsuiTitleBarSection& first = sections_.Add();
  first.SetPicture(title1);
  first.SetAutoSize(true);
  TsuiTitleBarSection& second = sections_.Add();
  second.SetPicture(ThemePicture(theme, ThemeBitmap::kTitleBar2));
  if (five_sect_)
    second.SetCapSec(true);
  else
    second.SetAlign(TsuiTitleBarAlign::suiClient);
  TsuiTitleBarSection& third = sections_.Add();
  third.SetPicture(title3);
  third.SetAutoSize(true);
  if (!five_sect_) third.SetAlign(TsuiTitleBarAlign::suiRight);
  if (five_sect_) {
    TsuiTitleBarSection& fourth = sections_.Add();
    fourth.SetPicture(ThemePicture(theme, ThemeBitmap::kTitleBar4));
    fourth.SetAlign(TsuiTitleBarAlign::suiClient);
    TsuiTitleBarSection& fifth = sections_.Add();
    fifth.SetPicture(title5);
    fifth.SetAutoSize(true);
    fifth.SetAlign(TsuiTitleBarAlign::suiRight);
  }
  left_btn_x_offset_ = theme.GetThemeInt(ThemeInt::kTitleBarIconPosX);
  right_btn_x_offset_ = theme.GetThemeInt(ThemeInt::kTitleBarButtonPosX);
  fw::Bitmap strip = ThemePicture(theme, ThemeBitmap::kTitleButtons);
  strip.SetPixelFormat(fw::PixelFormat::k24Bit);
  button_strip_height_ = strip.Height();
  button_top_ = theme.GetThemeInt(ThemeInt::kTitleBarButtonPosY) - (InFrame() ? kFrameTopBand : 0);
  back_color_ = fw::Color(theme.GetThemeColor(ThemeColor::kFormColor));

  if (fw::Form* form = ParentForm()) {
    // Room for every button, visible or not, right of the last picture.
    auto room = [&](const fw::Bitmap& b) {
      return std::max(b.Width(), (strip.Width() / 18) * buttons_.Count() + right_btn_x_offset_);
    };
    const int min_width =
        title1.Width() + (five_sect_ ? title3.Width() + room(title5) + 16 : room(title3));
    form->SetMinWidth(min_width);
  }
}

void TsuiTitleBar::ApplyBuiltInStyle(TsuiUIStyle style) {
  TsuiTitleBarSection& left = sections_.Add();
  left.SetPicture(StylePicture(style, StyleItem::kTitleLeft));
  left.SetAutoSize(true);
  TsuiTitleBarSection& right = sections_.Add();
  right.SetPicture(StylePicture(style, StyleItem::kTitleRight));
  right.SetAutoSize(true);
  right.SetAlign(TsuiTitleBarAlign::suiRight);
  TsuiTitleBarSection& client = sections_.Add();
  client.SetPicture(StylePicture(style, StyleItem::kTitleClient));
  client.SetAlign(TsuiTitleBarAlign::suiClient);
  left_btn_x_offset_ = GetStyleInt(style, StyleItem::kTitleLeftButtonX);
  right_btn_x_offset_ = GetStyleInt(style, StyleItem::kTitleRightButtonX);
  button_strip_height_ = StylePicture(style, StyleItem::kTitleButtons).Height();
  button_top_ = GetStyleInt(style, StyleItem::kTitleButtonTop) - (InFrame() ? kFrameTopBand : 0);
  if (fw::Form* form = ParentForm()) {
    form->SetMinWidth(GetStyleInt(style, StyleItem::kMinimumWidth));
    form->SetMinHeight(50);
  }
  round_corner_ = GetStyleInt(style, StyleItem::kRoundCorner);
  round_corner_bottom_ = 0;
}

void TsuiTitleBar::SetAutoSize(bool on) {
  auto_size_ = on;
  if (sections_.Count() == 0) {
    auto_size_ = false;
    return;
  }
  SetHeight(sections_.Item(0).Picture().Height() - (InFrame() ? kFrameTopBand : 0));
}

void TsuiTitleBar::SetButtonInterval(int pixels) {
  button_interval_ = pixels;
  Repaint();
}

void TsuiTitleBar::SetCaption(const std::string& text) {
  fw::Panel::SetCaption(text);
  Repaint();
}

void TsuiTitleBar::SetFormActive(bool on) {
  form_active_ = on;
  Repaint();
}

void TsuiTitleBar::SetLeftBtnXOffset(int x) {
  left_btn_x_offset_ = x;
  Repaint();
}

void TsuiTitleBar::SetRightBtnXOffset(int x) {
  right_btn_x_offset_ = x;
  Repaint();
}

void TsuiTitleBar::SetDrawAppIcon(bool on) {
  draw_app_icon_ = on;
  Repaint();
}

const fw::Bitmap* TsuiTitleBar::GetTitleImage(int index) const {
  if (index == -1) return &full_image_;
  if (index == -2) {
    if (composite_stale_) {
      composite_.SetSize(full_image_.Width(), full_image_.Height());
      composite_.Fill(back_color_);
      composite_.GetCanvas().Draw(0, 0, full_image_);
      composite_stale_ = false;
    }
    return &composite_;
  }
  if (index >= 0 && index < sections_.Count() && sections_.Count() > 2)
    return &sections_.Item(index).Picture();
  return nullptr;
}

bool TsuiTitleBar::HasStandardSections() const {
  return sections_.Count() == 3 || sections_.Count() == 5;
}

void TsuiTitleBar::UpdateMaxButtons() {
  for (int i = 0; i < buttons_.Count(); ++i)
    if (buttons_.Item(i).ButtonType() == TsuiTitleBarBtnType::suiMax)
      buttons_.Item(i).UpdateMaxRestore();
}

bool TsuiTitleBar::InFrame() const {
  return IsFrame(Parent());
}

void TsuiTitleBar::MinimizeForm() {
  fw::Form* form = ParentForm();
  if (form == nullptr) return;
  if (form == fw::App().MainForm())
    form->Perform(fw::WM_SYSCOMMAND, fw::SC_MINIMIZE);
  else
    form->SetWindowState(fw::WindowState::kMinimized);
}

int TsuiTitleBar::LeftBorderWidth() const {
  fw::Form* form = ParentForm();
  return form != nullptr ? int(form->Perform(SUIM_LEFTBORDERWIDTH)) : 0;
}

void TsuiTitleBar::Repaint() {
  Invalidate();
}

void TsuiTitleBar::Resized() {
  fw::Panel::Resized();
  if (OnResize) OnResize(this);
}

void TsuiTitleBar::Notification(fw::Component* component, fw::Operation operation) {
  fw::Panel::Notification(component, operation);
  if (operation != fw::Operation::kRemove) return;
  if (component == file_theme_ && component != nullptr) {
    file_theme_ = nullptr;
    SetUIStyle(TsuiUIStyle::DeepBlue);
  }
  for (int i = 0; i < buttons_.Count(); ++i)
    if (buttons_.Item(i).ControlBoxMenu() == component) buttons_.Item(i).SetControlBoxMenu(nullptr);
}

}  // namespace somnara::skin
