#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace somnara::fw {
class Component;
}

namespace somnara::skin {

class TsuiThemeBase;

// Where a skinned control takes its look from: the skin theme it names, or one of the
// five built-in styles.
enum class TsuiUIStyle : uint8_t { FromThemeFile, MacOS, WinXP, DeepBlue, Protein, BlueGlass };

// The published names, by ordinal, as window descriptions write them.
const std::vector<std::string>& UIStyleNames();
const std::string& UIStyleName(TsuiUIStyle style);
// Without regard to letter case; none for an unknown name.
std::optional<TsuiUIStyle> UIStyleFromName(std::string_view name);

// The style in force for a control.
struct ResolvedStyle {
  bool use_theme = false;
  TsuiUIStyle style = TsuiUIStyle::DeepBlue;
  friend bool operator==(const ResolvedStyle&, const ResolvedStyle&) = default;
};

// A built-in style stays as it is. FromThemeFile uses the theme when there is one and it
// is ready; otherwise the control looks like DeepBlue.
ResolvedStyle ResolveStyle(const TsuiThemeBase* file_theme, TsuiUIStyle ui_style);

// The style a new skinned control starts with: the UIStyle of the first skinned window
// frame among the direct children of its owner form; DeepBlue when the owner is no form
// or carries no frame.
TsuiUIStyle OwnerFormStyle(const fw::Component* owner);

}  // namespace somnara::skin
