#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "framework/control.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/picture.h"

namespace somnara::fw {

class Image;
class Timer;

// The picture an Image shows. Every change reaches the image at once (size, repaint,
// animation), so `image.GetPicture().LoadFromFile(path)` is all a caller writes.
class ImagePicture {
 public:
  explicit ImagePicture(Image& owner) : owner_(owner) {}
  ImagePicture(const ImagePicture&) = delete;
  ImagePicture& operator=(const ImagePicture&) = delete;

  // Throws fw::FileError ("Cannot open file "<path>". <reason>") or fw::Exception for data
  // that is no picture; the picture is unchanged then.
  void LoadFromFile(const std::string& path);
  void LoadFromBytes(std::span<const uint8_t> bytes);
  void Assign(const fw::Picture& picture);
  void AssignBitmap(const fw::Bitmap& bitmap);
  void Clear();

  const fw::Picture& Graphic() const { return picture_; }
  // The first frame.
  const fw::Bitmap& Bitmap() const { return picture_.Graphic(); }
  int Width() const { return picture_.Width(); }
  int Height() const { return picture_.Height(); }
  bool Empty() const { return picture_.Empty(); }

 private:
  Image& owner_;
  fw::Picture picture_;
};

// A picture on a window: drawn at its own size, centred or stretched; AutoSize makes the
// control the picture's size. A picture with several frames (an animated GIF) shows them
// in turn with the delays the file gives, driven by a timer of the image that starts when
// the picture is first painted.
class Image : public GraphicControl {
 public:
  explicit Image(Component* owner);
  ~Image() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  ImagePicture& GetPicture() { return picture_; }
  const ImagePicture& GetPicture() const { return picture_; }
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool on);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool on);
  bool Proportional() const { return proportional_; }
  void SetProportional(bool on);
  bool Center() const { return center_; }
  void SetCenter(bool on);
  void SetTransparent(bool on) override;

  // The frame shown now and whether the animation runs.
  size_t CurrentFrame() const { return frame_; }
  bool Animating() const;

  // Published picture data.
  std::vector<uint8_t> PictureBytes() const;
  void SetPictureBytes(std::span<const uint8_t> bytes);

  void Loaded() override;

  NotifyEvent OnProgress;  // after every frame change of an animation

 protected:
  void Paint() override;
  // Where the picture goes within the client area.
  Rect DestRect() const;

 private:
  friend class ImagePicture;
  void PictureChanged();
  void NextFrame();
  void CatchUp(int64_t now_ms);
  int FrameDelayMs(size_t frame) const;

  ImagePicture picture_;
  bool auto_size_ = false;
  bool stretch_ = false;
  bool proportional_ = false;
  bool center_ = false;
  size_t frame_ = 0;
  int64_t frame_shown_ms_ = 0;  // when the frame now shown came up
  bool held_unseen_ = false;    // stopped while nobody saw the window
  Timer* animation_ = nullptr;
  // The still picture with its bottom-left colour keyed out, made when first needed.
  fw::Bitmap keyed_;
  bool keyed_valid_ = false;
};

}  // namespace somnara::fw
