#include "framework/controls/scroll_bar.h"

#include <algorithm>
#include <cmath>

#include "framework/controls/draw_helpers.h"

namespace somnara::fw {

void ScrollBar::Update(const Rect& bounds, int total, int page, int position) {
  bounds_ = bounds;
  total_ = std::max(0, total);
  page_ = std::max(1, page);
  position_ = std::clamp(position, 0, MaxPosition());
}

int ScrollBar::MaxPosition() const {
  return std::max(0, total_ - page_);
}

Rect ScrollBar::UpArrow() const {
  int length = std::min(arrow_length_, bounds_.Height() / 2);
  return Rect::FromSize(bounds_.left, bounds_.top, bounds_.Width(), length);
}

Rect ScrollBar::DownArrow() const {
  Rect up = UpArrow();
  return Rect::FromSize(bounds_.left, bounds_.bottom - up.Height(), bounds_.Width(), up.Height());
}

Rect ScrollBar::Track() const {
  return {bounds_.left, UpArrow().bottom, bounds_.right, DownArrow().top};
}

Rect ScrollBar::Thumb() const {
  Rect track = Track();
  if (total_ <= page_ || track.Height() <= min_thumb_) return {};
  int height = std::min(track.Height(), std::max(min_thumb_, track.Height() * page_ / total_));
  int top = track.top + (track.Height() - height) * position_ / std::max(1, MaxPosition());
  return Rect::FromSize(track.left, top, track.Width(), height);
}

bool ScrollBar::ScrollTo(int position) {
  position = std::clamp(position, 0, MaxPosition());
  if (position == position_) return false;
  position_ = position;
  return true;
}

bool ScrollBar::Press(Point p) {
  held_ = dragging_ = false;
  if (!bounds_.Contains(p)) return false;
  held_ = true;
  if (arrow_length_ > 0 && UpArrow().Contains(p)) return ScrollTo(position_ - 1);
  if (arrow_length_ > 0 && DownArrow().Contains(p)) return ScrollTo(position_ + 1);
  Rect thumb = Thumb();
  if (thumb.IsEmpty()) {
    Rect track = Track();
    return ScrollTo(position_ + (p.y < track.top + track.Height() / 2 ? -page_ : page_));
  }
  if (p.y < thumb.top) return ScrollTo(position_ - page_);
  if (p.y >= thumb.bottom) return ScrollTo(position_ + page_);
  dragging_ = true;
  drag_start_y_ = p.y;
  drag_start_position_ = position_;
  return false;
}

bool ScrollBar::Drag(Point p) {
  if (!dragging_) return false;
  Rect thumb = Thumb();
  int travel = Track().Height() - thumb.Height();
  if (thumb.IsEmpty() || travel <= 0) return false;
  double rows = double(p.y - drag_start_y_) * MaxPosition() / travel;
  return ScrollTo(drag_start_position_ + int(std::lround(rows)));
}

void ScrollBar::Paint(Canvas& c) const {
  c.Brush() = Brush();
  c.Pen() = Pen();
  c.Brush().SetColor(clScrollBar);
  c.FillRect(bounds_);
  if (arrow_length_ > 0) {
    Rect up = UpArrow(), down = DownArrow();
    for (Rect box : {up, down}) {
      c.Brush().SetColor(clBtnFace);
      c.FillRect(box);
      DrawRaisedEdge(c, box);
    }
    // A small triangle in each box.
    c.Pen() = Pen();
    c.Pen().SetColor(clBtnText);
    int cx = up.left + up.Width() / 2;
    for (int i = 0; i < 4; ++i) {
      c.MoveTo(cx - i, up.top + up.Height() / 2 - 2 + i);
      c.LineTo(cx + i + 1, up.top + up.Height() / 2 - 2 + i);
      c.MoveTo(cx - 3 + i, down.top + down.Height() / 2 - 1 + i);
      c.LineTo(cx + 4 - i, down.top + down.Height() / 2 - 1 + i);
    }
  }
  Rect thumb = Thumb();
  if (thumb.IsEmpty()) return;
  c.Brush().SetColor(clBtnFace);
  c.FillRect(thumb);
  DrawRaisedEdge(c, thumb);
}

}  // namespace somnara::fw
