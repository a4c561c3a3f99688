#include "skin/controls/tfrm_msg.h"

#include "framework/events.h"
#include "platform/clipboard.h"
#include "platform/platform.h"
#include "skin/controls/tsui_button.h"
#include "skin/frame/tsui_form.h"
#include "skin/frame/tsui_title_bar.h"

namespace somnara::skin {
namespace {

constexpr fw::Color kDialogColor = 0xE8E8E8;
constexpr int kTextWidth = 225;

// The line between the parts of a copied box.
const std::string& Rule() {
  static const std::string rule(27, '-');
  return rule;
}

}  // namespace

const fw::ClassInfo& TfrmMsg::StaticClassInfo() {
  static const fw::RegisteredClassInfo info = fw::ClassInfo(
      "TfrmMsg", &fw::Form::StaticClassInfo(), [](fw::Component* o) { return new TfrmMsg(o); });
  return info;
}

// The stored layout, property by property in the order a description would apply it.
TfrmMsg::TfrmMsg(fw::Component* owner) : fw::Form(owner) {
  SetName("frmMsg");
  SetBorderStyle(fw::BorderStyle::kDialog);
  SetClientWidth(336);
  SetClientHeight(140);
  SetMinWidth(130);
  SetMinHeight(54);
  SetKeyPreview(true);
  SetScaled(false);
  OnShow = [this](fw::Component*) { FormShow(); };

  suiForm1 = new TsuiForm(this);
  suiForm1->SetName("suiForm1");
  suiForm1->SetUIStyle(TsuiUIStyle::DeepBlue);
  suiForm1->SetUIStyleAutoUpdateSub(true);
  suiForm1->SetBorderColor(fw::clBlack);
  suiForm1->SetBorderWidth(1);
  suiForm1->SetColor(kDialogColor);
  TsuiTitleBarButtons& buttons = suiForm1->TitleBarButtons();
  buttons.Clear();
  TsuiTitleBarButton& close = buttons.Add();
  close.SetUIStyle(TsuiUIStyle::DeepBlue);
  close.SetButtonType(TsuiTitleBarBtnType::suiClose);
  close.SetTop(2);
  suiForm1->SetTitleBarDrawAppIcon(false);
  fw::Font title;
  title.SetName("Tahoma");
  title.SetHeight(-11);
  title.SetBold(true);
  title.SetColor(fw::clWhite);
  suiForm1->SetTitleFont(title);
  suiForm1->SetMenuBarColor(kDialogColor);
  suiForm1->SetMenuBarHeight(22);
  suiForm1->SetRoundCorner(0);
  suiForm1->SetRoundCornerBottom(0);

  lbl = new fw::Label(this);
  lbl->SetName("lbl");
  lbl->SetParent(suiForm1);
  lbl->SetWordWrap(true);
  lbl->SetTransparent(true);
  lbl->SetBounds(88, 64, kTextWidth, lbl->Height());

  Image1 = new fw::Image(this);
  Image1->SetName("Image1");
  Image1->SetParent(suiForm1);
  Image1->SetBounds(24, 64, 40, 40);
  Image1->SetAutoSize(true);
}

// A skin whose left border is wide takes that much from the client area on both sides.
void TfrmMsg::FormShow() {
  const int border = int(Perform(SUIM_LEFTBORDERWIDTH));
  if (border > 6) SetWidth(Width() + 2 * border);
}

std::string TfrmMsg::ClipboardText() const {
  std::string buttons;
  bool first = true;
  for (fw::Component* c : Components()) {
    if (auto* b = dynamic_cast<TsuiButton*>(c)) {
      if (!first) buttons += "   ";
      buttons += b->Caption();
      first = false;
    }
  }
  const std::string br = "\r\n";
  return Rule() + br + suiForm1->GetCaption() + br + Rule() + br + lbl->Caption() + br + Rule() +
         br + buttons + br + Rule();
}

bool TfrmMsg::CopyToClipboard() const {
  platform::Clipboard* clipboard = platform::Current().clipboard;
  return clipboard != nullptr && clipboard->SetText(ClipboardText());
}

void TfrmMsg::KeyDown(uint32_t& key, unsigned shift) {
  fw::Form::KeyDown(key, shift);
  if (key == 'C' && (shift & (fw::ssCtrl | fw::ssAlt | fw::ssShift)) == fw::ssCtrl)
    CopyToClipboard();
}

}  // namespace somnara::skin
