#include "skin/controls/tsui_custom_panel.h"

#include "framework/controls/property_helpers.h"
#include "framework/controls/stored_picture.h"
#include "framework/graphics/canvas.h"
#include "skin/styles/sui_public.h"

namespace somnara::skin {

const std::vector<std::string>& DrawStyleNames() {
  static const std::vector<std::string> names = {"suiNormal", "suiStretch", "suiTile"};
  return names;
}

void TsuiPanelPicture::Assign(const fw::Bitmap& bitmap) {
  graphic_ = bitmap;
  owner_.PictureChanged();
}

void TsuiPanelPicture::LoadFromFile(const std::string& path) {
  fw::Bitmap loaded;
  loaded.LoadFromFile(path);
  Assign(loaded);
}

void TsuiPanelPicture::LoadFromBytes(std::span<const uint8_t> bytes) {
  fw::Bitmap loaded;
  loaded.LoadFromBytes(bytes);
  Assign(loaded);
}

void TsuiPanelPicture::Clear() {
  graphic_.Clear();
  owner_.PictureChanged();
}

const fw::ClassInfo& TsuiCustomPanel::StaticClassInfo() {
  static const fw::ClassInfo info("TsuiCustomPanel", &fw::Panel::StaticClassInfo());
  return info;
}

TsuiCustomPanel::TsuiCustomPanel(fw::Component* owner) : fw::Panel(owner), picture_(*this) {
  SetBevelInner(fw::BevelCut::kNone);
  SetBevelOuter(fw::BevelCut::kNone);
}

TsuiCustomPanel::~TsuiCustomPanel() {
  BeginDestruction();
}

void TsuiCustomPanel::SetTransparent(bool on) {
  fw::Panel::SetTransparent(on);
  if (picture_.HasGraphic() && picture_.graphic_.Transparent() != on)
    picture_.graphic_.SetTransparent(on);
  Invalidate();
}

void TsuiCustomPanel::SetAutoSize(bool on) {
  auto_size_ = on;
  if (picture_.HasGraphic()) ApplyAutoSize();
}

void TsuiCustomPanel::ApplyAutoSize() {
  if (!auto_size_) return;
  const fw::Align align = GetAlign();
  int width = Width();
  int height = Height();
  // A side the alignment stretches over the parent keeps the size the parent gives it.
  if (align != fw::Align::kTop && align != fw::Align::kBottom && align != fw::Align::kClient)
    width = picture_.Width();
  if (align != fw::Align::kLeft && align != fw::Align::kRight && align != fw::Align::kClient)
    height = picture_.Height();
  SetBounds(Left(), Top(), width, height);
}

void TsuiCustomPanel::SetDrawStyle(TsuiDrawStyle style) {
  draw_style_ = style;
  Invalidate();
}

void TsuiCustomPanel::SetCaptionPos(int x, int y) {
  caption_x_ = x;
  caption_y_ = y;
  Invalidate();
}

void TsuiCustomPanel::PictureChanged() {
  if (picture_.HasGraphic()) {
    ApplyAutoSize();
    if (picture_.graphic_.Transparent() != Transparent())
      picture_.graphic_.SetTransparent(Transparent());
  }
  Invalidate();
}

std::vector<uint8_t> TsuiCustomPanel::PictureBytes() const {
  if (!picture_.HasGraphic()) return {};
  return picture_.Graphic().SaveToBytes();
}

void TsuiCustomPanel::SetPictureBytes(std::span<const uint8_t> bytes) {
  if (bytes.empty())
    picture_.Clear();
  else
    picture_.LoadFromBytes(fw::StoredPictureFile(bytes));
}

void TsuiCustomPanel::EraseBackground(fw::Canvas& canvas) {
  if (erase_background_) fw::Panel::EraseBackground(canvas);
}

void TsuiCustomPanel::PaintPanel(fw::Canvas& canvas) {
  const Rect client = ClientRect();
  if (Transparent()) PaintParentBackground(canvas, *this);
  // An opaque panel starts from its colour, so a picture smaller than the panel does not
  // leave the rest of it undefined.
  if (!Transparent()) {
    canvas.Brush().SetColor(GetColor());
    canvas.FillRect(client);
  }
  if (picture_.HasGraphic()) {
    const fw::Bitmap& graphic = picture_.Graphic();
    switch (draw_style_) {
      case TsuiDrawStyle::suiStretch:
        canvas.StretchDraw(client, graphic);
        break;
      case TsuiDrawStyle::suiTile:
        TileDraw(canvas, graphic, client);
        break;
      case TsuiDrawStyle::suiNormal:
        canvas.Draw(0, 0, graphic);
        break;
    }
  }

  const std::string& text = fw::Control::Caption();
  if (text.find_first_not_of(' ') == std::string::npos) return;
  canvas.Font() = GetFont();
  canvas.Brush().SetStyle(fw::BrushStyle::kClear);
  const Size extent = canvas.TextExtent(text);
  int x = caption_x_;
  int y = caption_y_;
  if (caption_x_ == -1 || caption_y_ == -1) {
    y = (client.Height() - extent.height) / 2;
    switch (GetAlignment()) {
      case fw::Alignment::kLeftJustify:
        x = 0;
        break;
      case fw::Alignment::kRightJustify:
        x = client.Width() - extent.width;
        break;
      case fw::Alignment::kCenter:
        x = (client.Width() - extent.width) / 2;
        break;
    }
  }
  canvas.TextOut(x, y, text);
  canvas.Brush().SetStyle(fw::BrushStyle::kSolid);
  caption_rect_ = Rect::FromSize(x, y, extent.width, extent.height);
}

void TsuiCustomPanel::Paint() {
  if (Width() <= 0 || Height() <= 0) return;
  fw::Bitmap buffer(Width(), Height());
  PaintPanel(buffer.GetCanvas());
  GetCanvas().Draw(0, 0, buffer);
}

}  // namespace somnara::skin
