#pragma once

#include <cstdint>
#include <memory>

#include "framework/graphics/bitmap.h"
#include "framework/timer.h"
#include "framework/win_control.h"
#include "skin/styles/tsui_ui_style.h"

namespace somnara::fw {
class Canvas;
}

namespace somnara::skin {

class TsuiFileTheme;

// A push button whose face is a three-state picture (normal, hot, pressed) of its style or
// skin theme. It clicks like a desktop push button (release inside, Space and Enter,
// default and cancel buttons, access keys, modal result) and, while the left button is
// held on it, fires OnMouseContinuouslyDown at a fixed interval. Every paint composes the
// whole button off screen and copies it in one go, and the background is never erased
// first, so it does not flicker.
class TsuiCustomButton : public fw::CustomControl {
 public:
  explicit TsuiCustomButton(fw::Component* owner);
  ~TsuiCustomButton() override;
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  // Setting either applies the style anew (ApplyStyle).
  TsuiFileTheme* FileTheme() const { return file_theme_; }
  void SetFileTheme(TsuiFileTheme* theme);
  TsuiUIStyle UIStyle() const { return ui_style_; }
  void SetUIStyle(TsuiUIStyle style);

  bool Cancel() const { return cancel_; }
  void SetCancel(bool on) { cancel_ = on; }
  // Changing it makes every button of the form work out again whether Enter is its own.
  bool Default() const { return default_; }
  void SetDefault(bool on);
  int ModalResult() const { return modal_result_; }
  void SetModalResult(int result) { modal_result_ = result; }
  void SetTransparent(bool on) override;
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool on);
  int FocusedRectMargin() const { return focused_rect_margin_; }
  void SetFocusedRectMargin(int margin);
  int MouseContinuouslyDownInterval() const { return repeat_interval_; }
  void SetMouseContinuouslyDownInterval(int ms) { repeat_interval_ = ms; }
  // Kept for stored windows: always 0, writing changes nothing.
  int ResHandle() const { return 0; }
  void SetResHandle(int) {}

  // The state the button shows.
  bool Hot() const { return hot_; }
  bool Down() const { return down_; }
  // Whether Enter clicks this button now: it has the focus, or no button has it and it is
  // the default one.
  bool DefaultActive() const { return default_active_; }
  // Whether the auto-repeat timer runs.
  bool Repeating() const { return repeat_timer_ != nullptr; }

  // Sets the parent form's modal result (also 0), then runs OnClick.
  void Click() override;
  // A press in progress is given up (the platform's cancel mode).
  void CancelMode();

  void KeyDown(uint32_t& key, unsigned shift) override;
  void KeyUp(uint32_t& key, unsigned shift) override;

  fw::NotifyEvent OnMouseExit;
  fw::NotifyEvent OnMouseContinuouslyDown;

 protected:
  // The steps a derived button replaces.
  virtual void UpdateAutoSize();
  virtual void CaptionChanged() {}
  void FontChanged() override { Invalidate(); }
  virtual void UpdateTransparent();
  void EnabledChanged() override { Invalidate(); }
  virtual void ApplyStyle() {}
  // The face picture, unscaled at the top-left, keyed on its top-left pixel when the
  // button is drawn see-through.
  virtual void DrawFace(fw::Canvas& canvas, const fw::Bitmap& face);
  // The caption centred, word-wrapped, embossed when disabled, bold when asked.
  virtual void DrawCaption(fw::Canvas& canvas);
  // A dotted rectangle FocusedRectMargin inside the edges.
  virtual void DrawFocus(fw::Canvas& canvas);
  // Frames 1, 2, 3 and 1 of the face strip of the style in force. Throw when the picture
  // cannot be had; leaving `target` empty counts the same.
  virtual void GetNormalImage(fw::Bitmap& target);
  virtual void GetMouseOnImage(fw::Bitmap& target);
  virtual void GetDownImage(fw::Bitmap& target);
  virtual void GetDisabledImage(fw::Bitmap& target);

  void WndProc(fw::Message& message) override;
  void Paint() override;
  void EraseBackground(fw::Canvas&) override {}
  void TextChanged() override;
  void MouseDown(fw::MouseButton button, unsigned shift, int x, int y) override;
  void MouseMove(unsigned shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void Notification(fw::Component* component, fw::Operation operation) override;

  // The caption drawn next is bold (the focus of some styles); cleared once drawn.
  bool bold_caption_ = false;
  // What DrawFace uses of Transparent.
  bool draw_transparent_ = false;

 private:
  void FaceFrame(fw::Bitmap& target, int frame) const;
  void StartRepeat();
  void StopRepeat();
  void FocusChanged();

  TsuiFileTheme* file_theme_ = nullptr;
  TsuiUIStyle ui_style_ = TsuiUIStyle::DeepBlue;
  bool cancel_ = false;
  bool default_ = false;
  bool default_active_ = false;
  int modal_result_ = 0;
  bool auto_size_ = false;
  int focused_rect_margin_ = 2;
  int repeat_interval_ = 100;
  bool hot_ = false;
  bool down_ = false;
  std::unique_ptr<fw::Timer> repeat_timer_;
  // A timer stopped from inside its own tick lives on until the tick is over.
  std::unique_ptr<fw::Timer> stopped_timer_;
  bool in_repeat_tick_ = false;
};

}  // namespace somnara::skin
