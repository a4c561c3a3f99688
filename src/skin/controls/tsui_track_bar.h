#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "framework/controls/panel.h"
#include "framework/graphics/bitmap.h"
#include "skin/controls/track_bar_geometry.h"
#include "skin/styles/tsui_ui_style.h"

namespace somnara::fw {
class Timer;
}

namespace somnara::skin {

class TsuiFileTheme;
class TsuiImagePanel;

enum class TsuiOrientation { suiHorizontal, suiVertical };
const std::vector<std::string>& OrientationNames();

// A slider drawn from pictures: a bar (three slices stretched along the control) and a
// slider picture on a child panel moving along it. It keeps a whole number Position
// between Min and Max, set by a click on the bar (a page toward the pointer, then, while
// the button is held, further pages every 100 ms up to the pointer), by dragging the
// slider, and by keys, and reports every real change once through OnChange.
class TsuiTrackBar : public fw::Panel {
 public:
  explicit TsuiTrackBar(fw::Component* owner);
  ~TsuiTrackBar() override;
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  TsuiOrientation Orientation() const { return orientation_; }
  void SetOrientation(TsuiOrientation orientation);
  TsuiFileTheme* FileTheme() const { return file_theme_; }
  // Applies the current style again with the theme.
  void SetFileTheme(TsuiFileTheme* theme);
  TsuiUIStyle UIStyle() const { return ui_style_; }
  // MacOS makes the control transparent.
  void SetUIStyle(TsuiUIStyle style);
  // The bar: three equal slices side by side (left cap, middle, right cap).
  const fw::Bitmap& BarImage() const { return bar_image_; }
  void SetBarImage(const fw::Bitmap& picture);
  const fw::Bitmap& SliderImage() const;
  void SetSliderImage(const fw::Bitmap& picture);

  // Max below Min is raised to it, Min above Max lowered to it; Position follows into
  // the range.
  int Max() const { return max_; }
  void SetMax(int v);
  int Min() const { return min_; }
  void SetMin(int v);
  int Position() const { return position_; }
  // Clamped into [Min, Max].
  void SetPosition(int v);
  // Taken only within 0..Max.
  int PageSize() const { return page_size_; }
  void SetPageSize(int v);
  int LineSize() const { return line_size_; }
  void SetLineSize(int v);
  bool ShowTick() const { return show_tick_; }
  void SetShowTick(bool on);
  void SetTransparent(bool on) override;
  int Frequency() const { return frequency_; }
  void SetFrequency(int v);

  fw::NotifyEvent OnChange;

  // The slider's top-left corner for the current position.
  Point ValueToPixel() const;
  // The value whose slider centre lies under a point of the client area; not clamped.
  int64_t PixelToValue(int x, int y) const;

  TsuiImagePanel& Slider() const { return *slider_; }
  // The bar as painted: as long as the control, as thick as the bar picture.
  const fw::Bitmap& BarStrip() const { return bar_strip_; }
  // How many times the bar strip has been built.
  int BarStripBuilds() const { return bar_strip_builds_; }
  // Whether a click on the bar is paging (held) or the slider being dragged.
  bool Paging() const { return repeat_timer_ != nullptr; }
  bool Dragging() const { return dragging_; }
  // Where the last drag of the slider began along the bar, in slider coordinates.
  int DragStart() const { return drag_start_; }

  void KeyDown(uint32_t& key, unsigned shift) override;

  // Published picture data.
  std::vector<uint8_t> BarImageBytes() const;
  void SetBarImageBytes(std::span<const uint8_t> bytes);
  std::vector<uint8_t> SliderImageBytes() const;
  void SetSliderImageBytes(std::span<const uint8_t> bytes);

 protected:
  void WndProc(fw::Message& message) override;
  void Paint() override;
  void MouseDown(fw::MouseButton button, unsigned shift, int x, int y) override;
  void MouseMove(unsigned shift, int x, int y) override;
  void MouseUp(fw::MouseButton button, unsigned shift, int x, int y) override;
  void Resized() override;
  void ColorChanged() override;
  void Notification(fw::Component* component, fw::Operation operation) override;

 private:
  bool Horizontal() const { return orientation_ == TsuiOrientation::suiHorizontal; }
  TrackBarGeometry Geometry() const;
  void Relayout();
  void ApplyStyle();
  void BuildBarStrip();
  void UpdateSlider();
  void ReportChange();
  void StepTowardPointer();
  void SetPositionClamped(int64_t v);
  void StopPaging();
  void SliderMouseDown(fw::MouseButton button, unsigned shift, int x, int y);
  void SliderMouseUp(fw::MouseButton button, unsigned shift, int x, int y);

  TsuiOrientation orientation_ = TsuiOrientation::suiHorizontal;
  TsuiFileTheme* file_theme_ = nullptr;
  TsuiUIStyle ui_style_ = TsuiUIStyle::DeepBlue;
  fw::Bitmap bar_image_;
  fw::Bitmap bar_strip_;
  int bar_strip_builds_ = 0;
  TsuiImagePanel* slider_ = nullptr;  // owned as a component of the track bar
  int max_ = 10;
  int min_ = 0;
  int position_ = 0;
  int page_size_ = 2;
  int line_size_ = 1;
  bool show_tick_ = true;
  int frequency_ = 1;
  std::unique_ptr<fw::Timer> repeat_timer_;
  bool dragging_ = false;
  int drag_start_ = 0;  // where the drag began along the bar; kept for handlers
  int last_reported_ = 0;
  bool relayout_running_ = false;
};

}  // namespace somnara::skin
