#include "skin/controls/tsui_button.h"

#include "framework/controls/accelerator.h"
#include "framework/controls/property_helpers.h"
#include "framework/controls/stored_picture.h"
#include "framework/graphics/canvas.h"
#include "skin/controls/button_glyph.h"
#include "skin/styles/sui_public.h"
#include "skin/styles/sui_style_catalogue.h"
#include "skin/theme/tsui_file_theme.h"

namespace somnara::skin {
namespace {

constexpr fw::Color kEmbossLight = fw::clWhite;
constexpr fw::Color kEmbossText = fw::MakeColor(128, 128, 128);

}  // namespace

const fw::ClassInfo& TsuiButton::StaticClassInfo() {
  using T = TsuiButton;
  using B = TsuiCustomButton;
  using fw::Control;
  using fw::WinControl;
  static const fw::RegisteredClassInfo info = [] {
    fw::ClassInfo i("TsuiButton", &B::StaticClassInfo(),
                    [](fw::Component* o) { return new TsuiButton(o); });
    i.Add(fw::StringProperty<Control>("Caption", &Control::GetCaption, &Control::SetCaption));
    i.Add(fw::ReferenceProperty<B, TsuiFileTheme>("FileTheme", &B::FileTheme, &B::SetFileTheme));
    i.Add(fw::EnumProperty<B, TsuiUIStyle>("UIStyle", UIStyleNames(), &B::UIStyle, &B::SetUIStyle));
    i.Add(fw::BoolProperty<B>("Cancel", &B::Cancel, &B::SetCancel));
    i.Add(fw::BoolProperty<B>("Default", &B::Default, &B::SetDefault));
    i.Add(fw::BoolProperty<Control>("Enabled", &Control::Enabled, &Control::SetEnabled));
    i.Add(fw::IntegerProperty<WinControl>("TabOrder", &WinControl::TabOrder,
                                          &WinControl::SetTabOrder));
    i.Add(fw::BoolProperty<WinControl>("TabStop", &WinControl::TabStop, &WinControl::SetTabStop));
    i.Add(
        fw::BoolProperty<Control>("Transparent", &Control::Transparent, &Control::SetTransparent));
    i.Add(fw::IntegerProperty<B>("ModalResult", &B::ModalResult, &B::SetModalResult));
    i.Add(fw::BoolProperty<B>("AutoSize", &B::AutoSize, &B::SetAutoSize));
    i.Add(fw::IntegerProperty<B>("FocusedRectMargin", &B::FocusedRectMargin,
                                 &B::SetFocusedRectMargin));
    i.Add(fw::BinaryProperty<T>("Glyph", &T::GlyphBytes, &T::SetGlyphBytes));
    i.Add(fw::BinaryProperty<T>("Glyph.Data", &T::GlyphBytes, &T::SetGlyphBytes));
    i.Add(fw::EnumProperty<T, fw::ButtonLayout>("Layout", fw::kButtonLayoutNames, &T::Layout,
                                                &T::SetLayout));
    i.Add(fw::IntegerProperty<T>("Spacing", &T::Spacing, &T::SetSpacing));
    i.Add(fw::IntegerProperty<B>("MouseContinuouslyDownInterval", &B::MouseContinuouslyDownInterval,
                                 &B::SetMouseContinuouslyDownInterval));
    i.Add(fw::IntegerProperty<B>("ResHandle", &B::ResHandle, &B::SetResHandle));
    i.Add(fw::EventProperty<Control>("OnClick", &Control::OnClick));
    i.Add(fw::EventProperty<Control>("OnMouseMove", &Control::OnMouseMove));
    i.Add(fw::EventProperty<Control>("OnMouseDown", &Control::OnMouseDown));
    i.Add(fw::EventProperty<Control>("OnMouseUp", &Control::OnMouseUp));
    i.Add(fw::EventProperty<WinControl>("OnKeyDown", &WinControl::OnKeyDown));
    i.Add(fw::EventProperty<WinControl>("OnKeyUp", &WinControl::OnKeyUp));
    i.Add(fw::EventProperty<WinControl>("OnKeyPress", &WinControl::OnKeyPress));
    i.Add(fw::EventProperty<Control>("OnMouseEnter", &Control::OnMouseEnter));
    i.Add(fw::EventProperty<B>("OnMouseExit", &B::OnMouseExit));
    i.Add(fw::EventProperty<B>("OnMouseContinuouslyDown", &B::OnMouseContinuouslyDown));
    return i;
  }();
  return info;
}

TsuiButton::TsuiButton(fw::Component* owner) : TsuiCustomButton(owner) {
  SetBounds(0, 0, 80, 27);
  SetUIStyle(OwnerFormStyle(owner));
}

TsuiButton::~TsuiButton() {
  BeginDestruction();
}

void TsuiButton::ApplyStyle() {
  const ResolvedStyle resolved = ResolveStyle(FileTheme(), UIStyle());
  fw::Font font = GetFont();
  if (resolved.use_theme) {
    SetTransparent(FileTheme()->GetThemeBool(ThemeBool::kButtonTrans));
    const int32_t colour = FileTheme()->GetThemeColor(ThemeColor::kButtonFontColor);
    // A skin without the colour answers -1, which is no colour at all.
    font.SetColor(colour < 0 ? fw::clBlack : fw::Color(colour));
  } else {
    SetTransparent(GetStyleBool(resolved.style, StyleItem::kButtonTransparent));
    font.SetColor(fw::clBlack);
  }
  if (!(font == GetFont())) SetFont(font);
  Invalidate();
}

void TsuiButton::SetGlyph(const fw::Bitmap& glyph) {
  glyph_ = glyph;
  Invalidate();
}

std::vector<uint8_t> TsuiButton::GlyphBytes() const {
  if (glyph_.Empty()) return {};
  return glyph_.SaveToBytes();
}

void TsuiButton::SetGlyphBytes(std::span<const uint8_t> bytes) {
  fw::Bitmap b;
  if (!bytes.empty()) b.LoadFromBytes(fw::StoredPictureFile(bytes));
  SetGlyph(b);
}

void TsuiButton::SetLayout(fw::ButtonLayout layout) {
  layout_ = layout;
  Invalidate();
}

void TsuiButton::SetSpacing(int spacing) {
  spacing_ = spacing;
  Invalidate();
}

// Measured in the button's own font, so that glyph and caption agree where they go even
// when the caption is then drawn bold.
Size TsuiButton::CaptionSize(fw::Canvas& canvas) const {
  const fw::Font saved = canvas.Font();
  canvas.Font() = GetFont();
  const std::string shown = fw::StripAccel(Caption());
  const Size size{canvas.TextWidth(shown), canvas.TextHeight(shown)};
  canvas.Font() = saved;
  return size;
}

void TsuiButton::DrawFace(fw::Canvas& canvas, const fw::Bitmap& face) {
  DrawNineSlice(face, canvas, ClientRect(), draw_transparent_);
  if (glyph_.Empty()) return;
  const ButtonGlyphPlaces places = PlaceGlyph(layout_, {Width(), Height()}, CaptionSize(canvas),
                                              GlyphFrameSize(glyph_), spacing_);
  Point at = places.glyph;
  if (Down()) at = {at.x + 1, at.y + 1};
  canvas.Draw(at.x, at.y, GlyphPicture(glyph_, Enabled()));
}

void TsuiButton::DrawCaption(fw::Canvas& canvas) {
  if (glyph_.Empty()) {
    TsuiCustomButton::DrawCaption(canvas);
    return;
  }
  const ButtonGlyphPlaces places = PlaceGlyph(layout_, {Width(), Height()}, CaptionSize(canvas),
                                              GlyphFrameSize(glyph_), spacing_);
  canvas.Brush().SetStyle(fw::BrushStyle::kClear);
  if (bold_caption_) canvas.Font().SetBold(true);
  const unsigned flags = fw::DT_SINGLELINE;
  auto draw = [&](Point at) {
    Rect r{at.x, at.y, Width(), Height()};
    canvas.DrawText(Caption(), r, flags);
  };
  Point at = places.text;
  if (!Enabled()) {
    const fw::Color colour = canvas.Font().Color();
    canvas.Font().SetColor(kEmbossLight);
    draw({at.x + 1, at.y + 1});
    canvas.Font().SetColor(kEmbossText);
    draw(at);
    canvas.Font().SetColor(colour);
  } else {
    if (Down()) at = {at.x + 1, at.y + 1};
    draw(at);
  }
  bold_caption_ = false;
}

void TsuiButton::DrawFocus(fw::Canvas& canvas) {
  if (UIStyle() == TsuiUIStyle::MacOS || UIStyle() == TsuiUIStyle::BlueGlass) {
    bold_caption_ = true;
    return;
  }
  TsuiCustomButton::DrawFocus(canvas);
}

}  // namespace somnara::skin
