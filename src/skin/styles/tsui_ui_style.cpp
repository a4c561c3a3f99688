#include "skin/styles/tsui_ui_style.h"

#include "framework/class_info.h"
#include "framework/form.h"
#include "skin/styles/tsui_theme_base.h"

namespace somnara::skin {

namespace {

// The skinned window frame is known here only by its class name: the frame lives in the
// layer above and publishes its style like every other skinned control.
constexpr std::string_view kFrameClassName = "TsuiForm";

bool IsSkinnedFrame(const fw::Component& c) {
  for (const fw::ClassInfo* info = &c.GetClassInfo(); info != nullptr; info = info->Parent())
    if (fw::SameText(info->Name(), kFrameClassName)) return true;
  return false;
}

std::optional<TsuiUIStyle> StyleOfValue(const fw::Value& v) {
  if (v.kind == fw::Value::Kind::kIdentifier || v.kind == fw::Value::Kind::kString)
    return UIStyleFromName(v.text);
  if (v.kind == fw::Value::Kind::kInteger && v.integer >= 0 &&
      v.integer <= int64_t(TsuiUIStyle::BlueGlass))
    return TsuiUIStyle(v.integer);
  return std::nullopt;
}

}  // namespace

const std::vector<std::string>& UIStyleNames() {
  static const std::vector<std::string> names = {"FromThemeFile", "MacOS",   "WinXP",
                                                 "DeepBlue",      "Protein", "BlueGlass"};
  return names;
}

const std::string& UIStyleName(TsuiUIStyle style) {
  const auto& names = UIStyleNames();
  size_t i = size_t(style);
  return i < names.size() ? names[i] : names[size_t(TsuiUIStyle::DeepBlue)];
}

std::optional<TsuiUIStyle> UIStyleFromName(std::string_view name) {
  const auto& names = UIStyleNames();
  for (size_t i = 0; i < names.size(); ++i)
    if (fw::SameText(names[i], name)) return TsuiUIStyle(i);
  return std::nullopt;
}

ResolvedStyle ResolveStyle(const TsuiThemeBase* file_theme, TsuiUIStyle ui_style) {
  if (ui_style != TsuiUIStyle::FromThemeFile) {
    // A value outside the enumeration (a damaged description) must not reach the tables.
    if (size_t(ui_style) >= UIStyleNames().size()) return {false, TsuiUIStyle::DeepBlue};
    return {false, ui_style};
  }
  if (file_theme != nullptr && file_theme->Ready()) return {true, TsuiUIStyle::FromThemeFile};
  return {false, TsuiUIStyle::DeepBlue};
}

TsuiUIStyle OwnerFormStyle(const fw::Component* owner) {
  const auto* form = dynamic_cast<const fw::Form*>(owner);
  if (form == nullptr) return TsuiUIStyle::DeepBlue;
  for (const fw::Control* child : form->Controls()) {
    if (!IsSkinnedFrame(*child)) continue;
    if (!fw::HasProperty(*child, "UIStyle")) return TsuiUIStyle::DeepBlue;
    return StyleOfValue(fw::GetProperty(*child, "UIStyle")).value_or(TsuiUIStyle::DeepBlue);
  }
  return TsuiUIStyle::DeepBlue;
}

}  // namespace somnara::skin
