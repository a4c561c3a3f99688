#include "skin/frame/tsui_form.h"

#include <algorithm>
#include <utility>

#include "framework/application.h"
#include "framework/class_info.h"
#include "framework/controls/main_menu.h"
#include "framework/controls/menu.h"
#include "framework/controls/menu_item.h"
#include "framework/controls/popup_menu.h"
#include "framework/controls/tool_button.h"
#include "framework/form.h"
#include "skin/frame/menu_bar_painter.h"
#include "skin/frame/tsui_main_menu.h"
#include "skin/styles/sui_public.h"
#include "skin/styles/sui_style_catalogue.h"
#include "skin/theme/tsui_file_theme.h"

namespace somnara::skin {

namespace {

// SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED: the border
// is measured again through the host's procedure.
constexpr uint32_t kFrameRefresh =
    fw::SWP_NOSIZE | fw::SWP_NOMOVE | fw::SWP_NOZORDER | fw::SWP_NOACTIVATE | fw::SWP_FRAMECHANGED;
// The host's top non-client band, under which the title bar sits.
constexpr int kTopBand = 3;

bool IsFrame(const fw::Component* c) {
  return c != nullptr && c->InheritsFrom(TsuiForm::StaticClassInfo());
}

// The caption font of the title bar, part by part as descriptions write it.
fw::PropertyInfo TitleFontProperty(const char* name, fw::PropertyType type,
                                   fw::Value (*get)(const fw::Font&),
                                   void (*set)(fw::Font&, const fw::Value&)) {
  fw::PropertyInfo p;
  p.name = name;
  p.type = type;
  p.get = [get](const fw::Component& c) {
    return get(static_cast<const TsuiForm&>(c).TitleFont());
  };
  p.set = [set](fw::Component& c, const fw::Value& v) {
    auto& frame = static_cast<TsuiForm&>(c);
    fw::Font font = frame.TitleFont();
    set(font, v);
    frame.SetTitleFont(font);
  };
  return p;
}

fw::PropertyInfo TitleBarEventProperty(
    const char* name, void (TsuiForm::*set)(TsuiTitleBarButtonClickEvent handler)) {
  fw::PropertyInfo p;
  p.name = name;
  p.type = fw::PropertyType::kEvent;
  p.set_handler = [set](fw::Component& c, const std::any& handler) {
    const auto* e = std::any_cast<TsuiTitleBarButtonClickEvent>(&handler);
    if (e == nullptr) throw std::bad_any_cast();
    (static_cast<TsuiForm&>(c).*set)(*e);
  };
  return p;
}

const std::vector<std::string>& FontStyleNames() {
  static const std::vector<std::string> names = {"fsBold", "fsItalic", "fsUnderline",
                                                 "fsStrikeOut"};
  return names;
}

}  // namespace

int GMaxCount = 0;
bool GMdiMaxLayout = false;

// ---------------------------------------------------------------------------------------
// Menu bar class

TsuiMenuBar::TsuiMenuBar(TsuiForm* frame) : fw::ToolBar(frame), frame_(frame) {}

const fw::ClassInfo& TsuiMenuBar::StaticClassInfo() {
  static const fw::ClassInfo info("TsuiMenuBar", &fw::ToolBar::StaticClassInfo());
  return info;
}

// ---------------------------------------------------------------------------------------
// Class information

const fw::ClassInfo& TsuiForm::StaticClassInfo() {
  using T = TsuiForm;
  static const fw::RegisteredClassInfo info = [] {
    fw::ClassInfo i("TsuiForm", &fw::Panel::StaticClassInfo(),
                    [](fw::Component* o) { return new TsuiForm(o); });
    i.Add(fw::BoolProperty<T>("TitleBarCustom", &T::TitleBarCustom, &T::SetTitleBarCustom));
    i.Add(fw::ReferenceProperty<T, TsuiFileTheme>("FileTheme", &T::FileTheme, &T::SetFileTheme));
    i.Add(fw::EnumProperty<T, TsuiUIStyle>("UIStyle", UIStyleNames(), &T::UIStyle, &T::SetUIStyle));
    i.Add(fw::BoolProperty<T>("UIStyleAutoUpdateSub", &T::UIStyleAutoUpdateSub,
                              &T::SetUIStyleAutoUpdateSub));
    i.Add(fw::ColorProperty<T>("BorderColor", &T::BorderColor, &T::SetBorderColor));
    i.Add(fw::IntegerProperty<T>("BorderWidth", &T::BorderWidth, &T::SetBorderWidth));
    i.Add(fw::BoolProperty<T>("TitleBarVisible", &T::TitleBarVisible, &T::SetTitleBarVisible));
    i.Add(fw::EnumProperty<T, BiDiMode>("BiDiMode", BiDiModeNames(), &T::GetBiDiMode,
                                        &T::SetBiDiMode));
    i.Add(fw::ColorProperty<fw::Control>("Color", &fw::Control::GetColor, &fw::Control::SetColor));
    {
      fw::PropertyInfo caption;
      caption.name = "Caption";
      caption.type = fw::PropertyType::kString;
      caption.get = [](const fw::Component& c) {
        return fw::Value::String(static_cast<const T&>(c).GetCaption());
      };
      caption.set = [](fw::Component& c, const fw::Value& v) {
        static_cast<T&>(c).SetCaption(fw::ValueToString(v));
      };
      i.Add(std::move(caption));
    }
    i.Add(
        fw::ReferenceProperty<T, fw::CustomControl>("FormPanel", &T::FormPanel, &T::SetFormPanel));
    i.Add(CollectionProperty<T, TsuiTitleBarButtons>("TitleBarButtons", &T::TitleBarButtons));
    i.Add(CollectionProperty<T, TsuiTitleBarSections>("TitleBarSections", &T::TitleBarSections));
    i.Add(fw::BoolProperty<T>("TitleBarDrawAppIcon", &T::TitleBarDrawAppIcon,
                              &T::SetTitleBarDrawAppIcon));
    i.Add(TitleFontProperty(
        "Font.Name", fw::PropertyType::kString,
        [](const fw::Font& f) { return fw::Value::String(f.Name()); },
        [](fw::Font& f, const fw::Value& v) { f.SetName(fw::ValueToString(v)); }));
    i.Add(TitleFontProperty(
        "Font.Height", fw::PropertyType::kInteger,
        [](const fw::Font& f) { return fw::Value::Integer(f.Height()); },
        [](fw::Font& f, const fw::Value& v) { f.SetHeight(int(fw::ValueToInteger(v))); }));
    i.Add(TitleFontProperty(
        "Font.Size", fw::PropertyType::kInteger,
        [](const fw::Font& f) { return fw::Value::Integer(f.Size()); },
        [](fw::Font& f, const fw::Value& v) { f.SetSize(int(fw::ValueToInteger(v))); }));
    i.Add(TitleFontProperty(
        "Font.Color", fw::PropertyType::kColor,
        [](const fw::Font& f) { return fw::Value::Integer(f.Color()); },
        [](fw::Font& f, const fw::Value& v) { f.SetColor(fw::ValueToColor(v)); }));
    i.Add(TitleFontProperty(
        "Font.Charset", fw::PropertyType::kInteger,
        [](const fw::Font& f) { return fw::Value::Integer(f.Charset()); },
        [](fw::Font& f, const fw::Value& v) {
          if (v.kind == fw::Value::Kind::kIdentifier)
            f.SetCharset(fw::SameText(v.text, "GB2312_CHARSET") ? fw::GB2312_CHARSET
                         : fw::SameText(v.text, "ANSI_CHARSET") ? fw::ANSI_CHARSET
                                                                : fw::DEFAULT_CHARSET);
          else
            f.SetCharset(int(fw::ValueToInteger(v)));
        }));
    {
      fw::PropertyInfo style = TitleFontProperty(
          "Font.Style", fw::PropertyType::kSet,
          [](const fw::Font& f) {
            std::vector<std::string> on;
            for (size_t b = 0; b < FontStyleNames().size(); ++b)
              if (f.Style() & (1u << b)) on.push_back(FontStyleNames()[b]);
            return fw::Value::Set(on);
          },
          [](fw::Font& f, const fw::Value& v) { f.SetStyle(fw::ValueToSet(v, FontStyleNames())); });
      style.names = FontStyleNames();
      i.Add(std::move(style));
    }
    i.Add(fw::ReferenceProperty<T, fw::MainMenu>("Menu", &T::Menu, &T::SetMenu));
    i.Add(fw::ColorProperty<T>("MenuBarColor", &T::MenuBarColor, &T::SetMenuBarColor));
    i.Add(fw::IntegerProperty<T>("MenuBarHeight", &T::MenuBarHeight, &T::SetMenuBarHeight));
    i.Add(fw::IntegerProperty<T>("RoundCorner", &T::RoundCorner, &T::SetRoundCorner));
    i.Add(fw::IntegerProperty<T>("RoundCornerBottom", &T::RoundCornerBottom,
                                 &T::SetRoundCornerBottom));
    i.Add(fw::ReferenceProperty<fw::Control, fw::PopupMenu>("PopupMenu", &fw::Control::GetPopupMenu,
                                                            &fw::Control::SetPopupMenu));
    i.Add(fw::StringProperty<T>("Version", &T::Version, &T::SetVersion));
    i.Add(TitleBarEventProperty("OnTitleBarCustomBtnsClick", &T::SetOnTitleBarCustomBtnsClick));
    i.Add(TitleBarEventProperty("OnTitleBarHelpBtnClick", &T::SetOnTitleBarHelpBtnClick));
    i.Add(fw::EventProperty<fw::Control>("OnMouseDown", &fw::Control::OnMouseDown));
    i.Add(fw::EventProperty<fw::Control>("OnMouseMove", &fw::Control::OnMouseMove));
    i.Add(fw::EventProperty<fw::Control>("OnClick", &fw::Control::OnClick));
    i.Add(fw::EventProperty<fw::Control>("OnMouseUp", &fw::Control::OnMouseUp));
    return i;
  }();
  return info;
}

// ---------------------------------------------------------------------------------------
// Attaching and detaching

TsuiForm::TsuiForm(fw::Component* owner) : fw::Panel(owner) {
  auto* host = dynamic_cast<fw::Form*>(owner);
  if (host == nullptr) return;
  for (const fw::Control* child : host->Controls())
    if (IsFrame(child)) return;  // a host carries one frame; this one stays a plain panel
  Attach(*host);
}

void TsuiForm::Attach(fw::Form& host) {
  host_ = &host;
  detached_ = false;
  bottom_buffer_ = fw::Bitmap(0, 0, fw::PixelFormat::k24Bit);
  title_need_region_ = bottom_need_region_ = false;

  host.SetBorderWidth(0);
  create_bounds_ = host.BoundsRect();
  created_maximized_ = host.GetWindowState() == fw::WindowState::kMaximized;
  // The frame sits on the host before anything is styled, so that the title bar finds the
  // form it sets the minimum size of.
  SetParent(&host);

  title_bar_ = new TsuiTitleBar(this);
  title_bar_->SetParent(this);
  menu_bar_ = nullptr;
  menu_bar_color_ = GetColor();
  menu_bar_height_ = 22;

  SetUIStyle(TsuiUIStyle::DeepBlue);
  ui_style_auto_update_sub_ = false;

  SetBevelOuter(fw::BevelCut::kNone);
  SetBevelInner(fw::BevelCut::kNone);
  fw::Panel::SetBorderStyle(fw::ControlBorder::kNone);
  SetAlign(fw::Align::kClient);

  SetCaption(host.Caption());
  SetTitleBarVisible(true);
  title_bar_wanted_ = true;
  internal_toggle_ = false;
  // One blank, so that the panel itself paints no caption.
  fw::Panel::SetCaption(" ");

  host.SetScaled(false);
  old_border_style_ = host.GetBorderStyle();
  switch (old_border_style_) {
    case fw::BorderStyle::kNone:
    case fw::BorderStyle::kSingle:
    case fw::BorderStyle::kSizeToolWin:
      host.SetBorderStyle(fw::BorderStyle::kDialog);
      break;
    default:
      break;
  }
  host.SetWindowStyle(host.WindowStyle() & ~fw::WS_CAPTION);
  host.SetAutoScroll(false);

  old_wnd_proc_ = host.WindowProc;
  host.WindowProc = [this](fw::Message& m) { HostWndProc(m); };
  app_hook_ = fw::App().AddMessageHook(
      [this](fw::WinControl* target, fw::Message& m) { return AppMessageHook(target, m); });

  host.SetWindowPos(kFrameRefresh);
}

TsuiForm::~TsuiForm() {
  Detach();
  if (app_hook_ != 0 && fw::HasApp()) fw::App().RemoveMessageHook(app_hook_);
  app_hook_ = 0;
  // The bars go first, while the frame is whole; they must not be reached half destroyed.
  delete std::exchange(menu_bar_, nullptr);
  delete std::exchange(title_bar_, nullptr);
  BeginDestruction();
}

void TsuiForm::Detach() {
  if (host_ == nullptr || detached_) return;
  if (auto* skinned = dynamic_cast<TsuiMainMenu*>(menu_)) skinned->SetMenuBarHost(nullptr);
  detached_ = true;
  // The host gets its own procedure back even while it is going away, so that nothing it
  // still hears reaches this frame; one that stays also gets its caption back.
  if (old_wnd_proc_) host_->WindowProc = old_wnd_proc_;
  if (!host_->IsDestroying()) {
    host_->SetWindowStyle(host_->WindowStyle() | fw::WS_CAPTION);
    host_->SetWindowPos(kFrameRefresh);
  }
}

void TsuiForm::StripCaption() {
  if (host_ == nullptr || (host_->WindowStyle() & fw::WS_CAPTION) == 0) return;
  host_->SetWindowStyle(host_->WindowStyle() & ~fw::WS_CAPTION);
  host_->SetWindowPos(kFrameRefresh);
}

void TsuiForm::Notification(fw::Component* component, fw::Operation operation) {
  fw::Panel::Notification(component, operation);
  if (operation != fw::Operation::kRemove || component == nullptr) return;
  if (component == form_panel_) form_panel_ = nullptr;
  if (component == menu_) {
    // The menu is on its way out: it is not touched any more.
    menu_ = nullptr;
    DestroyMenuBar();
  }
  if (component == file_theme_) {
    file_theme_ = nullptr;
    PropagateTheme(*this, TsuiUIStyle::DeepBlue, nullptr);
    SetUIStyle(TsuiUIStyle::DeepBlue);
  }
  if (component == title_bar_) title_bar_ = nullptr;
  if (component == menu_bar_) menu_bar_ = nullptr;
}

void TsuiForm::Loaded() {
  fw::Panel::Loaded();
  // Only a multiple-document child would need its region once more here.
}

void TsuiForm::Resized() {
  fw::Panel::Resized();
  if (title_bar_ != nullptr) title_bar_->SetAlign(fw::Align::kTop);
}

// ---------------------------------------------------------------------------------------
// Styles

void TsuiForm::SetUIStyle(TsuiUIStyle style) {
  ui_style_ = style;
  if (host_ == nullptr || title_bar_ == nullptr) return;
  ApplyStyle();
}

void TsuiForm::SetFileTheme(TsuiFileTheme* theme) {
  if (theme == file_theme_) return;
  if (file_theme_ != nullptr) file_theme_->RemoveFreeNotification(this);
  file_theme_ = theme;
  if (file_theme_ != nullptr) file_theme_->FreeNotification(this);
  SetUIStyle(ui_style_);
}

void TsuiForm::ApplyStyle() {
  const ResolvedStyle resolved = ResolveStyle(file_theme_, ui_style_);
  if (resolved.use_theme)
    ApplyThemeLook();
  else
    ApplyBuiltInLook(resolved.style);

  title_bar_->SetFileTheme(file_theme_);
  title_bar_->SetUIStyle(ui_style_);
  if (auto* skinned = dynamic_cast<TsuiMainMenu*>(menu_)) {
    skinned->SetUIStyle(ui_style_);
    skinned->SetFileTheme(file_theme_);
  }
  if (ui_style_auto_update_sub_) PropagateTheme(*this, ui_style_, file_theme_);

  host_->SetWindowPos(kFrameRefresh);
  Invalidate();
  PaintFrame();
  UpdateRegion();
  // The title bar set a minimum height of its own; the frame's counts the menu bar and the
  // bottom border as well. The minimum width stays the title bar's.
  host_->SetMinHeight(title_bar_->Height() + menu_bar_height_ + bottom_edge_ + kTopBand);
}

void TsuiForm::ApplyThemeLook() {
  const TsuiFileTheme& theme = *file_theme_;
  SetColor(fw::Color(theme.GetThemeColor(ThemeColor::kFormColor)));
  SetMenuBarColor(fw::Color(theme.GetThemeColor(ThemeColor::kMenuBarStartColor)));
  auto width_of = [&](ThemeBitmap item) {
    auto picture = theme.GetThemeBitmap(item);
    return picture ? picture->Width() : 0;
  };
  left_edge_ = width_of(ThemeBitmap::kFormLeftBorder);
  right_edge_ = width_of(ThemeBitmap::kFormRightBorder);
  {
    auto bottom = theme.GetThemeBitmap(ThemeBitmap::kFormBottomBorder1);
    bottom_edge_ = bottom ? bottom->Height() : 0;
  }
  trans_color_ = fw::Color(theme.GetThemeColor(ThemeColor::kTransColor));
  title_need_region_ = theme.GetThemeBool(ThemeBool::kTitleBarNeedRegion);
  bottom_need_region_ = theme.GetThemeBool(ThemeBool::kBottomBorderNeedRegion);
  // The title bar's full image must exist before the region is cut from it.
  title_bar_->PaintNow();
  if (bottom_need_region_) {
    bottom_buffer_.SetTransparent(true);
    bottom_buffer_.SetTransparentColor(trans_color_);
  }
  region_limits_ = {theme.GetThemeInt(ThemeInt::kTitleBarRegionMinY),
                    theme.GetThemeInt(ThemeInt::kTitleBarRegionMaxY),
                    theme.GetThemeInt(ThemeInt::kBottomRegionMinY),
                    theme.GetThemeInt(ThemeInt::kBottomRegionMaxY)};
}

void TsuiForm::ApplyBuiltInLook(TsuiUIStyle style) {
  SetRoundCornerBottom(0);
  bottom_edge_ = left_edge_ = right_edge_ = 0;
  trans_color_ = 0xFF00FF;
  SetBorderColor(GetStyleColor(style, StyleItem::kBorderColour));
  SetBorderWidth(GetStyleInt(style, StyleItem::kBorderWidth));
  SetColor(GetStyleColor(style, StyleItem::kClientColour));
  SetMenuBarColor(GetColor());
  SetRoundCorner(GetStyleInt(style, StyleItem::kRoundCorner));
}

// ---------------------------------------------------------------------------------------
// Properties

bool TsuiForm::TitleBarCustom() const {
  return title_bar_ != nullptr && title_bar_->Custom();
}

void TsuiForm::SetTitleBarCustom(bool on) {
  if (title_bar_ != nullptr) title_bar_->SetCustom(on);
}

void TsuiForm::SetBorderColor(fw::Color color) {
  border_color_ = color;
  PaintFrame();
}

void TsuiForm::SetBorderWidth(int width) {
  border_width_ = width;
  // The bottom band's height follows the width, so the border is measured again.
  if (host_ != nullptr) host_->SetWindowPos(kFrameRefresh);
  PaintFrame();
}

bool TsuiForm::TitleBarVisible() const {
  return title_bar_ != nullptr && title_bar_->Visible();
}

void TsuiForm::SetTitleBarVisible(bool on) {
  if (title_bar_ == nullptr || title_bar_->Visible() == on) return;
  if (!internal_toggle_) title_bar_wanted_ = on;
  title_bar_->SetVisible(on);
  title_bar_->SetTop(0);
  PaintFrame();
  // Without a title the top corners are square again.
  UpdateRegion();
}

std::string TsuiForm::GetCaption() const {
  return title_bar_ != nullptr ? title_bar_->GetCaption() : fw::Panel::GetCaption();
}

void TsuiForm::SetCaption(const std::string& text) {
  if (title_bar_ == nullptr) {
    fw::Panel::SetCaption(text);
    return;
  }
  title_bar_->SetCaption(text);
  if (host_ != nullptr && host_->Caption() != text) host_->SetCaption(text);
}

void TsuiForm::SetFormPanel(fw::CustomControl* panel) {
  if (panel == this) {
    fw::App().ShowException("Sorry, you can't select the Form assign to FormPanel property");
    return;
  }
  if (form_panel_ != nullptr) form_panel_->RemoveFreeNotification(this);
  form_panel_ = panel;
  if (panel == nullptr) return;
  panel->FreeNotification(this);
  panel->SetAlign(fw::Align::kClient);
  if (auto* plain = dynamic_cast<fw::Panel*>(panel)) {
    plain->SetBevelOuter(fw::BevelCut::kNone);
    plain->SetBevelInner(fw::BevelCut::kNone);
    plain->SetBorderStyle(fw::ControlBorder::kNone);
    plain->SetCaption("");
  } else if (fw::SameText(panel->ClassName(), "TsuiImagePanel")) {
    panel->SetCaption("");
  }
}

TsuiTitleBarButtons& TsuiForm::TitleBarButtons() {
  return title_bar_ != nullptr ? title_bar_->Buttons() : spare_buttons_;
}

void TsuiForm::SetTitleBarButtons(const TsuiTitleBarButtons& buttons) {
  TitleBarButtons().Assign(buttons);
}

TsuiTitleBarSections& TsuiForm::TitleBarSections() {
  return title_bar_ != nullptr ? title_bar_->Sections() : spare_sections_;
}

void TsuiForm::SetTitleBarSections(const TsuiTitleBarSections& sections) {
  TitleBarSections().Assign(sections);
}

bool TsuiForm::TitleBarDrawAppIcon() const {
  return title_bar_ == nullptr || title_bar_->DrawAppIcon();
}

void TsuiForm::SetTitleBarDrawAppIcon(bool on) {
  if (title_bar_ != nullptr) title_bar_->SetDrawAppIcon(on);
}

fw::Font TsuiForm::TitleFont() const {
  return title_bar_ != nullptr ? title_bar_->GetFont() : GetFont();
}

void TsuiForm::SetTitleFont(const fw::Font& font) {
  if (title_bar_ != nullptr) title_bar_->SetFont(font);
}

void TsuiForm::SetMenuBarColor(fw::Color color) {
  menu_bar_color_ = color;
  if (menu_bar_ != nullptr) menu_bar_->SetColor(color);
}

void TsuiForm::SetMenuBarHeight(int height) {
  menu_bar_height_ = height;
  if (menu_bar_ == nullptr) return;
  menu_bar_->SetHeight(height);
  menu_bar_->SetButtonHeight(height);
  for (fw::ToolButton* button : menu_bar_->Buttons()) button->SetHeight(height);
}

int TsuiForm::RoundCorner() const {
  return TitleBarVisible() ? title_bar_->RoundCorner() : 0;
}

void TsuiForm::SetRoundCorner(int size) {
  if (title_bar_ == nullptr) return;
  title_bar_->SetRoundCorner(size);
  UpdateRegion();
}

int TsuiForm::RoundCornerBottom() const {
  return TitleBarVisible() ? title_bar_->RoundCornerBottom() : 0;
}

void TsuiForm::SetRoundCornerBottom(int size) {
  if (title_bar_ == nullptr) return;
  title_bar_->SetRoundCornerBottom(size);
  UpdateRegion();
}

TsuiTitleBarButtonClickEvent TsuiForm::OnTitleBarCustomBtnsClick() const {
  return title_bar_ != nullptr ? title_bar_->OnCustomBtnsClick : nullptr;
}

void TsuiForm::SetOnTitleBarCustomBtnsClick(TsuiTitleBarButtonClickEvent handler) {
  if (title_bar_ != nullptr) title_bar_->OnCustomBtnsClick = std::move(handler);
}

TsuiTitleBarButtonClickEvent TsuiForm::OnTitleBarHelpBtnClick() const {
  return title_bar_ != nullptr ? title_bar_->OnHelpBtnClick : nullptr;
}

void TsuiForm::SetOnTitleBarHelpBtnClick(TsuiTitleBarButtonClickEvent handler) {
  if (title_bar_ != nullptr) title_bar_->OnHelpBtnClick = std::move(handler);
}

int TsuiForm::TitleAreaHeight() const {
  return TitleBarVisible() ? title_bar_->Height() + kTopBand : 0;
}

}  // namespace somnara::skin
