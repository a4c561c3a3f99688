#pragma once

#include <array>
#include <string>

#include "framework/control.h"
#include "skin/controls/tsui_dialog.h"

namespace somnara::skin {

enum class TsuiIconType : uint8_t { suiNone, suiWarning, suiStop, suiInformation, suiHelp };
inline const std::vector<std::string> kIconTypeNames = {"suiNone", "suiWarning", "suiStop",
                                                        "suiInformation", "suiHelp"};

// A modal message box in the skinned look: a caption, an optional icon, a word-wrapped
// text and one to three skinned buttons, the first (leftmost) focused and the highest-
// numbered at the right edge. ShowModal answers the modal result of the button chosen;
// with the default texts 1 means "OK".
class TsuiMessageDialog : public TsuiDialog {
 public:
  static constexpr int kMaxButtons = 3;

  explicit TsuiMessageDialog(fw::Component* owner);
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  fw::Cursor ButtonCursor() const { return button_cursor_; }
  void SetButtonCursor(fw::Cursor cursor) { button_cursor_ = cursor; }
  // 1 to 3; other values are taken as the nearer end.
  int ButtonCount() const { return button_count_; }
  void SetButtonCount(int count);
  // Buttons are numbered 1 to 3.
  const std::string& ButtonCaption(int number) const;
  void SetButtonCaption(int number, const std::string& caption);
  int ButtonModalResult(int number) const;
  void SetButtonModalResult(int number, int result);
  TsuiIconType IconType() const { return icon_type_; }
  void SetIconType(TsuiIconType type) { icon_type_ = type; }
  std::string Text() const { return text_; }
  void SetText(const std::string& text) { text_ = text; }

  // Builds the box, shows it modally, frees it and answers its modal result.
  int ShowModal() override;

 private:
  fw::Cursor button_cursor_ = fw::Cursor::kHandPoint;
  int button_count_ = 1;
  std::array<std::string, kMaxButtons> captions_ = {"OK", "Cancel", "Cancel"};
  std::array<int, kMaxButtons> results_ = {fw::mrOk, fw::mrCancel, fw::mrCancel};
  TsuiIconType icon_type_ = TsuiIconType::suiNone;
  std::string text_ = "Hello world!";
};

}  // namespace somnara::skin
