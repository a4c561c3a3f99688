#pragma once

// Small stand-ins for the skinned classes, published by name the way the real ones are:
// a window frame class named TsuiForm, a control with FileTheme and UIStyle, a theme.

#include <string>
#include <vector>

#include "framework/class_info.h"
#include "framework/win_control.h"
#include "skin/styles/tsui_theme_base.h"
#include "skin/styles/tsui_ui_style.h"

namespace somnara::skin::testing {

class FakeTheme : public TsuiThemeBase {
 public:
  explicit FakeTheme(fw::Component* owner, bool ready = true)
      : TsuiThemeBase(owner), ready_(ready) {}
  bool Ready() const override { return ready_; }
  void SetReady(bool ready) { ready_ = ready; }

 private:
  bool ready_;
};

// A control publishing UIStyle (and, when asked, FileTheme), recording every write.
class StyledControl : public fw::CustomControl {
 public:
  explicit StyledControl(fw::Component* owner) : fw::CustomControl(owner) {}
  TsuiUIStyle UIStyle() const { return style_; }
  void SetUIStyle(TsuiUIStyle s) {
    style_ = s;
    writes.push_back("UIStyle=" + UIStyleName(s));
  }
  TsuiThemeBase* FileTheme() const { return theme_; }
  void SetFileTheme(TsuiThemeBase* t) {
    theme_ = t;
    writes.push_back(std::string("FileTheme=") + (t ? t->Name() : "nil"));
  }
  std::vector<std::string> writes;

 protected:
  static fw::ClassInfo MakeInfo(const char* name, bool with_theme) {
    fw::ClassInfo info(name, &fw::CustomControl::StaticClassInfo());
    fw::AddControlProperties(info);
    if (with_theme)
      info.Add(fw::ReferenceProperty<StyledControl, TsuiThemeBase>(
          "FileTheme", &StyledControl::FileTheme, &StyledControl::SetFileTheme));
    info.Add(fw::EnumProperty<StyledControl, TsuiUIStyle>(
        "UIStyle", UIStyleNames(), &StyledControl::UIStyle, &StyledControl::SetUIStyle));
    return info;
  }

 private:
  TsuiUIStyle style_ = TsuiUIStyle::DeepBlue;
  TsuiThemeBase* theme_ = nullptr;
};

// Publishes FileTheme and UIStyle, like every skinned control.
class SkinnedControl : public StyledControl {
 public:
  using StyledControl::StyledControl;
  static const fw::ClassInfo& StaticClassInfo() {
    static const fw::ClassInfo info = MakeInfo("TsuiTestControl", true);
    return info;
  }
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }
};

// Publishes UIStyle only.
class StyleOnlyControl : public StyledControl {
 public:
  using StyledControl::StyledControl;
  static const fw::ClassInfo& StaticClassInfo() {
    static const fw::ClassInfo info = MakeInfo("TsuiStyleOnly", false);
    return info;
  }
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }
};

// Stands for the skinned window frame: recognised by its class name.
class FakeFrame : public StyledControl {
 public:
  using StyledControl::StyledControl;
  static const fw::ClassInfo& StaticClassInfo() {
    static const fw::ClassInfo info = MakeInfo("TsuiForm", true);
    return info;
  }
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }
};

// A class derived from the frame class.
class DerivedFrame : public FakeFrame {
 public:
  using FakeFrame::FakeFrame;
  static const fw::ClassInfo& StaticClassInfo() {
    static const fw::ClassInfo info("TMyFrame", &FakeFrame::StaticClassInfo());
    return info;
  }
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }
};

}  // namespace somnara::skin::testing
