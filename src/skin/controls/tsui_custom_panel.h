#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "framework/controls/panel.h"
#include "framework/graphics/bitmap.h"

namespace somnara::skin {

class TsuiCustomPanel;

// How a panel shows its picture: once at the top-left corner, stretched over the client
// area, or repeated over it.
enum class TsuiDrawStyle { suiNormal, suiStretch, suiTile };
const std::vector<std::string>& DrawStyleNames();

// The picture a panel shows. Every change reaches the panel at once (auto-size,
// transparency, repaint), so `panel.Picture().Assign(bitmap)` is all a caller writes.
class TsuiPanelPicture {
 public:
  explicit TsuiPanelPicture(TsuiCustomPanel& owner) : owner_(owner) {}
  TsuiPanelPicture(const TsuiPanelPicture&) = delete;
  TsuiPanelPicture& operator=(const TsuiPanelPicture&) = delete;

  void Assign(const fw::Bitmap& bitmap);
  // BMP, JPEG or GIF (first frame). Throws fw::FileError or fw::Exception; the picture is
  // unchanged then.
  void LoadFromFile(const std::string& path);
  void LoadFromBytes(std::span<const uint8_t> bytes);
  void Clear();

  // Whether the picture holds a graphic at all.
  bool HasGraphic() const { return !graphic_.Empty(); }
  const fw::Bitmap& Graphic() const { return graphic_; }
  int Width() const { return graphic_.Width(); }
  int Height() const { return graphic_.Height(); }

 private:
  friend class TsuiCustomPanel;
  TsuiCustomPanel& owner_;
  fw::Bitmap graphic_;
};

// A borderless panel painting, off screen and then in one copy, an optional picture and an
// optional one-line caption, optionally over its parent's background. The base of the
// picture panel (the track bar's slider) and of the skinned group box.
class TsuiCustomPanel : public fw::Panel {
 public:
  explicit TsuiCustomPanel(fw::Component* owner);
  ~TsuiCustomPanel() override;
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  TsuiPanelPicture& Picture() { return picture_; }
  const TsuiPanelPicture& Picture() const { return picture_; }
  // A copy of `bitmap` becomes the picture.
  void SetPicture(const fw::Bitmap& bitmap) { picture_.Assign(bitmap); }
  // The picture's graphic follows the panel's transparency.
  void SetTransparent(bool on) override;
  // Sizes the panel to its picture along the sides its alignment leaves free.
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool on);
  TsuiDrawStyle DrawStyle() const { return draw_style_; }
  void SetDrawStyle(TsuiDrawStyle style);

  // A fixed place for the caption (client coordinates); -1 in either lets the alignment
  // place it, centred vertically.
  int CaptionPosX() const { return caption_x_; }
  int CaptionPosY() const { return caption_y_; }
  void SetCaptionPos(int x, int y);
  // Where the caption was last drawn (empty before it ever was).
  Rect CaptionRect() const { return caption_rect_; }
  // Off by default: the panel paints all of itself, so the platform's erase is skipped.
  bool EraseBackgroundEnabled() const { return erase_background_; }
  void SetEraseBackgroundEnabled(bool on) { erase_background_ = on; }

  // Published picture data.
  std::vector<uint8_t> PictureBytes() const;
  void SetPictureBytes(std::span<const uint8_t> bytes);

 protected:
  void Paint() override;
  void EraseBackground(fw::Canvas& canvas) override;
  void TextChanged() override { Invalidate(); }
  void Resized() override { Invalidate(); }
  // The whole panel picture (parent background, picture, caption) into `canvas`, whose
  // origin is the panel's top-left corner.
  void PaintPanel(fw::Canvas& canvas);
  virtual void PictureChanged();

 private:
  friend class TsuiPanelPicture;
  void ApplyAutoSize();

  TsuiPanelPicture picture_;
  bool auto_size_ = false;
  TsuiDrawStyle draw_style_ = TsuiDrawStyle::suiNormal;
  int caption_x_ = -1;
  int caption_y_ = -1;
  Rect caption_rect_;
  bool erase_background_ = false;
};

}  // namespace somnara::skin
