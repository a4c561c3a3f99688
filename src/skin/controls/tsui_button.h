#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "framework/controls/speed_button.h"
#include "framework/graphics/bitmap.h"
#include "skin/controls/tsui_custom_button.h"

namespace somnara::skin {

// The push button of the skinned windows: its face strip stretched over any size by
// nine-slice drawing, an optional glyph beside the caption, and the focus shown as the
// style likes it (a dotted rectangle, or for MacOS and BlueGlass a bold caption).
class TsuiButton : public TsuiCustomButton {
 public:
  explicit TsuiButton(fw::Component* owner);
  ~TsuiButton() override;
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  // A glyph twice as wide as high holds an enabled and a disabled picture side by side.
  const fw::Bitmap& Glyph() const { return glyph_; }
  void SetGlyph(const fw::Bitmap& glyph);
  std::vector<uint8_t> GlyphBytes() const;
  void SetGlyphBytes(std::span<const uint8_t> bytes);
  fw::ButtonLayout Layout() const { return layout_; }
  void SetLayout(fw::ButtonLayout layout);
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);

 protected:
  // Transparency and caption colour of the style in force.
  void ApplyStyle() override;
  void DrawFace(fw::Canvas& canvas, const fw::Bitmap& face) override;
  void DrawCaption(fw::Canvas& canvas) override;
  void DrawFocus(fw::Canvas& canvas) override;

 private:
  Size CaptionSize(fw::Canvas& canvas) const;

  fw::Bitmap glyph_;
  fw::ButtonLayout layout_ = fw::ButtonLayout::kGlyphLeft;
  int spacing_ = 4;
};

}  // namespace somnara::skin
