#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "skin/theme/tsui_file_theme.h"

namespace somnara::skin {

// A skin theme whose skin file is stored inside the window description of the form that
// owns it (SkinData), so that no skin file has to be shipped. The stored bytes are read
// straight from memory.
class TsuiBuiltInFileTheme : public TsuiFileTheme {
 public:
  explicit TsuiBuiltInFileTheme(fw::Component* owner);
  ~TsuiBuiltInFileTheme() override;
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  // The skin file chosen when the skin was embedded, published as ThemeFile. Setting it
  // also loads that file, as setting the theme's file does; the stored SkinData is
  // unaffected.
  std::string DesignThemeFile() const { return design_theme_file_; }
  void SetDesignThemeFile(const std::string& path);

  // The complete bytes of the stored skin file. Setting them loads the skin from them.
  // Reading gives what a stored description would carry: the bytes of the file named by
  // DesignThemeFile when that file exists, else the bytes last set.
  std::vector<uint8_t> SkinData() const;
  void SetSkinData(std::span<const uint8_t> bytes);

 protected:
  // A password change reloads the stored bytes when the skin in use came from them.
  void Reload() override;

 private:
  std::string design_theme_file_;
  std::vector<uint8_t> skin_data_;
};

}  // namespace somnara::skin
