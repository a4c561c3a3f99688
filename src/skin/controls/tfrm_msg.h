#pragma once

#include <string>

#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/form.h"

namespace somnara::skin {

class TsuiForm;

// The window of the skinned message box: a dialog-bordered window carrying a DeepBlue
// skinned frame, the text label `lbl` and the icon `Image1` on it. The message dialog fills
// it in and adds the buttons.
class TfrmMsg : public fw::Form {
 public:
  explicit TfrmMsg(fw::Component* owner);
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  TsuiForm* suiForm1 = nullptr;
  fw::Label* lbl = nullptr;
  fw::Image* Image1 = nullptr;

  // The box as text: caption, text and the captions of its buttons between lines of
  // hyphens, lines ending in CR LF.
  std::string ClipboardText() const;
  // Puts ClipboardText on the desktop's clipboard; false when it could not be put there.
  bool CopyToClipboard() const;

  void KeyDown(uint32_t& key, unsigned shift) override;

 private:
  void FormShow();
};

}  // namespace somnara::skin
