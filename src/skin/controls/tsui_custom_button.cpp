#include "skin/controls/tsui_custom_button.h"

#include <algorithm>

#include "framework/controls/accelerator.h"
#include "framework/form.h"
#include "framework/graphics/canvas.h"
#include "skin/styles/sui_public.h"
#include "skin/styles/sui_style_catalogue.h"
#include "skin/theme/tsui_file_theme.h"

namespace somnara::skin {
namespace {

// The face drawn when the style's or theme's picture cannot be had: one frame of the
// built-in faces' usual size.
constexpr int kBlankFaceWidth = 74;
constexpr int kBlankFaceHeight = 21;

constexpr fw::Color kEmbossLight = fw::clWhite;
constexpr fw::Color kEmbossText = fw::MakeColor(128, 128, 128);

bool IsClickKey(uint32_t key) {
  return key == fw::VK_SPACE || key == fw::VK_RETURN;
}

bool BlankText(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

}  // namespace

const fw::ClassInfo& TsuiCustomButton::StaticClassInfo() {
  static const fw::ClassInfo info("TsuiCustomButton", &fw::CustomControl::StaticClassInfo());
  return info;
}

TsuiCustomButton::TsuiCustomButton(fw::Component* owner) : fw::CustomControl(owner) {
  SetTabStop(true);
}

TsuiCustomButton::~TsuiCustomButton() {
  BeginDestruction();
  if (file_theme_ != nullptr) file_theme_->RemoveFreeNotification(this);
}

void TsuiCustomButton::SetFileTheme(TsuiFileTheme* theme) {
  if (file_theme_ != nullptr) file_theme_->RemoveFreeNotification(this);
  file_theme_ = theme;
  if (file_theme_ != nullptr) file_theme_->FreeNotification(this);
  SetUIStyle(ui_style_);
}

void TsuiCustomButton::SetUIStyle(TsuiUIStyle style) {
  ui_style_ = style;
  ApplyStyle();
  Invalidate();
}

void TsuiCustomButton::Notification(fw::Component* component, fw::Operation operation) {
  fw::CustomControl::Notification(component, operation);
  if (operation == fw::Operation::kRemove && component != nullptr && component == file_theme_) {
    file_theme_ = nullptr;
    SetUIStyle(TsuiUIStyle::DeepBlue);
  }
}

void TsuiCustomButton::SetDefault(bool on) {
  default_ = on;
  // Every button of the form hears of it as of a focus change and decides again.
  if (fw::Form* form = ParentForm())
    form->Perform(fw::CM_FOCUSCHANGED);
  else
    default_active_ = on;
}

void TsuiCustomButton::SetTransparent(bool on) {
  fw::CustomControl::SetTransparent(on);
  UpdateTransparent();
}

void TsuiCustomButton::UpdateTransparent() {
  draw_transparent_ = Transparent();
  Invalidate();
}

void TsuiCustomButton::SetAutoSize(bool on) {
  auto_size_ = on;
  UpdateAutoSize();
}

// The size of one frame of the style's face strip. The skin theme is not asked: a button
// of FromThemeFile finds no catalogue picture and takes the sizes of an empty one.
void TsuiCustomButton::UpdateAutoSize() {
  if (!auto_size_) return;
  fw::Bitmap strip;
  try {
    GetStyleBitmap(ui_style_, StyleItem::kButton, &strip);
  } catch (const fw::Exception&) {
    strip = fw::Bitmap();  // a missing picture sizes like an empty one
  }
  const int height = strip.Height() == 0 ? kBlankFaceHeight : strip.Height();
  const int width = strip.Width() == 0 ? kBlankFaceWidth : strip.Width();
  SetBounds(Left(), Top(), width / 3, height);
}

void TsuiCustomButton::SetFocusedRectMargin(int margin) {
  focused_rect_margin_ = margin;
  Invalidate();
}

void TsuiCustomButton::FaceFrame(fw::Bitmap& target, int frame) const {
  const ResolvedStyle resolved = ResolveStyle(file_theme_, ui_style_);
  if (resolved.use_theme)
    file_theme_->GetThemeFrame(ThemeBitmap::kButton, target, frame, 3);
  else
    GetStyleBitmap(resolved.style, StyleItem::kButton, &target, frame, 3);
}

void TsuiCustomButton::GetNormalImage(fw::Bitmap& target) {
  FaceFrame(target, 1);
}
void TsuiCustomButton::GetMouseOnImage(fw::Bitmap& target) {
  FaceFrame(target, 2);
}
void TsuiCustomButton::GetDownImage(fw::Bitmap& target) {
  FaceFrame(target, 3);
}
void TsuiCustomButton::GetDisabledImage(fw::Bitmap& target) {
  FaceFrame(target, 1);
}

void TsuiCustomButton::Click() {
  if (down_) {
    StopRepeat();
    down_ = false;
    Invalidate();
  }
  // Also a result of 0 is handed on: the button decides the form's result, whatever it was.
  if (Parent() != nullptr)
    if (fw::Form* form = ParentForm()) form->SetModalResult(modal_result_);
  fw::CustomControl::Click();
}

void TsuiCustomButton::CancelMode() {
  hot_ = false;
  down_ = false;
  StopRepeat();
  Invalidate();
}

void TsuiCustomButton::StartRepeat() {
  if (!in_repeat_tick_) stopped_timer_.reset();
  repeat_timer_ = std::make_unique<fw::Timer>(nullptr);
  repeat_timer_->SetInterval(std::max(repeat_interval_, 0));
  repeat_timer_->SetOnTimer([this](fw::Component*) {
    in_repeat_tick_ = true;
    struct Done {
      bool& flag;
      ~Done() { flag = false; }
    } done{in_repeat_tick_};
    if (OnMouseContinuouslyDown) OnMouseContinuouslyDown(this);
  });
}

void TsuiCustomButton::StopRepeat() {
  if (repeat_timer_ == nullptr) return;
  repeat_timer_->SetEnabled(false);
  // A handler of the tick may end the press; the timer running it must outlive the tick.
  if (in_repeat_tick_)
    stopped_timer_ = std::move(repeat_timer_);
  else
    repeat_timer_.reset();
}

void TsuiCustomButton::MouseDown(fw::MouseButton button, unsigned shift, int x, int y) {
  if (button == fw::MouseButton::kLeft) {
    down_ = true;
    if (repeat_timer_ == nullptr) StartRepeat();
    if (TabStop() && CanFocus()) {
      try {
        SetFocus();
      } catch (const fw::Exception&) {
        // The press works without the focus.
      }
    }
    Invalidate();
  }
  fw::CustomControl::MouseDown(button, shift, x, y);
}

void TsuiCustomButton::MouseMove(unsigned shift, int x, int y) {
  if (x < 0 || y < 0 || x > Width() || y > Height()) {
    hot_ = false;
    down_ = false;
    Invalidate();
  }
  fw::CustomControl::MouseMove(shift, x, y);
}

void TsuiCustomButton::MouseEnter() {
  hot_ = true;
  Invalidate();
  fw::CustomControl::MouseEnter();
}

void TsuiCustomButton::MouseLeave() {
  hot_ = false;
  down_ = false;
  StopRepeat();
  Invalidate();
  if (OnMouseExit) OnMouseExit(this);
  fw::CustomControl::MouseLeave();
}

void TsuiCustomButton::KeyDown(uint32_t& key, unsigned shift) {
  if (IsClickKey(key) && Focused() && Enabled()) {
    down_ = true;
    Invalidate();
  }
  fw::CustomControl::KeyDown(key, shift);
}

void TsuiCustomButton::KeyUp(uint32_t& key, unsigned shift) {
  const bool click = IsClickKey(key) && Focused() && down_ && Enabled();
  fw::CustomControl::KeyUp(key, shift);
  if (click) {
    down_ = false;
    Invalidate();
    Click();
  }
}

void TsuiCustomButton::FocusChanged() {
  fw::Form* form = ParentForm();
  fw::Control* focused = form != nullptr ? form->ActiveControl() : nullptr;
  if (dynamic_cast<TsuiCustomButton*>(focused) != nullptr)
    default_active_ = focused == this;
  else
    default_active_ = default_;
  Invalidate();
}

void TsuiCustomButton::TextChanged() {
  CaptionChanged();
  Invalidate();
}

void TsuiCustomButton::WndProc(fw::Message& m) {
  switch (m.msg) {
    case fw::CM_DIALOGKEY: {
      const auto key = uint32_t(m.wParam);
      const unsigned shift = unsigned(m.lParam) & (fw::ssShift | fw::ssAlt | fw::ssCtrl);
      if (shift == 0 && CanFocus() &&
          ((key == fw::VK_RETURN && default_active_) || (key == fw::VK_ESCAPE && cancel_))) {
        Click();
        m.result = 1;
        return;
      }
      break;
    }
    case fw::CM_DIALOGCHAR:
      if (fw::IsAccel(char32_t(m.wParam), Caption()) && Enabled() && Parent() != nullptr &&
          Parent()->Enabled()) {
        Click();
        m.result = 1;
      } else {
        m.result = 0;
      }
      return;
    case fw::CM_FOCUSCHANGED:
      FocusChanged();
      break;
    case fw::WM_LBUTTONUP: {
      fw::CustomControl::WndProc(m);
      // However the press ended (released outside, or on a button disabled meanwhile), it is
      // over: nothing repeats and nothing shows pressed any more.
      if (down_ || repeat_timer_ != nullptr) {
        down_ = false;
        StopRepeat();
        Invalidate();
      }
      return;
    }
    default:
      break;
  }
  fw::CustomControl::WndProc(m);
}

void TsuiCustomButton::Paint() {
  if (Width() <= 0 || Height() <= 0) return;
  fw::Bitmap face;
  try {
    if (!Enabled())
      GetDisabledImage(face);
    else if (down_)
      GetDownImage(face);
    else if (hot_)
      GetMouseOnImage(face);
    else
      GetNormalImage(face);
  } catch (const fw::Exception&) {
    face.Clear();
  }
  if (face.Empty()) face = fw::Bitmap(kBlankFaceWidth, kBlankFaceHeight);
  face.SetTransparent(draw_transparent_);

  fw::Bitmap picture(Width(), Height());
  fw::Canvas& canvas = picture.GetCanvas();
  if (Transparent()) {
    PaintParentBackground(canvas, *this);
  } else {
    canvas.Brush().SetColor(GetColor());
    canvas.FillRect(ClientRect());
  }
  DrawFace(canvas, face);
  if (Focused() && TabStop()) DrawFocus(canvas);
  if (!BlankText(Caption())) {
    canvas.Font() = GetFont();
    DrawCaption(canvas);
  }
  GetCanvas().Draw(0, 0, picture);
}

void TsuiCustomButton::DrawFace(fw::Canvas& canvas, const fw::Bitmap& face) {
  fw::Bitmap keyed = face;
  keyed.SetTransparent(draw_transparent_);
  if (draw_transparent_) keyed.SetTransparentColor(face.GetPixel(0, 0));
  canvas.Draw(0, 0, keyed);
}

void TsuiCustomButton::DrawCaption(fw::Canvas& canvas) {
  canvas.Brush().SetStyle(fw::BrushStyle::kClear);
  if (bold_caption_) canvas.Font().SetBold(true);
  Rect client = ClientRect();
  if (down_) client = client.Offset(1, 1);
  const unsigned flags = fw::DT_WORDBREAK | fw::DT_EXPANDTABS;
  Rect text = client;
  canvas.DrawText(Caption(), text, flags | fw::DT_CALCRECT);
  text = text.Offset((client.Width() - text.Width()) / 2, (client.Height() - text.Height()) / 2);
  if (!Enabled()) {
    const fw::Color colour = canvas.Font().Color();
    Rect light = text.Offset(1, 1);
    canvas.Font().SetColor(kEmbossLight);
    canvas.DrawText(Caption(), light, flags | fw::DT_CENTER);
    canvas.Font().SetColor(kEmbossText);
    canvas.DrawText(Caption(), text, flags | fw::DT_CENTER);
    canvas.Font().SetColor(colour);
  } else {
    canvas.DrawText(Caption(), text, flags | fw::DT_CENTER);
  }
  bold_caption_ = false;
}

void TsuiCustomButton::DrawFocus(fw::Canvas& canvas) {
  const int m = focused_rect_margin_;
  canvas.DrawFocusRect(ClientRect().Inflate(-m, -m));
}

}  // namespace somnara::skin
