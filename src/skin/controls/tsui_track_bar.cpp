#include "skin/controls/tsui_track_bar.h"

#include <algorithm>

#include "framework/application.h"
#include "framework/class_info.h"
#include "framework/controls/property_helpers.h"
#include "framework/controls/stored_picture.h"
#include "framework/form.h"
#include "framework/graphics/canvas.h"
#include "framework/timer.h"
#include "platform/window_system.h"
#include "skin/controls/tsui_image_panel.h"
#include "skin/styles/sui_public.h"
#include "skin/styles/sui_style_bitmaps.h"
#include "skin/styles/sui_style_catalogue.h"
#include "skin/theme/tsui_file_theme.h"

namespace somnara::skin {

namespace {

// While the button is held on the bar, a page toward the pointer this often.
constexpr int kRepeatIntervalMs = 100;
// Pages per repeat along a horizontal bar; a vertical one moves one page per repeat.
constexpr int kHorizontalRepeatPages = 3;
// Tick marks are this long, at the control's edges.
constexpr int kTickLength = 3;

// A built-in picture, or an empty one when the program lacks it: a bar without its
// picture still works.
fw::Bitmap StylePicture(TsuiUIStyle style, StyleItem item) {
  fw::Bitmap picture;
  try {
    GetStyleBitmap(style, item, &picture);
  } catch (const StyleResourceError&) {
    picture.Clear();
  }
  return picture;
}

fw::Bitmap ThemePicture(const TsuiFileTheme& theme, ThemeBitmap item) {
  auto picture = theme.GetThemeBitmap(item);
  return picture ? *picture : fw::Bitmap();
}

std::vector<uint8_t> PictureBytes(const fw::Bitmap& picture) {
  if (picture.Empty()) return {};
  return picture.SaveToBytes();
}

fw::Bitmap PictureFromBytes(std::span<const uint8_t> bytes) {
  fw::Bitmap picture;
  if (!bytes.empty()) picture.LoadFromBytes(fw::StoredPictureFile(bytes));
  return picture;
}

}  // namespace

const std::vector<std::string>& OrientationNames() {
  static const std::vector<std::string> names = {"suiHorizontal", "suiVertical"};
  return names;
}

const fw::ClassInfo& TsuiTrackBar::StaticClassInfo() {
  using T = TsuiTrackBar;
  static const fw::RegisteredClassInfo info = [] {
    // The panel it is built on publishes none of its own properties here.
    fw::ClassInfo i("TsuiTrackBar", &fw::CustomControl::StaticClassInfo(),
                    [](fw::Component* o) { return new TsuiTrackBar(o); });
    i.Add(fw::EnumProperty<T, TsuiOrientation>("Orientation", OrientationNames(), &T::Orientation,
                                               &T::SetOrientation));
    i.Add(fw::ReferenceProperty<T, TsuiFileTheme>("FileTheme", &T::FileTheme, &T::SetFileTheme));
    i.Add(fw::EnumProperty<T, TsuiUIStyle>("UIStyle", UIStyleNames(), &T::UIStyle, &T::SetUIStyle));
    i.Add(fw::BinaryProperty<T>("BarImage", &T::BarImageBytes, &T::SetBarImageBytes));
    i.Add(fw::BinaryProperty<T>("BarImage.Data", &T::BarImageBytes, &T::SetBarImageBytes));
    i.Add(fw::BinaryProperty<T>("SliderImage", &T::SliderImageBytes, &T::SetSliderImageBytes));
    i.Add(fw::BinaryProperty<T>("SliderImage.Data", &T::SliderImageBytes, &T::SetSliderImageBytes));
    i.Add(fw::IntegerProperty<T>("Max", &T::Max, &T::SetMax));
    i.Add(fw::IntegerProperty<T>("Min", &T::Min, &T::SetMin));
    i.Add(fw::IntegerProperty<T>("Position", &T::Position, &T::SetPosition));
    i.Add(fw::IntegerProperty<T>("PageSize", &T::PageSize, &T::SetPageSize));
    i.Add(fw::IntegerProperty<T>("LineSize", &T::LineSize, &T::SetLineSize));
    i.Add(fw::BoolProperty<T>("ShowTick", &T::ShowTick, &T::SetShowTick));
    i.Add(fw::BoolProperty<fw::Control>("Transparent", &fw::Control::Transparent,
                                        &fw::Control::SetTransparent));
    i.Add(fw::IntegerProperty<T>("Frequency", &T::Frequency, &T::SetFrequency));
    i.Add(fw::EventProperty<T>("OnChange", &T::OnChange));
    return i;
  }();
  return info;
}

TsuiTrackBar::TsuiTrackBar(fw::Component* owner) : fw::Panel(owner) {
  SetBevelOuter(fw::BevelCut::kNone);
  SetTabStop(true);
  SetParentColor(true);
  slider_ = new TsuiImagePanel(this);
  slider_->SetParent(this);
  slider_->OnMouseDown = [this](fw::Component*, fw::MouseButton button, unsigned shift, int x,
                                int y) { SliderMouseDown(button, shift, x, y); };
  slider_->OnMouseUp = [this](fw::Component*, fw::MouseButton button, unsigned shift, int x,
                              int y) { SliderMouseUp(button, shift, x, y); };
  SetUIStyle(OwnerFormStyle(owner));
  UpdateSlider();
}

TsuiTrackBar::~TsuiTrackBar() {
  repeat_timer_.reset();
  BeginDestruction();
  if (file_theme_ != nullptr) file_theme_->RemoveFreeNotification(this);
}

// --- published properties ---

void TsuiTrackBar::SetOrientation(TsuiOrientation orientation) {
  if (orientation_ == orientation) return;
  orientation_ = orientation;
  Relayout();
}

void TsuiTrackBar::SetFileTheme(TsuiFileTheme* theme) {
  if (file_theme_ != nullptr) file_theme_->RemoveFreeNotification(this);
  file_theme_ = theme;
  if (file_theme_ != nullptr) file_theme_->FreeNotification(this);
  SetUIStyle(ui_style_);
}

void TsuiTrackBar::SetUIStyle(TsuiUIStyle style) {
  ui_style_ = style;
  Relayout();
  if (style == TsuiUIStyle::MacOS) SetTransparent(true);
}

void TsuiTrackBar::SetBarImage(const fw::Bitmap& picture) {
  bar_image_ = picture;
  Relayout();
}

const fw::Bitmap& TsuiTrackBar::SliderImage() const {
  return slider_->Picture().Graphic();
}

void TsuiTrackBar::SetSliderImage(const fw::Bitmap& picture) {
  slider_->Picture().Assign(picture);
  Invalidate();
}

std::vector<uint8_t> TsuiTrackBar::BarImageBytes() const {
  return PictureBytes(bar_image_);
}

void TsuiTrackBar::SetBarImageBytes(std::span<const uint8_t> bytes) {
  SetBarImage(PictureFromBytes(bytes));
}

std::vector<uint8_t> TsuiTrackBar::SliderImageBytes() const {
  return PictureBytes(SliderImage());
}

void TsuiTrackBar::SetSliderImageBytes(std::span<const uint8_t> bytes) {
  SetSliderImage(PictureFromBytes(bytes));
}

void TsuiTrackBar::SetMax(int v) {
  if (v == max_) return;
  max_ = std::max(v, min_);
  position_ = std::min(position_, max_);
  UpdateSlider();
}

void TsuiTrackBar::SetMin(int v) {
  if (v == min_) return;
  min_ = std::min(v, max_);
  position_ = std::max(position_, min_);
  UpdateSlider();
}

void TsuiTrackBar::SetPosition(int v) {
  position_ = std::clamp(v, min_, max_);
  UpdateSlider();
}

void TsuiTrackBar::SetPositionClamped(int64_t v) {
  SetPosition(int(std::clamp<int64_t>(v, min_, max_)));
}

void TsuiTrackBar::SetPageSize(int v) {
  if (v >= 0 && v <= max_) page_size_ = v;
}

void TsuiTrackBar::SetLineSize(int v) {
  if (v >= 0 && v <= max_) line_size_ = v;
}

void TsuiTrackBar::SetShowTick(bool on) {
  show_tick_ = on;
  Invalidate();
}

void TsuiTrackBar::SetTransparent(bool on) {
  fw::Panel::SetTransparent(on);
  Invalidate();
}

void TsuiTrackBar::SetFrequency(int v) {
  frequency_ = v;
  Invalidate();
}

// --- layout ---

TrackBarGeometry TsuiTrackBar::Geometry() const {
  return {Horizontal(), Width(), Height(), slider_->Width(), slider_->Height(), min_, max_};
}

Point TsuiTrackBar::ValueToPixel() const {
  return SliderOrigin(Geometry(), position_);
}

int64_t TsuiTrackBar::PixelToValue(int x, int y) const {
  return ValueAtPointer(Geometry(), {x, y});
}

void TsuiTrackBar::Relayout() {
  // Setting the cross size below resizes the control, which would lay it out again.
  if (relayout_running_) return;
  relayout_running_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{relayout_running_};
  ApplyStyle();
  if (Horizontal())
    SetHeight(std::max(bar_image_.Height(), slider_->Height()));
  else
    SetWidth(std::max(bar_image_.Height(), slider_->Width()));
  Invalidate();
  UpdateSlider();
}

void TsuiTrackBar::ApplyStyle() {
  const ResolvedStyle resolved = ResolveStyle(file_theme_, ui_style_);
  fw::Bitmap slider;
  if (resolved.use_theme) {
    const TsuiFileTheme& theme = *file_theme_;
    bar_image_ = ThemePicture(theme, ThemeBitmap::kTrackBar);
    slider = ThemePicture(
        theme, Horizontal() ? ThemeBitmap::kTrackBarSlider : ThemeBitmap::kTrackBarVSlider);
    // The skin's see-through colour shows as the skin's window colour around the slider.
    if (!slider.Empty())
      ReplaceColour(slider, fw::Color(theme.GetThemeColor(ThemeColor::kTransColor)),
                    fw::Color(theme.GetThemeColor(ThemeColor::kFormColor)));
  } else {
    bar_image_ = StylePicture(resolved.style, StyleItem::kTrackBarBar);
    slider = StylePicture(resolved.style, Horizontal() ? StyleItem::kTrackBarSlider
                                                       : StyleItem::kTrackBarSliderVertical);
  }
  slider_->Picture().Assign(slider);
  BuildBarStrip();
  slider_->SetTransparent(Horizontal());
  slider_->SetAutoSize(true);
}

void TsuiTrackBar::BuildBarStrip() {
  const int length = Horizontal() ? Width() : Height();
  const Rect along{0, 0, length, bar_image_.Height()};
  bar_strip_ = fw::Bitmap(along.Width(), along.Height());
  if (!along.IsEmpty()) {
    fw::Canvas& c = bar_strip_.GetCanvas();
    c.Brush().SetColor(GetColor());
    c.FillRect(along);
    if (!bar_image_.Empty()) DrawThreeSlice(bar_image_, c, along, kSkinMagenta);
  }
  if (!Horizontal()) RotateBitmap(bar_strip_);
  ++bar_strip_builds_;
}

void TsuiTrackBar::UpdateSlider() {
  const Point at = ValueToPixel();
  slider_->SetBounds(at.x, at.y, slider_->Width(), slider_->Height());
  Invalidate();
  ReportChange();
}

void TsuiTrackBar::ReportChange() {
  if (position_ == last_reported_) return;
  last_reported_ = position_;
  if (OnChange) OnChange(this);
}

void TsuiTrackBar::Resized() {
  Relayout();
}

void TsuiTrackBar::ColorChanged() {
  // The bar's see-through parts show the colour, so the strip takes the new one.
  BuildBarStrip();
  Invalidate();
}

// --- painting ---

void TsuiTrackBar::Paint() {
  const Rect client = ClientRect();
  fw::Bitmap picture(client.Width(), client.Height());
  fw::Canvas& c = picture.GetCanvas();
  if (Transparent()) {
    PaintParentBackground(c, *this);
  } else {
    c.Brush().SetColor(GetColor());
    c.FillRect(client);
  }
  if (Horizontal())
    c.Draw(0, (Height() - bar_strip_.Height()) / 2, bar_strip_);
  else
    c.Draw((Width() - bar_strip_.Width()) / 2, 0, bar_strip_);
  if (Focused() && TabStop()) {
    c.Brush() = fw::Brush();
    c.DrawFocusRect(client);
  }
  if (show_tick_ && min_ < max_) {
    c.Pen() = fw::Pen();
    for (int at : TickOffsets(Geometry(), frequency_)) {
      if (Horizontal()) {
        c.MoveTo(at, Height() - kTickLength);
        c.LineTo(at, Height());
      } else {
        c.MoveTo(0, at);
        c.LineTo(kTickLength, at);
        c.MoveTo(Width() - kTickLength, at);
        c.LineTo(Width(), at);
      }
    }
  }
  GetCanvas().Draw(0, 0, picture);
}

// --- mouse and keys ---

void TsuiTrackBar::MouseDown(fw::MouseButton button, unsigned shift, int x, int y) {
  fw::Panel::MouseDown(button, shift, x, y);
  if (button != fw::MouseButton::kLeft) return;
  const Point slider_at = ValueToPixel();
  SetPositionClamped(PageTowardPointer(position_, page_size_,
                                       Horizontal() ? slider_at.x : slider_at.y,
                                       Horizontal() ? x : y, PixelToValue(x, y)));
  if (repeat_timer_ == nullptr) {
    repeat_timer_ = std::make_unique<fw::Timer>(nullptr);
    repeat_timer_->SetInterval(kRepeatIntervalMs);
    repeat_timer_->SetOnTimer([this](fw::Component*) { StepTowardPointer(); });
    repeat_timer_->SetEnabled(true);
  }
  if (CanFocus() && Enabled()) SetFocus();
}

void TsuiTrackBar::StepTowardPointer() {
  const Point pointer = ScreenToClient(fw::App().Windows().CursorPos());
  const Point slider_at = ValueToPixel();
  const int64_t step = int64_t(page_size_) * (Horizontal() ? kHorizontalRepeatPages : 1);
  SetPositionClamped(PageTowardPointer(position_, step, Horizontal() ? slider_at.x : slider_at.y,
                                       Horizontal() ? pointer.x : pointer.y,
                                       PixelToValue(pointer.x, pointer.y)));
}

void TsuiTrackBar::StopPaging() {
  repeat_timer_.reset();
}

void TsuiTrackBar::MouseMove(unsigned shift, int x, int y) {
  fw::Panel::MouseMove(shift, x, y);
  if (dragging_) {
    position_ = int(std::clamp<int64_t>(PixelToValue(x, y), min_, max_));
    const Point at = ValueToPixel();
    slider_->SetBounds(at.x, at.y, slider_->Width(), slider_->Height());
    ReportChange();
  } else if (x < 0 || y < 0 || x > Width() || y > Height()) {
    StopPaging();
  }
}

void TsuiTrackBar::MouseUp(fw::MouseButton button, unsigned shift, int x, int y) {
  fw::Panel::MouseUp(button, shift, x, y);
  StopPaging();
  dragging_ = false;
  SetMouseCapture(false);
}

void TsuiTrackBar::SliderMouseDown(fw::MouseButton button, unsigned shift, int x, int y) {
  if (!Enabled()) return;
  drag_start_ = Horizontal() ? x : y;
  dragging_ = true;
  if (CanFocus()) SetFocus();
  // Every move and the release now reach the track bar, in its own coordinates.
  if (fw::Form* form = ParentForm()) form->SetCaptureControl(this);
  if (OnMouseDown) OnMouseDown(this, button, shift, x + slider_->Left(), y + slider_->Top());
}

void TsuiTrackBar::SliderMouseUp(fw::MouseButton button, unsigned shift, int x, int y) {
  // Normally the track bar holds the capture by now and hears the release itself.
  MouseUp(button, shift, x + slider_->Left(), y + slider_->Top());
}

void TsuiTrackBar::KeyDown(uint32_t& key, unsigned shift) {
  fw::Panel::KeyDown(key, shift);
  const int64_t at = position_;
  switch (key) {
    case fw::VK_PRIOR:
      SetPositionClamped(at - page_size_);
      break;
    case fw::VK_NEXT:
      SetPositionClamped(at + page_size_);
      break;
    case fw::VK_END:
      SetPosition(max_);
      break;
    case fw::VK_HOME:
      SetPosition(min_);
      break;
    case fw::VK_LEFT:
    case fw::VK_UP:
      SetPositionClamped(at - line_size_);
      break;
    case fw::VK_RIGHT:
    case fw::VK_DOWN:
      SetPositionClamped(at + line_size_);
      break;
    default:
      break;
  }
}

void TsuiTrackBar::WndProc(fw::Message& message) {
  if (message.msg == fw::WM_GETDLGCODE) {
    message.result = fw::DLGC_WANTARROWS;
    return;
  }
  fw::Panel::WndProc(message);
}

void TsuiTrackBar::Notification(fw::Component* component, fw::Operation operation) {
  fw::Panel::Notification(component, operation);
  if (operation == fw::Operation::kRemove && component != nullptr && component == file_theme_) {
    file_theme_ = nullptr;
    SetUIStyle(TsuiUIStyle::DeepBlue);
  }
}

}  // namespace somnara::skin
