#include "framework/controls/image_list.h"

#include <algorithm>

#include "framework/graphics/canvas.h"

namespace somnara::fw {

const ClassInfo& ImageList::StaticClassInfo() {
  static const RegisteredClassInfo info = [] {
    ClassInfo i("TImageList", &Component::StaticClassInfo(),
                [](Component* o) { return new ImageList(o); });
    i.Add(IntegerProperty<ImageList>("Height", &ImageList::Height, &ImageList::SetHeight));
    i.Add(IntegerProperty<ImageList>("Width", &ImageList::Width, &ImageList::SetWidth));
    return i;
  }();
  return info;
}

ImageList::ImageList(Component* owner) : Component(owner) {}

// Pictures are cut to the size in force when they are added, so a new size empties the list.
void ImageList::SetWidth(int width) {
  if (width == width_) return;
  width_ = std::max(1, width);
  images_.clear();
}

void ImageList::SetHeight(int height) {
  if (height == height_) return;
  height_ = std::max(1, height);
  images_.clear();
}

int ImageList::Add(const Bitmap& strip) {
  return AddStrip(strip, false, clNone);
}

int ImageList::AddMasked(const Bitmap& strip, Color mask) {
  return AddStrip(strip, true, mask);
}

int ImageList::AddStrip(const Bitmap& strip, bool masked, Color mask) {
  const int count = strip.Width() / width_;
  if (count == 0 || strip.Height() == 0) return -1;
  const int first = Count();
  for (int i = 0; i < count; ++i) {
    Bitmap picture(width_, height_);
    picture.Fill(masked ? mask : clWhite);
    picture.GetCanvas().CopyRect(
        {0, 0, width_, std::min(height_, strip.Height())}, strip,
        {i * width_, 0, (i + 1) * width_, std::min(height_, strip.Height())});
    if (masked) {
      picture.SetTransparentColor(mask);
      picture.SetTransparent(true);
    }
    images_.push_back(std::move(picture));
  }
  return first;
}

void ImageList::Draw(Canvas& canvas, int x, int y, int index, bool enabled) const {
  if (index < 0 || index >= Count()) return;
  const Bitmap& picture = images_[size_t(index)];
  if (enabled) {
    canvas.Draw(x, y, picture);
    return;
  }
  // Greyed: every drawn pixel becomes the button shadow, lifted by a highlight one pixel
  // down and to the right, the classic look of an unavailable picture.
  const bool masked = picture.Transparent();
  const Color key = picture.TransparentColor();
  for (int pass = 0; pass < 2; ++pass) {
    const int shift = pass == 0 ? 1 : 0;
    const Color ink = pass == 0 ? clBtnHighlight : clBtnShadow;
    for (int py = 0; py < picture.Height(); ++py)
      for (int px = 0; px < picture.Width(); ++px) {
        const Color c = picture.GetPixel(px, py);
        if (masked && c == key) continue;
        // Light pixels of a picture without a mask stay background, as dark ones carry it.
        if (!masked && RedOf(c) + GreenOf(c) + BlueOf(c) > 3 * 192) continue;
        canvas.SetPixel(x + px + shift, y + py + shift, ink);
      }
  }
}

}  // namespace somnara::fw
