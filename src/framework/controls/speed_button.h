#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "framework/control.h"
#include "framework/graphics/bitmap.h"

namespace somnara::fw {

enum class ButtonLayout { kGlyphLeft, kGlyphRight, kGlyphTop, kGlyphBottom };
inline const std::vector<std::string> kButtonLayoutNames = {"blGlyphLeft", "blGlyphRight",
                                                            "blGlyphTop", "blGlyphBottom"};

// A tool button painted by its parent, with a glyph and a caption. With a GroupIndex above
// 0 it latches: a click leaves it down, and the buttons of the same group on the same
// parent come up; with AllowAllUp the next click brings it up again.
class SpeedButton : public GraphicControl {
 public:
  enum class State { kUp, kDisabled, kDown, kExclusive };

  explicit SpeedButton(Component* owner);
  ~SpeedButton() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  bool Flat() const { return flat_; }
  void SetFlat(bool on);
  // The bottom-left pixel's colour is transparent. With NumGlyphs > 1 the bitmap holds
  // that many pictures side by side: up, disabled, down, latched down.
  const fw::Bitmap& Glyph() const { return glyph_; }
  void SetGlyph(const fw::Bitmap& glyph);
  int NumGlyphs() const { return num_glyphs_; }
  void SetNumGlyphs(int count);
  int GroupIndex() const { return group_index_; }
  void SetGroupIndex(int index);
  bool AllowAllUp() const { return allow_all_up_; }
  void SetAllowAllUp(bool on);
  bool Down() const { return down_; }
  void SetDown(bool down);
  ButtonLayout Layout() const { return layout_; }
  void SetLayout(ButtonLayout layout);
  // Pixels from the edge to the glyph; -1 centres glyph and caption together.
  int Margin() const { return margin_; }
  void SetMargin(int margin);
  // Pixels between glyph and caption; -1 spreads them evenly.
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);

  State ButtonState() const { return state_; }

  // Published glyph data.
  std::vector<uint8_t> GlyphBytes() const;
  void SetGlyphBytes(std::span<const uint8_t> bytes);

 protected:
  void Paint() override;
  void WndProc(Message& message) override;
  void MouseDown(MouseButton button, unsigned shift, int x, int y) override;
  void MouseMove(unsigned shift, int x, int y) override;
  void MouseUp(MouseButton button, unsigned shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void EnabledChanged() override;
  // The part of the glyph bitmap for a state (disabled made from the up picture when the
  // bitmap has no picture of its own for it).
  fw::Bitmap GlyphFor(State state) const;
  // Places glyph and caption in the client area.
  void CalcLayout(Size glyph, Size text, Point& glyph_pos, Rect& text_rect) const;

 private:
  void UpdateExclusive();

  bool flat_ = false;
  fw::Bitmap glyph_;
  int num_glyphs_ = 1;
  int group_index_ = 0;
  bool allow_all_up_ = false;
  bool down_ = false;
  ButtonLayout layout_ = ButtonLayout::kGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  State state_ = State::kUp;
  bool dragging_ = false;
};

}  // namespace somnara::fw
