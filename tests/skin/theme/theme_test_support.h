#pragma once

// Small skins made on the spot, a scratch folder, and a skinned control stand-in that
// publishes FileTheme and UIStyle the way the real skinned controls do.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "framework/class_info.h"
#include "framework/component.h"
#include "framework/form.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/bmp_codec.h"
#include "framework/win_control.h"
#include "skin/styles/tsui_theme_base.h"
#include "skin/styles/tsui_ui_style.h"
#include "skinwriter/skin_archive_writer.h"
#include "skinwriter/skin_container_writer.h"
#include "temp_folder.h"

namespace somnara::skin::testing {

constexpr int32_t Rgb(int r, int g, int b) {
  return r | (g << 8) | (b << 16);
}

// A picture whose columns all differ, so that frames cut from it can be told apart.
inline fw::Bitmap Strip(int width, int height) {
  fw::Bitmap b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b.SetPixel(x, y, fw::MakeColor(x % 256, x / 256, y * 9));
  return b;
}

// Which pixel column of Strip() a picture's first column came from.
inline int StripColumn(const fw::Bitmap& b) {
  const fw::Color c = b.GetPixel(0, 0);
  return int(c & 0xFF) + 256 * int((c >> 8) & 0xFF);
}

// A skin with a button strip, a form colour, one number and one switch; nothing else.
struct SmallSkin {
  int button_width = 232;
  int32_t form_colour = Rgb(10, 20, 30);
  int32_t button_pos_y = 7;
  uint8_t button_trans = 1;
  std::string password;

  std::vector<uint8_t> Build() const {
    skinwriter::SkinContainerWriter items;
    items.AddBitmap("SKIN2_BUTTON", fw::EncodeBmp24(Strip(button_width, 5)));
    items.AddInteger("SKIN2_FORMCOLOR", form_colour);
    items.AddInteger("SKIN2_TITLEBARBUTTONPOSY", button_pos_y);
    items.AddByte("SKIN2_BUTTONTRANS", button_trans);
    skinwriter::SkinArchiveWriter archive;
    skinwriter::EntryOptions options;
    options.password = password;
    archive.AddEntry("SKINDATA.SK2", items.Build(), options);
    return archive.Build();
  }
};

// A private folder, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder() {
    path_ = somnara::testing::MakeTempFolder("skin-theme-");
    if (path_.empty()) ADD_FAILURE() << "no scratch folder";
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    const std::filesystem::path file = path_ / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return file.string();
  }
  std::string Path() const { return path_.string(); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// A skinned control as far as a theme can see: FileTheme and UIStyle published by name.
// It records each FileTheme it is given and whether that theme was ready at that moment,
// and, like the real controls, falls back to DeepBlue when its theme goes away.
class ThemeProbe : public fw::CustomControl {
 public:
  explicit ThemeProbe(fw::Component* owner) : fw::CustomControl(owner) {}

  TsuiThemeBase* FileTheme() const { return theme_; }
  void SetFileTheme(TsuiThemeBase* theme) {
    if (theme_ != nullptr) theme_->RemoveFreeNotification(this);
    theme_ = theme;
    if (theme_ != nullptr) theme_->FreeNotification(this);
    writes.push_back(theme == nullptr ? "nil" : theme->Name() + (theme->Ready() ? "+" : "-"));
    auto* form = dynamic_cast<fw::Form*>(Owner());
    form_visible_when_written.push_back(form != nullptr && form->Visible());
  }
  TsuiUIStyle UIStyle() const { return style_; }
  void SetUIStyle(TsuiUIStyle style) { style_ = style; }

  void Notification(fw::Component* component, fw::Operation operation) override {
    fw::CustomControl::Notification(component, operation);
    if (operation == fw::Operation::kRemove && component == theme_) {
      // The theme must still answer while it tells its users it goes.
      removed_theme_ready = theme_->Ready();
      removed_theme_class = theme_->ClassName();
      theme_ = nullptr;
      style_ = TsuiUIStyle::DeepBlue;
    }
  }

  std::vector<std::string> writes;
  std::vector<bool> form_visible_when_written;
  bool removed_theme_ready = false;
  std::string removed_theme_class;

 protected:
  static fw::ClassInfo MakeInfo(const char* name) {
    fw::ClassInfo info(name, &fw::CustomControl::StaticClassInfo());
    fw::AddControlProperties(info);
    info.Add(fw::ReferenceProperty<ThemeProbe, TsuiThemeBase>("FileTheme", &ThemeProbe::FileTheme,
                                                              &ThemeProbe::SetFileTheme));
    info.Add(fw::EnumProperty<ThemeProbe, TsuiUIStyle>(
        "UIStyle", UIStyleNames(), &ThemeProbe::UIStyle, &ThemeProbe::SetUIStyle));
    return info;
  }

 private:
  TsuiThemeBase* theme_ = nullptr;
  TsuiUIStyle style_ = TsuiUIStyle::DeepBlue;
};

// A skinned control class: its name begins with "Tsui".
class SkinnedProbe : public ThemeProbe {
 public:
  using ThemeProbe::ThemeProbe;
  static const fw::ClassInfo& StaticClassInfo() {
    static const fw::ClassInfo info = MakeInfo("TsuiProbe");
    return info;
  }
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }
};

// The skinned window frame, known by its class name.
class FrameProbe : public ThemeProbe {
 public:
  using ThemeProbe::ThemeProbe;
  static const fw::ClassInfo& StaticClassInfo() {
    static const fw::ClassInfo info = MakeInfo("TsuiForm");
    return info;
  }
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }
};

// A control of another library with the same two properties.
class ForeignProbe : public ThemeProbe {
 public:
  using ThemeProbe::ThemeProbe;
  static const fw::ClassInfo& StaticClassInfo() {
    static const fw::ClassInfo info = MakeInfo("TOtherSkinned");
    return info;
  }
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }
};

}  // namespace somnara::skin::testing
