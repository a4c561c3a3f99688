#include "framework/controls/image.h"

#include <algorithm>

#include "framework/application.h"
#include "framework/controls/property_helpers.h"
#include "framework/controls/stored_picture.h"
#include "framework/form.h"
#include "framework/graphics/canvas.h"
#include "framework/timer.h"

namespace somnara::fw {
namespace {
// Frames shorter than this would flood the loop; GIF players treat them the same way.
constexpr int kMinFrameDelayMs = 10;
}  // namespace

void ImagePicture::LoadFromFile(const std::string& path) {
  picture_.LoadFromFile(path);
  owner_.PictureChanged();
}

void ImagePicture::LoadFromBytes(std::span<const uint8_t> bytes) {
  picture_.LoadFromBytes(bytes);
  owner_.PictureChanged();
}

void ImagePicture::Assign(const fw::Picture& picture) {
  picture_ = picture;
  owner_.PictureChanged();
}

void ImagePicture::AssignBitmap(const fw::Bitmap& bitmap) {
  picture_.LoadFromBytes(bitmap.SaveToBytes());
  owner_.PictureChanged();
}

void ImagePicture::Clear() {
  picture_.Clear();
  owner_.PictureChanged();
}

const ClassInfo& Image::StaticClassInfo() {
  static const RegisteredClassInfo info = [] {
    ClassInfo i("TImage", &GraphicControl::StaticClassInfo(),
                [](Component* o) { return new Image(o); });
    i.Add(BinaryProperty<Image>("Picture", &Image::PictureBytes, &Image::SetPictureBytes));
    i.Add(BinaryProperty<Image>("Picture.Data", &Image::PictureBytes, &Image::SetPictureBytes));
    i.Add(BoolProperty<Image>("AutoSize", &Image::AutoSize, &Image::SetAutoSize));
    i.Add(BoolProperty<Image>("Stretch", &Image::Stretch, &Image::SetStretch));
    i.Add(BoolProperty<Image>("Proportional", &Image::Proportional, &Image::SetProportional));
    i.Add(BoolProperty<Image>("Center", &Image::Center, &Image::SetCenter));
    i.Add(BoolProperty<Control>("Transparent", &Control::Transparent, &Control::SetTransparent));
    i.Add(EventProperty<Image>("OnProgress", &Image::OnProgress));
    return i;
  }();
  return info;
}

Image::Image(Component* owner) : GraphicControl(owner), picture_(*this) {
  SetBounds(0, 0, 105, 105);
}

Image::~Image() {
  BeginDestruction();
}

void Image::SetAutoSize(bool on) {
  if (auto_size_ == on) return;
  auto_size_ = on;
  if (on && !picture_.Empty()) SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
}

void Image::SetStretch(bool on) {
  if (stretch_ == on) return;
  stretch_ = on;
  Invalidate();
}

void Image::SetProportional(bool on) {
  if (proportional_ == on) return;
  proportional_ = on;
  Invalidate();
}

void Image::SetCenter(bool on) {
  if (center_ == on) return;
  center_ = on;
  Invalidate();
}

void Image::SetTransparent(bool on) {
  keyed_valid_ = false;
  GraphicControl::SetTransparent(on);
}

bool Image::Animating() const {
  return animation_ != nullptr && animation_->Enabled();
}

std::vector<uint8_t> Image::PictureBytes() const {
  if (picture_.Empty()) return {};
  return picture_.Bitmap().SaveToBytes();
}

void Image::SetPictureBytes(std::span<const uint8_t> bytes) {
  if (bytes.empty())
    picture_.Clear();
  else
    picture_.LoadFromBytes(StoredPictureFile(bytes));
}

void Image::Loaded() {
  GraphicControl::Loaded();
  if (auto_size_ && !picture_.Empty())
    SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
}

void Image::PictureChanged() {
  frame_ = 0;
  held_unseen_ = false;
  keyed_valid_ = false;
  keyed_ = fw::Bitmap();
  // A new picture starts its animation afresh at its next painting.
  if (animation_ != nullptr) animation_->SetEnabled(false);
  if (auto_size_ && !picture_.Empty())
    SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
  Invalidate();
}

int Image::FrameDelayMs(size_t frame) const {
  return std::max(kMinFrameDelayMs, picture_.Graphic().Frame(frame).delay_ms);
}

void Image::NextFrame() {
  const fw::Picture& p = picture_.Graphic();
  if (p.FrameCount() < 2) {
    animation_->SetEnabled(false);
    return;
  }
  const Form* form = ParentForm();
  if (form != nullptr && !form->Seen()) {
    // Nobody sees the window (covered, or the display off): no ticks until it is painted
    // again, when the frames that went by meanwhile are counted off at once.
    animation_->SetEnabled(false);
    held_unseen_ = true;
    Invalidate();
    return;
  }
  frame_ = (frame_ + 1) % p.FrameCount();
  frame_shown_ms_ = App().NowMs();
  animation_->SetInterval(FrameDelayMs(frame_));
  Invalidate();
  if (OnProgress) OnProgress(this);
}

// The frame the animation has reached by `now_ms`, had it gone on unseen; the timer then waits
// only for the rest of that frame's delay.
void Image::CatchUp(int64_t now_ms) {
  const size_t count = picture_.Graphic().FrameCount();
  int64_t cycle_ms = 0;
  for (size_t f = 0; f < count; ++f) cycle_ms += FrameDelayMs(f);
  // Whole rounds bring the same frame back at the same point of its delay.
  int64_t elapsed = std::max<int64_t>(0, now_ms - frame_shown_ms_) % cycle_ms;
  const size_t before = frame_;
  while (elapsed >= FrameDelayMs(frame_)) {
    elapsed -= FrameDelayMs(frame_);
    frame_ = (frame_ + 1) % count;
  }
  frame_shown_ms_ = now_ms - elapsed;
  animation_->SetInterval(std::max<int>(1, FrameDelayMs(frame_) - int(elapsed)));
  if (frame_ != before && OnProgress) OnProgress(this);
}

Rect Image::DestRect() const {
  int w = picture_.Width(), h = picture_.Height();
  const int cw = ClientWidth(), ch = ClientHeight();
  if (stretch_ || (proportional_ && (w > cw || h > ch))) {
    if (proportional_ && w > 0 && h > 0) {
      // The largest size with the picture's proportions that fits.
      if (int64_t(cw) * h > int64_t(ch) * w) {
        w = int(int64_t(ch) * w / h);
        h = ch;
      } else {
        h = int(int64_t(cw) * h / w);
        w = cw;
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  Rect r = Rect::FromSize(0, 0, w, h);
  if (center_) r = r.Offset((cw - w) / 2, (ch - h) / 2);
  return r;
}

void Image::Paint() {
  if (picture_.Empty()) return;
  const fw::Picture& p = picture_.Graphic();
  if (p.Animated() && !Animating()) {
    if (animation_ == nullptr) {
      animation_ = new Timer(this);
      animation_->OnTimer = [this](Component*) { NextFrame(); };
    }
    if (held_unseen_) {
      held_unseen_ = false;
      CatchUp(App().NowMs());
    } else {
      frame_shown_ms_ = App().NowMs();
      animation_->SetInterval(FrameDelayMs(frame_));
    }
    animation_->SetEnabled(true);
  }
  const fw::Bitmap* shown = &p.Frame(std::min(frame_, p.FrameCount() - 1)).bitmap;
  if (Transparent() && !p.Animated()) {
    if (!keyed_valid_) {
      keyed_ = *shown;
      keyed_.SetTransparent(true);
      keyed_valid_ = true;
    }
    shown = &keyed_;
  }
  Canvas& canvas = GetCanvas();
  Rect dest = DestRect();
  if (dest.Width() == shown->Width() && dest.Height() == shown->Height())
    canvas.Draw(dest.left, dest.top, *shown);
  else
    canvas.StretchDraw(dest, *shown);
}

}  // namespace somnara::fw
