#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/default_frame.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/brush.h"
#include "framework/win_control.h"
#include "platform/native_window.h"

namespace somnara::fw {

class Canvas;
class Timer;

enum class Position {
  kDesigned,
  kDefault,
  kScreenCenter,
  kDesktopCenter,
  kMainFormCenter,
  kOwnerFormCenter
};
inline const std::vector<std::string> kPositionNames = {"poDesigned",       "poDefault",
                                                        "poScreenCenter",   "poDesktopCenter",
                                                        "poMainFormCenter", "poOwnerFormCenter"};

enum class FormStyle { kNormal, kStayOnTop };
inline const std::vector<std::string> kFormStyleNames = {"fsNormal", "fsStayOnTop"};

enum class WindowState { kNormal, kMinimized, kMaximized };
inline const std::vector<std::string> kWindowStateNames = {"wsNormal", "wsMinimized",
                                                           "wsMaximized"};

// Modal results.
inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;

// A top-level window: a desktop window of its own, a non-client area (border and caption)
// sized through WM_NCCALCSIZE and painted through WM_NCPAINT, whole-window opacity, a
// window region, modal showing, and closing with OnCloseQuery and OnClose.
//
// Its jobs live in files of their own: the default frame (default_frame.*), painting
// (form_painting.cpp), input routing and focus (form_input.cpp), the modal loop and
// closing (form_modal.cpp); form.cpp keeps the properties, the window procedure and
// showing.
class Form : public CustomControl, private platform::NativeWindowListener {
 public:
  explicit Form(Component* owner);
  ~Form() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  // Creation as the program does it: the window description named after the class
  // ("forms/<ClassName>.wnd") is applied when there is one, then OnCreate runs, then the
  // form shows itself if its description made it visible. Call once, right after new.
  void AfterConstruction();

  void SetName(const std::string& name) override;

  // Window text; also the caption of the default frame.
  void SetCaption(const std::string& text) override;
  BorderStyle GetBorderStyle() const { return border_style_; }
  void SetBorderStyle(BorderStyle style);
  uint32_t BorderIcons() const { return border_icons_; }
  void SetBorderIcons(uint32_t icons);
  int BorderWidth() const { return border_width_; }
  void SetBorderWidth(int width);
  fw::Position GetPosition() const { return position_; }
  void SetPosition(fw::Position position) { position_ = position; }
  fw::FormStyle GetFormStyle() const { return form_style_; }
  void SetFormStyle(fw::FormStyle style);
  fw::WindowState GetWindowState() const { return window_state_; }
  void SetWindowState(fw::WindowState state);
  bool AlphaBlend() const { return alpha_blend_; }
  void SetAlphaBlend(bool on);
  int AlphaBlendValue() const { return alpha_value_; }
  void SetAlphaBlendValue(int value);
  bool KeyPreview() const { return key_preview_; }
  void SetKeyPreview(bool on) { key_preview_ = on; }
  int MinWidth() const { return min_width_; }
  void SetMinWidth(int v) { min_width_ = v; }
  int MinHeight() const { return min_height_; }
  void SetMinHeight(int v) { min_height_ = v; }
  bool AutoScroll() const { return auto_scroll_; }
  void SetAutoScroll(bool on) { auto_scroll_ = on; }
  bool Scaled() const { return scaled_; }
  void SetScaled(bool on) { scaled_ = on; }
  // The window's background: its colour, or a picture repeated from the top-left corner.
  fw::Brush& GetBrush() { return brush_; }

  // The window's style bits (WS_CAPTION and friends) as the desktop platform keeps them.
  uint32_t WindowStyle() const { return style_; }
  void SetWindowStyle(uint32_t style) { style_ = style; }
  // SWP_FRAMECHANGED recomputes the non-client area through WM_NCCALCSIZE.
  void SetWindowPos(uint32_t flags);

  // The default frame's parts for the current style and size, as the desktop would draw
  // them (whoever answers WM_NCCALCSIZE decides the client area in the end).
  FrameMetrics DefaultFrame() const;
  // Client area within the window, as WM_NCCALCSIZE decided (window pixels).
  Rect ClientRect() const override;
  Rect ClientInWindow() const { return client_in_window_; }
  void SetClientWidth(int v) override;
  void SetClientHeight(int v) override;
  void SetBounds(int left, int top, int width, int height) override;

  // Opacity and region reach the desktop window at once.
  const Region& WindowRegion() const { return region_; }
  void SetWindowRegion(const Region& region);

  // Drawing on the whole window, frame included (window pixels; origin at the top-left).
  Canvas& WindowCanvas();
  // Sends a drawn area of the window to the screen at the next idle moment.
  void InvalidateWindowArea(const Rect& window_rect);
  void InvalidateFrame();
  void Invalidate() override;
  const Bitmap& WindowPixels() const { return pixels_; }
  const Bitmap& WindowPixels() {
    EnsurePixels();
    return pixels_;
  }
  // Paints what is invalid and presents it; nothing while the window cannot be seen.
  void PaintNow();
  // Whether any of the window can be seen: not while other windows cover all of it or the
  // display is off. Timers and animations go on meanwhile; only their drawing waits.
  bool Seen() const { return seen_; }

  void SetVisible(bool visible) override;
  void Show();
  void Hide();
  int ShowModal();
  bool IsModal() const { return modal_; }
  int ModalResult() const { return modal_result_; }
  void SetModalResult(int result);
  // Set by message boxes: windows shown modally later leave them usable.
  void SetNeverBlocked(bool on) { never_blocked_ = on; }
  void Close();
  bool CloseQuery();
  bool Active() const { return active_; }
  Control* ActiveControl() const { return active_control_; }
  void SetActiveControl(WinControl* control);
  void FocusControl(WinControl* control);
  // Moves the focus to the next (or previous) control in tab order.
  void SelectNext(WinControl* current, bool forward);

  // The control that takes every mouse message of this window wherever the pointer is,
  // typically while a button is held on it; none when nobody holds the capture.
  Control* CaptureControl() const { return capture_; }
  // Gives the capture to `control` (none: releases it) and tells the desktop window.
  void SetCaptureControl(Control* control);
  void ReleaseCapture() { SetCaptureControl(nullptr); }
  // A control (or an ancestor of it) leaves this window: it no longer holds the capture,
  // the pointer or the focus. Only its address is used; it may be half destroyed.
  void ForgetControl(const Component* control);

  platform::NativeWindow* NativeWindow() const { return native_.get(); }
  Form* OwnerForm() const;

  NotifyEvent OnCreate;
  NotifyEvent OnDestroy;
  NotifyEvent OnShow;
  NotifyEvent OnHide;
  NotifyEvent OnActivate;
  NotifyEvent OnDeactivate;
  NotifyEvent OnPaint;
  NotifyEvent OnResize;
  CloseEvent OnClose;
  CloseQueryEvent OnCloseQuery;

  // Where the default frame draws its caption and border (for the skin library's reference).
  static int DefaultCaptionHeight() { return kDefaultCaptionHeight; }

 protected:
  void WndProc(Message& message) override;
  void DefaultHandler(Message& message) override;
  void Paint() override;
  void DoClose(CloseAction& action);
  void Activate(bool active);
  void EraseBackground(Canvas& canvas) override;
  void Notification(Component* component, Operation operation) override;

 private:
  // Input routing and focus (form_input.cpp).
  void OnNativeEvent(const platform::InputEvent& event) override;
  void DeliverMouse(const platform::InputEvent& event);
  void DeliverKey(const platform::InputEvent& event);
  void SetHover(Control* control);
  void LeaveNonClient();
  WinControl* KeyTarget();
  void HandleDialogKey(Message& message);
  void HandleDialogChar(Message& message);
  // The modal loop (form_modal.cpp).
  bool InputBlocked() const;
  void BlockOtherForms();
  void ReleaseBlockedForms();
  bool FinishModal();
  // Painting (form_painting.cpp).
  void ResizePixels();
  void EnsurePixels();
  void Repaint();
  void Present();
  void SetSeen(bool seen);

  void CreateNativeWindow();
  void ApplyPosition();
  void RecalcNonClient();
  void PushOpacity();

  BorderStyle border_style_ = BorderStyle::kSizeable;
  uint32_t border_icons_ = biSystemMenu | biMinimize | biMaximize;
  int border_width_ = 0;
  fw::Position position_ = fw::Position::kDesigned;
  fw::FormStyle form_style_ = fw::FormStyle::kNormal;
  fw::WindowState window_state_ = fw::WindowState::kNormal;
  Rect restore_bounds_;  // bounds before the window was last maximised
  bool alpha_blend_ = false;
  int alpha_value_ = 255;
  bool key_preview_ = false;
  int min_width_ = 0;
  int min_height_ = 0;
  bool auto_scroll_ = false;
  bool scaled_ = true;
  fw::Brush brush_;
  uint32_t style_ = 0;
  Rect client_in_window_;
  Region region_;
  Bitmap pixels_;
  Rect dirty_client_;   // window pixels to repaint
  Rect dirty_present_;  // window pixels to send to the screen
  bool frame_dirty_ = true;
  bool seen_ = true;
  std::unique_ptr<platform::NativeWindow> native_;
  bool shown_once_ = false;
  bool modal_ = false;
  int modal_result_ = mrNone;
  bool active_ = false;
  WinControl* active_control_ = nullptr;
  int disabled_by_modal_ = 0;
  std::vector<Form*> blocked_;
  bool never_blocked_ = false;
  bool closed_while_nested_ = false;
  Control* capture_ = nullptr;
  Control* hover_ = nullptr;
  bool pointer_in_non_client_ = false;
};

// The form that has the keyboard, or none.
Form* ActiveForm();

}  // namespace somnara::fw
