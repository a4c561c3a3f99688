#include "framework/controls/speed_button.h"

#include <algorithm>

#include "framework/controls/accelerator.h"
#include "framework/controls/draw_helpers.h"
#include "framework/controls/property_helpers.h"
#include "framework/controls/stored_picture.h"
#include "framework/graphics/canvas.h"
#include "framework/win_control.h"

namespace somnara::fw {
namespace {
// Key colour of pictures made here; no glyph pixel is expected to have it.
constexpr Color kKey = MakeColor(0xFF, 0x00, 0xFE);
}  // namespace

const ClassInfo& SpeedButton::StaticClassInfo() {
  static const RegisteredClassInfo info = [] {
    ClassInfo i("TSpeedButton", &GraphicControl::StaticClassInfo(),
                [](Component* o) { return new SpeedButton(o); });
    i.Add(BoolProperty<SpeedButton>("Flat", &SpeedButton::Flat, &SpeedButton::SetFlat));
    i.Add(BinaryProperty<SpeedButton>("Glyph", &SpeedButton::GlyphBytes,
                                      &SpeedButton::SetGlyphBytes));
    i.Add(BinaryProperty<SpeedButton>("Glyph.Data", &SpeedButton::GlyphBytes,
                                      &SpeedButton::SetGlyphBytes));
    i.Add(IntegerProperty<SpeedButton>("NumGlyphs", &SpeedButton::NumGlyphs,
                                       &SpeedButton::SetNumGlyphs));
    i.Add(IntegerProperty<SpeedButton>("GroupIndex", &SpeedButton::GroupIndex,
                                       &SpeedButton::SetGroupIndex));
    i.Add(BoolProperty<SpeedButton>("AllowAllUp", &SpeedButton::AllowAllUp,
                                    &SpeedButton::SetAllowAllUp));
    i.Add(BoolProperty<SpeedButton>("Down", &SpeedButton::Down, &SpeedButton::SetDown));
    i.Add(EnumProperty<SpeedButton, ButtonLayout>("Layout", kButtonLayoutNames,
                                                  &SpeedButton::Layout, &SpeedButton::SetLayout));
    i.Add(IntegerProperty<SpeedButton>("Margin", &SpeedButton::Margin, &SpeedButton::SetMargin));
    i.Add(IntegerProperty<SpeedButton>("Spacing", &SpeedButton::Spacing, &SpeedButton::SetSpacing));
    i.Add(BoolProperty<Control>("Transparent", &Control::Transparent, &Control::SetTransparent));
    return i;
  }();
  return info;
}

SpeedButton::SpeedButton(Component* owner) : GraphicControl(owner) {
  SetBounds(0, 0, 23, 22);
  SetTransparent(true);
}

SpeedButton::~SpeedButton() {
  BeginDestruction();
}

void SpeedButton::SetFlat(bool on) {
  if (flat_ == on) return;
  flat_ = on;
  Invalidate();
}

void SpeedButton::SetGlyph(const fw::Bitmap& glyph) {
  glyph_ = glyph;
  // The number of pictures follows from a strip of square ones, as the desktop does it.
  if (!glyph_.Empty() && glyph_.Height() > 0 && glyph_.Width() % glyph_.Height() == 0) {
    int n = glyph_.Width() / glyph_.Height();
    if (n >= 1 && n <= 4) num_glyphs_ = n;
  }
  Invalidate();
}

void SpeedButton::SetNumGlyphs(int count) {
  num_glyphs_ = std::clamp(count, 1, 4);
  Invalidate();
}

std::vector<uint8_t> SpeedButton::GlyphBytes() const {
  if (glyph_.Empty()) return {};
  return glyph_.SaveToBytes();
}

void SpeedButton::SetGlyphBytes(std::span<const uint8_t> bytes) {
  fw::Bitmap b;
  if (!bytes.empty()) b.LoadFromBytes(StoredPictureFile(bytes));
  SetGlyph(b);
}

void SpeedButton::SetGroupIndex(int index) {
  if (group_index_ == index) return;
  group_index_ = index;
  UpdateExclusive();
}

void SpeedButton::SetAllowAllUp(bool on) {
  if (allow_all_up_ == on) return;
  allow_all_up_ = on;
  UpdateExclusive();
}

void SpeedButton::SetDown(bool down) {
  if (group_index_ == 0) down = false;
  if (down == down_) return;
  if (down_ && !allow_all_up_) return;
  down_ = down;
  if (down) {
    state_ = State::kExclusive;
  } else {
    state_ = Enabled() ? State::kUp : State::kDisabled;
  }
  Invalidate();
  if (down) UpdateExclusive();
}

// The buttons of one group on one parent share AllowAllUp, and only one of them is down.
void SpeedButton::UpdateExclusive() {
  if (group_index_ == 0 || Parent() == nullptr) return;
  for (Control* c : Parent()->Controls()) {
    auto* other = dynamic_cast<SpeedButton*>(c);
    if (other == nullptr || other == this || other->group_index_ != group_index_) continue;
    if (down_ && other->down_) {
      other->down_ = false;
      other->state_ = other->Enabled() ? State::kUp : State::kDisabled;
      other->Invalidate();
    }
    other->allow_all_up_ = allow_all_up_;
  }
}

void SpeedButton::SetLayout(ButtonLayout layout) {
  layout_ = layout;
  Invalidate();
}

void SpeedButton::SetMargin(int margin) {
  margin_ = std::max(-1, margin);
  Invalidate();
}

void SpeedButton::SetSpacing(int spacing) {
  spacing_ = std::max(-1, spacing);
  Invalidate();
}

void SpeedButton::EnabledChanged() {
  state_ = !Enabled() ? State::kDisabled : down_ ? State::kExclusive : State::kUp;
  Invalidate();
}

void SpeedButton::WndProc(Message& m) {
  if (m.msg == CM_DIALOGCHAR && IsAccel(char32_t(m.wParam), Caption()) && Enabled() && Visible() &&
      Parent() != nullptr && Parent()->Showing()) {
    Click();
    m.result = 1;
    return;
  }
  GraphicControl::WndProc(m);
}

void SpeedButton::MouseDown(MouseButton button, unsigned shift, int x, int y) {
  GraphicControl::MouseDown(button, shift, x, y);
  if (button == MouseButton::kLeft && Enabled()) {
    if (!down_) {
      state_ = State::kDown;
      Invalidate();
    }
    dragging_ = true;
  }
}

void SpeedButton::MouseMove(unsigned shift, int x, int y) {
  GraphicControl::MouseMove(shift, x, y);
  if (!dragging_) return;
  State next = down_ ? State::kExclusive : State::kUp;
  if (ClientRect().Contains({x, y})) next = down_ ? State::kExclusive : State::kDown;
  if (next != state_) {
    state_ = next;
    Invalidate();
  }
}

// The click itself follows (the framework calls Click when the button comes up inside).
void SpeedButton::MouseUp(MouseButton button, unsigned shift, int x, int y) {
  GraphicControl::MouseUp(button, shift, x, y);
  if (!dragging_ || button != MouseButton::kLeft) return;
  dragging_ = false;
  bool inside = ClientRect().Contains({x, y});
  if (group_index_ == 0) {
    state_ = State::kUp;
    Invalidate();
  } else if (inside) {
    SetDown(!down_);
    if (down_) state_ = State::kExclusive;
    Invalidate();
  } else {
    if (down_) state_ = State::kExclusive;
    Invalidate();
  }
}

void SpeedButton::MouseEnter() {
  GraphicControl::MouseEnter();
  if (flat_ && Enabled()) Invalidate();
}

void SpeedButton::MouseLeave() {
  GraphicControl::MouseLeave();
  if (flat_ && Enabled()) Invalidate();
}

fw::Bitmap SpeedButton::GlyphFor(State state) const {
  fw::Bitmap out;
  if (glyph_.Empty()) return out;
  int n = std::clamp(num_glyphs_, 1, 4);
  int w = glyph_.Width() / n, h = glyph_.Height();
  if (w <= 0) return out;
  int index = 0;
  switch (state) {
    case State::kUp:
      index = 0;
      break;
    case State::kDisabled:
      index = n > 1 ? 1 : -1;
      break;
    case State::kDown:
      index = n > 2 ? 2 : 0;
      break;
    case State::kExclusive:
      index = n > 3 ? 3 : n > 2 ? 2 : 0;
      break;
  }
  Color key = glyph_.GetPixel(0, h - 1);
  out = fw::Bitmap(w, h, glyph_.PixelFormat());
  if (index >= 0) {
    for (int y = 0; y < h; ++y)
      std::copy_n(glyph_.Scanline(y) + size_t(index) * size_t(w), size_t(w), out.Scanline(y));
    out.SetTransparentColor(key);
    out.SetTransparent(true);
    return out;
  }
  // A disabled picture made from the up picture: its dark pixels embossed in the button
  // shadow over a highlight copy one pixel down and right.
  out.Fill(kKey);
  auto dark = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= w || y >= h) return false;
    Color c = glyph_.GetPixel(x, y);
    if (c == key) return false;
    int lum = (RedOf(c) * 30 + GreenOf(c) * 59 + BlueOf(c) * 11) / 100;
    return lum < 192;
  };
  Color highlight = ResolveColor(clBtnHighlight), shadow = ResolveColor(clBtnShadow);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (dark(x, y))
        out.SetPixel(x, y, shadow);
      else if (dark(x - 1, y - 1))
        out.SetPixel(x, y, highlight);
    }
  out.SetTransparentColor(kKey);
  out.SetTransparent(true);
  return out;
}

void SpeedButton::CalcLayout(Size glyph, Size text, Point& glyph_pos, Rect& text_rect) const {
  const int w = Width(), h = Height();
  bool horizontal = layout_ == ButtonLayout::kGlyphLeft || layout_ == ButtonLayout::kGlyphRight;
  Point tp;
  if (horizontal) {
    glyph_pos.y = (h - glyph.height + 1) / 2;
    tp.y = (h - text.height + 1) / 2;
  } else {
    glyph_pos.x = (w - glyph.width + 1) / 2;
    tp.x = (w - text.width + 1) / 2;
  }
  int room = horizontal ? w : h;
  int g = horizontal ? glyph.width : glyph.height;
  int t = horizontal ? text.width : text.height;
  int spacing = spacing_, margin = margin_;
  if (t == 0 || g == 0) spacing = 0;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (room - (g + t)) / 3;
      spacing = margin;
    } else {
      margin = (room - (g + spacing + t) + 1) / 2;
    }
  } else if (spacing == -1) {
    spacing = (room - (margin + g) - t) / 2;
  }
  switch (layout_) {
    case ButtonLayout::kGlyphLeft:
      glyph_pos.x = margin;
      tp.x = glyph_pos.x + glyph.width + spacing;
      break;
    case ButtonLayout::kGlyphRight:
      glyph_pos.x = w - margin - glyph.width;
      tp.x = glyph_pos.x - spacing - text.width;
      break;
    case ButtonLayout::kGlyphTop:
      glyph_pos.y = margin;
      tp.y = glyph_pos.y + glyph.height + spacing;
      break;
    case ButtonLayout::kGlyphBottom:
      glyph_pos.y = h - margin - glyph.height;
      tp.y = glyph_pos.y - spacing - text.height;
      break;
  }
  text_rect = Rect::FromSize(tp.x, tp.y, text.width, text.height);
}

void SpeedButton::Paint() {
  Canvas& c = GetCanvas();
  Rect r = ClientRect();
  State state = Enabled() ? state_ : State::kDisabled;
  bool pressed = state == State::kDown || state == State::kExclusive;
  bool hot = mouse_inside_ && Enabled();
  if (!flat_ || !Transparent()) {
    c.Brush().SetColor(GetColor());
    c.FillRect(r);
  }
  if (state == State::kExclusive && !(flat_ && hot)) {
    // A latched button shows a dithered face.
    Color light = ResolveColor(clBtnHighlight);
    for (int y = r.top + 1; y < r.bottom - 1; ++y)
      for (int x = r.left + 1 + (y & 1); x < r.right - 1; x += 2) c.SetPixel(x, y, light);
  }
  if (!flat_) {
    Rect edge = r;
    if (pressed) {
      Frame3D(c, edge, clBtnShadow, clBtnHighlight, 1);
      Frame3D(c, edge, cl3DDkShadow, cl3DLight, 1);
    } else {
      DrawRaisedEdge(c, edge);
    }
  } else if (pressed || hot) {
    Rect edge = r;
    if (pressed)
      Frame3D(c, edge, clBtnShadow, clBtnHighlight, 1);
    else
      Frame3D(c, edge, clBtnHighlight, clBtnShadow, 1);
  }

  fw::Bitmap glyph = GlyphFor(state);
  std::string shown = StripAccel(Caption());
  Size text = shown.empty() ? Size{} : MeasureText(GetFont(), Caption(), DT_SINGLELINE);
  Point gp;
  Rect tr;
  CalcLayout({glyph.Width(), glyph.Height()}, text, gp, tr);
  if (pressed) {
    gp = {gp.x + 1, gp.y + 1};
    tr = tr.Offset(1, 1);
  }
  if (!glyph.Empty()) c.Draw(gp.x, gp.y, glyph);
  if (!shown.empty()) {
    c.Font() = GetFont();
    DrawControlText(c, Caption(), tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE, Enabled());
  }
}

}  // namespace somnara::fw
