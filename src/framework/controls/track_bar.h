#pragma once

#include <string>
#include <vector>

#include "framework/win_control.h"

namespace somnara::fw {

enum class TrackBarOrientation { kHorizontal, kVertical };
inline const std::vector<std::string> kTrackBarOrientationNames = {"trHorizontal", "trVertical"};
enum class TickStyle { kNone, kAuto, kManual };
inline const std::vector<std::string> kTickStyleNames = {"tsNone", "tsAuto", "tsManual"};
enum class TickMark { kBottomRight, kTopLeft, kBoth };
inline const std::vector<std::string> kTickMarkNames = {"tmBottomRight", "tmTopLeft", "tmBoth"};

// A thumb on a channel for a whole number between Min and Max. Keys: arrows by LineSize,
// Page Up / Page Down by PageSize, Home and End to the ends; the mouse drags the thumb, and
// a press on the channel beside it moves a page towards the press. OnChange runs whenever
// Position changes, and only then.
class TrackBar : public WinControl {
 public:
  explicit TrackBar(Component* owner);
  ~TrackBar() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  int Min() const { return min_; }
  void SetMin(int v);
  int Max() const { return max_; }
  void SetMax(int v);
  int Position() const { return position_; }
  void SetPosition(int v);
  int Frequency() const { return frequency_; }
  void SetFrequency(int v);
  int PageSize() const { return page_size_; }
  void SetPageSize(int v) { page_size_ = v; }
  int LineSize() const { return line_size_; }
  void SetLineSize(int v) { line_size_ = v; }
  TrackBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TrackBarOrientation o);
  fw::TickStyle GetTickStyle() const { return tick_style_; }
  void SetTickStyle(fw::TickStyle style);
  TickMark TickMarks() const { return tick_marks_; }
  void SetTickMarks(TickMark marks);
  int ThumbLength() const { return thumb_length_; }
  void SetThumbLength(int length);
  // A selected range of the channel; kept for descriptions, not drawn.
  int SelStart() const { return sel_start_; }
  void SetSelStart(int v) { sel_start_ = v; }
  int SelEnd() const { return sel_end_; }
  void SetSelEnd(int v) { sel_end_ = v; }
  bool SliderVisible() const { return slider_visible_; }
  void SetSliderVisible(bool on);
  // Ticks of tsManual, besides the ends.
  void SetTick(int value);
  void ClearTicks();

  // Geometry, in client coordinates.
  Rect ChannelRect() const;
  Rect ThumbRect() const;
  // The pixel along the channel for a value, and back.
  int ValueToPixel(int value) const;
  int PixelToValue(int pixel) const;

  NotifyEvent OnChange;

  void Loaded() override;
  void KeyDown(uint32_t& key, unsigned shift) override;

 protected:
  void WndProc(Message& message) override;
  void Paint() override;
  void MouseDown(MouseButton button, unsigned shift, int x, int y) override;
  void MouseMove(unsigned shift, int x, int y) override;
  void MouseUp(MouseButton button, unsigned shift, int x, int y) override;
  virtual void Changed();
  bool Horizontal() const { return orientation_ == TrackBarOrientation::kHorizontal; }
  int ThumbBreadth() const;  // along the channel

 private:
  void ClampPosition();

  int min_ = 0;
  int max_ = 10;
  int position_ = 0;
  int frequency_ = 1;
  int page_size_ = 2;
  int line_size_ = 1;
  TrackBarOrientation orientation_ = TrackBarOrientation::kHorizontal;
  fw::TickStyle tick_style_ = fw::TickStyle::kAuto;
  TickMark tick_marks_ = TickMark::kBottomRight;
  int thumb_length_ = 20;
  bool slider_visible_ = true;
  int sel_start_ = 0;
  int sel_end_ = 0;
  std::vector<int> ticks_;
  bool dragging_ = false;
  int drag_offset_ = 0;
};

}  // namespace somnara::fw
