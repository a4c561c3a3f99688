#include "skin/controls/tsui_message_dialog.h"

#include <algorithm>
#include <memory>

#include "framework/application.h"
#include "framework/graphics/bitmap.h"
#include "skin/controls/tfrm_msg.h"
#include "skin/controls/tsui_button.h"
#include "skin/frame/tsui_form.h"
#include "skin/styles/sui_public.h"
#include "skin/styles/sui_style_bitmaps.h"
#include "skin/theme/tsui_file_theme.h"

namespace somnara::skin {
namespace {

// The layout of the box around its text.
constexpr int kTextLeftWithIcon = 88;
constexpr int kTextLeftWithoutIcon = 24;
constexpr int kIconlessShrink = 64;  // the icon's column, given up without an icon
constexpr int kButtonGap = 20;       // between the text (or icon) and the buttons
constexpr int kButtonWidth = 73;
constexpr int kButtonHeight = 25;
constexpr int kButtonRightInset = 97;  // from the window's right edge to a button's left
constexpr int kButtonPitch = 93;
constexpr int kBottomMargin = 75;  // window height below the text's bottom
constexpr int kIconFrames = 4;     // MSGDLG: warning, stop, information, help

int Clamp(int number) {
  return std::clamp(number, 1, TsuiMessageDialog::kMaxButtons);
}

}  // namespace

const fw::ClassInfo& TsuiMessageDialog::StaticClassInfo() {
  using T = TsuiMessageDialog;
  static const fw::RegisteredClassInfo info = [] {
    fw::ClassInfo i("TsuiMessageDialog", &TsuiDialog::StaticClassInfo(),
                    [](fw::Component* o) { return new TsuiMessageDialog(o); });
    i.Add(fw::EnumProperty<T, fw::Cursor>("ButtonCursor", fw::kCursorNames, &T::ButtonCursor,
                                          &T::SetButtonCursor));
    i.Add(fw::IntegerProperty<T>("ButtonCount", &T::ButtonCount, &T::SetButtonCount));
    for (int n = 1; n <= kMaxButtons; ++n) {
      const std::string prefix = "Button" + std::to_string(n);
      fw::PropertyInfo caption;
      caption.name = prefix + "Caption";
      caption.type = fw::PropertyType::kString;
      caption.get = [n](const fw::Component& c) {
        return fw::Value::String(static_cast<const T&>(c).ButtonCaption(n));
      };
      caption.set = [n](fw::Component& c, const fw::Value& v) {
        static_cast<T&>(c).SetButtonCaption(n, fw::ValueToString(v));
      };
      i.Add(std::move(caption));
      fw::PropertyInfo result;
      result.name = prefix + "ModalResult";
      result.type = fw::PropertyType::kInteger;
      result.get = [n](const fw::Component& c) {
        return fw::Value::Integer(static_cast<const T&>(c).ButtonModalResult(n));
      };
      result.set = [n](fw::Component& c, const fw::Value& v) {
        static_cast<T&>(c).SetButtonModalResult(n, int(fw::ValueToInteger(v)));
      };
      i.Add(std::move(result));
    }
    i.Add(fw::EnumProperty<T, TsuiIconType>("IconType", kIconTypeNames, &T::IconType,
                                            &T::SetIconType));
    i.Add(fw::StringProperty<T>("Text", &T::Text, &T::SetText));
    return i;
  }();
  return info;
}

TsuiMessageDialog::TsuiMessageDialog(fw::Component* owner) : TsuiDialog(owner) {}

void TsuiMessageDialog::SetButtonCount(int count) {
  button_count_ = Clamp(count);
}

const std::string& TsuiMessageDialog::ButtonCaption(int number) const {
  return captions_[size_t(Clamp(number) - 1)];
}
void TsuiMessageDialog::SetButtonCaption(int number, const std::string& caption) {
  captions_[size_t(Clamp(number) - 1)] = caption;
}
int TsuiMessageDialog::ButtonModalResult(int number) const {
  return results_[size_t(Clamp(number) - 1)];
}
void TsuiMessageDialog::SetButtonModalResult(int number, int result) {
  results_[size_t(Clamp(number) - 1)] = result;
}

int TsuiMessageDialog::ShowModal() {
  // The box lives for this call only, whatever way it ends.
  std::unique_ptr<TfrmMsg> form(new TfrmMsg(&fw::App()));
  form->AfterConstruction();
  form->SetFont(GetFont());

  form->lbl->SetCaption(text_);
  // Taken while the icon still has its designed size, so the buttons never come closer to
  // the text's top than a 40-pixel icon would reach.
  const int bottom = std::max(form->Image1->Top() + form->Image1->Height(),
                              form->lbl->Top() + form->lbl->Height());

  if (icon_type_ != TsuiIconType::suiNone) {
    form->lbl->SetLeft(kTextLeftWithIcon);
    // Without the picture the box still shows, with an empty icon place.
    fw::Bitmap strip;
    if (LoadStyleBitmap("MSGDLG", strip)) {
      fw::Bitmap icon;
      SplitPiece(strip, icon, kIconFrames, int(icon_type_));
      form->Image1->GetPicture().AssignBitmap(icon);
    }
  } else {
    form->lbl->SetLeft(kTextLeftWithoutIcon);
    form->Image1->Hide();
    if (button_count_ < 3) form->SetWidth(form->Width() - kIconlessShrink);
  }

  // Right to left: the highest-numbered button at the right edge, button 1 last, leftmost
  // and focused.
  const int width = form->Width();
  std::vector<TsuiButton*> buttons;
  for (int i = 0; i < button_count_; ++i) {
    auto* button = new TsuiButton(form.get());
    button->SetParent(form->suiForm1);
    button->SetBounds(width - kButtonRightInset - kButtonPitch * i, bottom + kButtonGap,
                      kButtonWidth, kButtonHeight);
    button->SetCursor(button_cursor_);
    button->SetTabStop(true);
    button->SetTabOrder(1);
    const int number = button_count_ - i;
    button->SetCaption(ButtonCaption(number));
    button->SetModalResult(ButtonModalResult(number));
    form->SetActiveControl(button);
    buttons.push_back(button);
  }
  for (TsuiButton* button : buttons) {
    const bool cancel = button->ModalResult() == fw::mrCancel;
    button->SetCancel(cancel);
    button->SetDefault(!cancel && button->ModalResult() == fw::mrOk);
  }

  form->SetHeight(bottom + kBottomMargin);
  form->SetPosition(GetPosition());
  TsuiForm& frame = *form->suiForm1;
  frame.StripCaption();
  frame.SetCaption(Caption());
  frame.SetFileTheme(FileTheme());
  frame.SetUIStyle(UIStyle());
  frame.SetTitleFont(CaptionFont());

  return form->ShowModal();
}

}  // namespace somnara::skin
