#include "skin/frame/tsui_title_bar_button.h"

#include <algorithm>

#include "framework/application.h"
#include "framework/controls/popup_menu.h"
#include "framework/form.h"
#include "skin/frame/tsui_title_bar.h"
#include "skin/frame/work_area.h"
#include "skin/styles/sui_public.h"
#include "skin/styles/sui_style_catalogue.h"
#include "skin/theme/tsui_file_theme.h"

namespace somnara::skin {

namespace {

// The strip holds six triples (normal, hovered, pressed): control box, help, maximise,
// restore, minimise, close.
constexpr int kStripPieces = 18;
constexpr int kControlBoxPiece = 1;
constexpr int kHelpPiece = 4;
constexpr int kMaximisePiece = 7;
constexpr int kRestorePiece = 10;
constexpr int kMinimisePiece = 13;
constexpr int kClosePiece = 16;

int FirstPiece(TsuiTitleBarBtnType type) {
  switch (type) {
    case TsuiTitleBarBtnType::suiControlBox:
      return kControlBoxPiece;
    case TsuiTitleBarBtnType::suiHelp:
      return kHelpPiece;
    case TsuiTitleBarBtnType::suiMax:
      return kMaximisePiece;
    case TsuiTitleBarBtnType::suiMin:
      return kMinimisePiece;
    case TsuiTitleBarBtnType::suiClose:
      return kClosePiece;
    case TsuiTitleBarBtnType::suiCustom:
      break;
  }
  return 0;
}

}  // namespace

const std::vector<std::string>& TitleBarBtnTypeNames() {
  static const std::vector<std::string> names = {"suiMax",  "suiMin",        "suiClose",
                                                 "suiHelp", "suiControlBox", "suiCustom"};
  return names;
}

TsuiTitleBar* TsuiTitleBarButton::TitleBar() const {
  return buttons_->TitleBar();
}

void TsuiTitleBarButton::SetUIStyle(TsuiUIStyle style) {
  ui_style_ = style;
  UpdatePictures();
}

void TsuiTitleBarButton::SetButtonType(TsuiTitleBarBtnType type) {
  if (type == TsuiTitleBarBtnType::suiControlBox && buttons_->HasControlBoxOtherThan(this)) {
    fw::App().ShowException(
        "Sorry, only one button's ButtonType property can be \"suiControlBox\"");
    return;
  }
  type_ = type;
  UpdatePictures();
  Changed();
}

void TsuiTitleBarButton::SetTransparent(bool on) {
  transparent_ = on;
  Changed();
}

void TsuiTitleBarButton::SetTop(int top) {
  top_ = top;
  Changed();
}

void TsuiTitleBarButton::SetControlBoxMenu(fw::PopupMenu* menu) {
  control_box_menu_ = menu;
  if (TsuiTitleBar* bar = TitleBar(); bar != nullptr && menu != nullptr)
    menu->FreeNotification(bar);
  Changed();
}

void TsuiTitleBarButton::SetVisible(bool on) {
  visible_ = on;
  Changed();
}

void TsuiTitleBarButton::SetPicNormal(const fw::Bitmap& picture) {
  pic_normal_ = picture;
  Changed();
}

void TsuiTitleBarButton::SetPicMouseOn(const fw::Bitmap& picture) {
  pic_mouse_on_ = picture;
  Changed();
}

void TsuiTitleBarButton::SetPicMouseDown(const fw::Bitmap& picture) {
  pic_mouse_down_ = picture;
  Changed();
}

void TsuiTitleBarButton::LoadPieces(int first) {
  TsuiTitleBar* bar = TitleBar();
  const TsuiFileTheme* theme = bar != nullptr ? bar->FileTheme() : nullptr;
  const ResolvedStyle resolved = ResolveStyle(theme, ui_style_);
  fw::Bitmap strip;
  if (resolved.use_theme) {
    if (auto picture = theme->GetThemeBitmap(ThemeBitmap::kTitleButtons)) strip = *picture;
  } else {
    GetStyleBitmap(resolved.style, StyleItem::kTitleButtons, &strip);
  }
  fw::Bitmap* targets[] = {&pic_normal_, &pic_mouse_on_, &pic_mouse_down_};
  for (int i = 0; i < 3; ++i) {
    if (strip.Width() < kStripPieces) {
      targets[i]->Clear();
      continue;
    }
    SplitPiece(strip, *targets[i], kStripPieces, first + i);
    targets[i]->SetTransparent(false);
  }
}

void TsuiTitleBarButton::UpdatePictures() {
  TsuiTitleBar* bar = TitleBar();
  const TsuiFileTheme* theme = bar != nullptr ? bar->FileTheme() : nullptr;
  const ResolvedStyle resolved = ResolveStyle(theme, ui_style_);
  transparent_ = resolved.use_theme
                     ? theme->GetThemeBool(ThemeBool::kTitleBtnTrans)
                     : GetStyleBool(resolved.style, StyleItem::kTitleButtonsTransparent);
  if (type_ == TsuiTitleBarBtnType::suiCustom) return;
  LoadPieces(FirstPiece(type_));
  top_ = resolved.use_theme ? theme->GetThemeInt(ThemeInt::kTitleBarButtonPosY)
                            : GetStyleInt(resolved.style, StyleItem::kTitleButtonTop);
  if (type_ == TsuiTitleBarBtnType::suiMax) UpdateMaxRestore();
}

void TsuiTitleBarButton::UpdateMaxRestore() {
  TsuiTitleBar* bar = TitleBar();
  if (bar == nullptr || bar->Custom()) return;
  fw::Form* form = bar->ParentForm();
  const bool maximised = form != nullptr && form->GetWindowState() == fw::WindowState::kMaximized;
  LoadPieces(maximised ? kRestorePiece : kMaximisePiece);
  Changed();
}

void TsuiTitleBarButton::DoClick() {
  TsuiTitleBar* bar = TitleBar();
  fw::Form* form = bar != nullptr ? bar->ParentForm() : nullptr;
  if (form == nullptr) return;
  switch (type_) {
    case TsuiTitleBarBtnType::suiMax:
      if (form->GetWindowState() == fw::WindowState::kMaximized) {
        form->SetWindowState(fw::WindowState::kNormal);
      } else {
        form->SetWindowState(fw::WindowState::kMaximized);
        // Inside a frame the frame fits the window to the work area itself; alone, the
        // window's edges are pushed just past the work area so no border line shows.
        if (!bar->InFrame()) {
          const Rect work = WorkAreaRect();
          form->SetBounds(work.left - 2, work.top - 2, work.Width() + 4, work.Height() + 1);
        }
      }
      UpdateMaxRestore();
      return;
    case TsuiTitleBarBtnType::suiMin:
      bar->MinimizeForm();
      return;
    case TsuiTitleBarBtnType::suiClose:
      form->Close();
      return;
    case TsuiTitleBarBtnType::suiControlBox:
      if (control_box_menu_ != nullptr) {
        const Point at = bar->ClientToScreen({0, bar->Height()});
        control_box_menu_->Popup(std::max(0, at.x), at.y);
      }
      return;
    case TsuiTitleBarBtnType::suiHelp:
    case TsuiTitleBarBtnType::suiCustom:
      return;
  }
}

void TsuiTitleBarButton::Assign(const TsuiTitleBarButton& other) {
  SetVisible(other.visible_);
  SetButtonType(other.type_);
  SetTransparent(other.transparent_);
  SetTop(other.top_);
  SetUIStyle(other.ui_style_);
  SetPicNormal(other.pic_normal_);
  SetPicMouseOn(other.pic_mouse_on_);
  SetPicMouseDown(other.pic_mouse_down_);
  SetControlBoxMenu(other.control_box_menu_);
}

int TsuiTitleBarButton::Index() const {
  return buttons_->IndexOf(this);
}

void TsuiTitleBarButton::Changed() {
  buttons_->Changed();
}

TsuiTitleBarButton& TsuiTitleBarButtons::Add() {
  items_.push_back(std::make_unique<TsuiTitleBarButton>(*this));
  Changed();
  return *items_.back();
}

void TsuiTitleBarButtons::Clear() {
  items_.clear();
  Changed();
}

void TsuiTitleBarButtons::Assign(const TsuiTitleBarButtons& other) {
  if (&other == this) return;
  Clear();
  for (const auto& item : other.items_) Add().Assign(*item);
}

int TsuiTitleBarButtons::IndexOf(const TsuiTitleBarButton* button) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == button) return int(i);
  return -1;
}

bool TsuiTitleBarButtons::HasControlBoxOtherThan(const TsuiTitleBarButton* except) const {
  for (const auto& item : items_)
    if (item.get() != except && item->ButtonType() == TsuiTitleBarBtnType::suiControlBox)
      return true;
  return false;
}

bool TsuiTitleBarButtons::HasVisible(TsuiTitleBarBtnType type) const {
  for (const auto& item : items_)
    if (item->Visible() && item->ButtonType() == type) return true;
  return false;
}

void TsuiTitleBarButtons::Changed() {
  ++generation_;
  if (title_bar_ != nullptr) title_bar_->Invalidate();
}

const std::vector<ItemProperty<TsuiTitleBarButton>>& TsuiTitleBarButtons::ItemProperties() {
  using B = TsuiTitleBarButton;
  auto picture = [](const fw::Bitmap& (B::*get)() const, void (B::*set)(const fw::Bitmap&)) {
    return std::pair{[get](const B& b) { return PictureValue((b.*get)()); },
                     [set](B& b, const fw::Value& v) { (b.*set)(PictureFromValue(v)); }};
  };
  auto [normal_get, normal_set] = picture(&B::PicNormal, &B::SetPicNormal);
  auto [on_get, on_set] = picture(&B::PicMouseOn, &B::SetPicMouseOn);
  auto [down_get, down_set] = picture(&B::PicMouseDown, &B::SetPicMouseDown);
  static const std::vector<ItemProperty<B>> list = {
      {"UIStyle", [](const B& b) { return fw::Value::Identifier(UIStyleName(b.UIStyle())); },
       [](B& b, const fw::Value& v) {
         b.SetUIStyle(TsuiUIStyle(fw::ValueToEnum(v, UIStyleNames())));
       }},
      {"ButtonType",
       [](const B& b) {
         return fw::Value::Identifier(TitleBarBtnTypeNames()[size_t(b.ButtonType())]);
       },
       [](B& b, const fw::Value& v) {
         b.SetButtonType(TsuiTitleBarBtnType(fw::ValueToEnum(v, TitleBarBtnTypeNames())));
       }},
      {"Transparent", [](const B& b) { return fw::Value::Bool(b.Transparent()); },
       [](B& b, const fw::Value& v) { b.SetTransparent(fw::ValueToBool(v)); }},
      {"Top", [](const B& b) { return fw::Value::Integer(b.Top()); },
       [](B& b, const fw::Value& v) { b.SetTop(int(fw::ValueToInteger(v))); }},
      {"ControlBoxMenu", [](const B& b) { return fw::Value::Of(b.ControlBoxMenu()); },
       [](B& b, const fw::Value& v) {
         auto* menu = v.kind == fw::Value::Kind::kComponent
                          ? dynamic_cast<fw::PopupMenu*>(v.component)
                          : nullptr;
         b.SetControlBoxMenu(menu);
       }},
      {"Visible", [](const B& b) { return fw::Value::Bool(b.Visible()); },
       [](B& b, const fw::Value& v) { b.SetVisible(fw::ValueToBool(v)); }},
      {"PicNormal", normal_get, normal_set},
      {"PicMouseOn", on_get, on_set},
      {"PicMouseDown", down_get, down_set},
  };
  return list;
}

}  // namespace somnara::skin
