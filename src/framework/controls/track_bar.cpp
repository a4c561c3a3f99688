#include "framework/controls/track_bar.h"

#include <algorithm>

#include "framework/controls/draw_helpers.h"
#include "framework/graphics/canvas.h"

namespace somnara::fw {
namespace {
constexpr int kEdgeRoom = 8;  // from the control's ends to the channel's usable range
}  // namespace

const ClassInfo& TrackBar::StaticClassInfo() {
  static const RegisteredClassInfo info = [] {
    ClassInfo i("TTrackBar", &WinControl::StaticClassInfo(),
                [](Component* o) { return new TrackBar(o); });
    i.Add(IntegerProperty<TrackBar>("Min", &TrackBar::Min, &TrackBar::SetMin));
    i.Add(IntegerProperty<TrackBar>("Max", &TrackBar::Max, &TrackBar::SetMax));
    i.Add(IntegerProperty<TrackBar>("Position", &TrackBar::Position, &TrackBar::SetPosition));
    i.Add(IntegerProperty<TrackBar>("Frequency", &TrackBar::Frequency, &TrackBar::SetFrequency));
    i.Add(IntegerProperty<TrackBar>("PageSize", &TrackBar::PageSize, &TrackBar::SetPageSize));
    i.Add(IntegerProperty<TrackBar>("LineSize", &TrackBar::LineSize, &TrackBar::SetLineSize));
    i.Add(EnumProperty<TrackBar, TrackBarOrientation>("Orientation", kTrackBarOrientationNames,
                                                      &TrackBar::Orientation,
                                                      &TrackBar::SetOrientation));
    i.Add(EnumProperty<TrackBar, fw::TickStyle>("TickStyle", kTickStyleNames,
                                                &TrackBar::GetTickStyle, &TrackBar::SetTickStyle));
    i.Add(EnumProperty<TrackBar, TickMark>("TickMarks", kTickMarkNames, &TrackBar::TickMarks,
                                           &TrackBar::SetTickMarks));
    i.Add(IntegerProperty<TrackBar>("ThumbLength", &TrackBar::ThumbLength,
                                    &TrackBar::SetThumbLength));
    i.Add(IntegerProperty<TrackBar>("SelStart", &TrackBar::SelStart, &TrackBar::SetSelStart));
    i.Add(IntegerProperty<TrackBar>("SelEnd", &TrackBar::SelEnd, &TrackBar::SetSelEnd));
    i.Add(BoolProperty<TrackBar>("SliderVisible", &TrackBar::SliderVisible,
                                 &TrackBar::SetSliderVisible));
    i.Add(EventProperty<TrackBar>("OnChange", &TrackBar::OnChange));
    return i;
  }();
  return info;
}

TrackBar::TrackBar(Component* owner) : WinControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 150, 45);
}

TrackBar::~TrackBar() {
  BeginDestruction();
}

void TrackBar::ClampPosition() {
  int lo = std::min(min_, max_), hi = std::max(min_, max_);
  int clamped = std::clamp(position_, lo, hi);
  if (clamped != position_) {
    position_ = clamped;
    Changed();
  }
}

void TrackBar::Loaded() {
  WinControl::Loaded();
  ClampPosition();
}

void TrackBar::SetMin(int v) {
  min_ = v;
  if (!IsLoading()) ClampPosition();
  Invalidate();
}

void TrackBar::SetMax(int v) {
  max_ = v;
  if (!IsLoading()) ClampPosition();
  Invalidate();
}

void TrackBar::SetPosition(int v) {
  // While a description is read, Max may come after Position; the range applies later.
  if (!IsLoading()) v = std::clamp(v, std::min(min_, max_), std::max(min_, max_));
  if (v == position_) return;
  position_ = v;
  Invalidate();
  Changed();
}

void TrackBar::SetFrequency(int v) {
  frequency_ = v;
  Invalidate();
}

void TrackBar::SetOrientation(TrackBarOrientation o) {
  orientation_ = o;
  Invalidate();
}

void TrackBar::SetTickStyle(fw::TickStyle style) {
  tick_style_ = style;
  Invalidate();
}

void TrackBar::SetTickMarks(TickMark marks) {
  tick_marks_ = marks;
  Invalidate();
}

void TrackBar::SetThumbLength(int length) {
  thumb_length_ = std::max(4, length);
  Invalidate();
}

void TrackBar::SetSliderVisible(bool on) {
  slider_visible_ = on;
  Invalidate();
}

void TrackBar::SetTick(int value) {
  ticks_.push_back(value);
  Invalidate();
}

void TrackBar::ClearTicks() {
  ticks_.clear();
  Invalidate();
}

void TrackBar::Changed() {
  if (!IsLoading() && OnChange) OnChange(this);
}

int TrackBar::ThumbBreadth() const {
  return std::max(5, thumb_length_ / 2 + 1);
}

Rect TrackBar::ChannelRect() const {
  int across = Horizontal() ? Height() : Width();
  int along = Horizontal() ? Width() : Height();
  // The thumb sits in the middle across, moved away from the side with ticks.
  int start = std::min(across / 2, 8 + (tick_marks_ == TickMark::kTopLeft ? 4 : 0));
  if (tick_marks_ == TickMark::kBoth) start = (across - 4) / 2;
  int a0 = kEdgeRoom, a1 = std::max(a0 + 1, along - kEdgeRoom);
  int c0 = start + std::min(thumb_length_, across) / 2 - 2;
  return Horizontal() ? Rect{a0, c0, a1, c0 + 4} : Rect{c0, a0, c0 + 4, a1};
}

int TrackBar::ValueToPixel(int value) const {
  Rect ch = ChannelRect();
  int p0 = Horizontal() ? ch.left : ch.top;
  int p1 = (Horizontal() ? ch.right : ch.bottom) - 1;
  if (max_ == min_) return p0;
  return p0 + int(int64_t(value - min_) * (p1 - p0) / (int64_t(max_) - min_));
}

int TrackBar::PixelToValue(int pixel) const {
  Rect ch = ChannelRect();
  int p0 = Horizontal() ? ch.left : ch.top;
  int p1 = (Horizontal() ? ch.right : ch.bottom) - 1;
  if (p1 <= p0) return min_;
  pixel = std::clamp(pixel, p0, p1);
  // Rounded to the nearest value.
  int64_t span = int64_t(max_) - min_;
  return min_ + int((int64_t(pixel - p0) * span * 2 + (p1 - p0)) / (int64_t(p1 - p0) * 2));
}

Rect TrackBar::ThumbRect() const {
  Rect ch = ChannelRect();
  int across = Horizontal() ? Height() : Width();
  int len = std::min(thumb_length_, across);
  int b = ThumbBreadth();
  int p = ValueToPixel(position_);
  int c0 = (Horizontal() ? ch.top + ch.bottom : ch.left + ch.right) / 2 - len / 2;
  return Horizontal() ? Rect::FromSize(p - b / 2, c0, b, len)
                      : Rect::FromSize(c0, p - b / 2, len, b);
}

void TrackBar::WndProc(Message& m) {
  if (m.msg == WM_GETDLGCODE) {
    m.result = DLGC_WANTARROWS;
    return;
  }
  WinControl::WndProc(m);
}

void TrackBar::KeyDown(uint32_t& key, unsigned shift) {
  WinControl::KeyDown(key, shift);
  switch (key) {
    case VK_PRIOR:
      SetPosition(position_ - page_size_);
      break;
    case VK_NEXT:
      SetPosition(position_ + page_size_);
      break;
    case VK_END:
      SetPosition(max_);
      break;
    case VK_HOME:
      SetPosition(min_);
      break;
    case VK_LEFT:
    case VK_UP:
      SetPosition(position_ - line_size_);
      break;
    case VK_RIGHT:
    case VK_DOWN:
      SetPosition(position_ + line_size_);
      break;
    default:
      return;
  }
  key = 0;
}

void TrackBar::MouseDown(MouseButton button, unsigned shift, int x, int y) {
  if (button == MouseButton::kLeft) {
    if (CanFocus()) SetFocus();
    Rect thumb = ThumbRect();
    int along = Horizontal() ? x : y;
    if (slider_visible_ && thumb.Contains({x, y})) {
      dragging_ = true;
      drag_offset_ = along - ValueToPixel(position_);
    } else {
      int thumb_at = ValueToPixel(position_);
      if (along < thumb_at)
        SetPosition(position_ - page_size_);
      else if (along > thumb_at)
        SetPosition(position_ + page_size_);
    }
  }
  WinControl::MouseDown(button, shift, x, y);
}

void TrackBar::MouseMove(unsigned shift, int x, int y) {
  if (dragging_) SetPosition(PixelToValue((Horizontal() ? x : y) - drag_offset_));
  WinControl::MouseMove(shift, x, y);
}

void TrackBar::MouseUp(MouseButton button, unsigned shift, int x, int y) {
  if (button == MouseButton::kLeft && dragging_) {
    SetPosition(PixelToValue((Horizontal() ? x : y) - drag_offset_));
    dragging_ = false;
  }
  WinControl::MouseUp(button, shift, x, y);
}

void TrackBar::Paint() {
  Canvas& c = GetCanvas();
  Rect client = ClientRect();
  if (!Transparent()) {
    c.Brush().SetColor(GetColor());
    c.FillRect(client);
  }
  Rect ch = ChannelRect();
  Rect channel = ch;
  Frame3D(c, channel, clBtnShadow, clBtnHighlight, 1);
  Frame3D(c, channel, cl3DDkShadow, cl3DLight, 1);
  Rect thumb = ThumbRect();

  // Ticks beside the thumb: every Frequency from Min, and both ends.
  if (tick_style_ != fw::TickStyle::kNone) {
    std::vector<int> values;
    if (tick_style_ == fw::TickStyle::kAuto && frequency_ > 0 && max_ > min_) {
      for (int64_t v = min_; v <= max_ && values.size() < 4096; v += frequency_)
        values.push_back(int(v));
    } else {
      values = ticks_;
    }
    values.push_back(min_);
    values.push_back(max_);
    c.Pen() = Pen();
    c.Pen().SetColor(clBtnText);
    for (int v : values) {
      int p = ValueToPixel(v);
      if (Horizontal()) {
        if (tick_marks_ != TickMark::kTopLeft) {
          c.MoveTo(p, thumb.bottom + 2);
          c.LineTo(p, thumb.bottom + 5);
        }
        if (tick_marks_ != TickMark::kBottomRight) {
          c.MoveTo(p, thumb.top - 5);
          c.LineTo(p, thumb.top - 2);
        }
      } else {
        if (tick_marks_ != TickMark::kTopLeft) {
          c.MoveTo(thumb.right + 2, p);
          c.LineTo(thumb.right + 5, p);
        }
        if (tick_marks_ != TickMark::kBottomRight) {
          c.MoveTo(thumb.left - 5, p);
          c.LineTo(thumb.left - 2, p);
        }
      }
    }
  }
  if (slider_visible_) {
    c.Brush().SetColor(clBtnFace);
    c.FillRect(thumb);
    Rect edge = thumb;
    DrawRaisedEdge(c, edge);
  }
  if (Focused()) {
    c.Brush() = Brush();
    c.DrawFocusRect(client);
  }
}

}  // namespace somnara::fw
