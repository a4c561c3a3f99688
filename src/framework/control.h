#pragma once

#include <cstdint>
#include <string>

#include "framework/component.h"
#include "framework/events.h"
#include "framework/graphics/color.h"
#include "framework/graphics/font.h"
#include "framework/messages.h"
#include "platform/geometry.h"

namespace somnara::fw {

class Canvas;
class Form;
class PopupMenu;
class WinControl;

enum class Align { kNone, kTop, kBottom, kLeft, kRight, kClient };
inline const std::vector<std::string> kAlignNames = {"alNone", "alTop",   "alBottom",
                                                     "alLeft", "alRight", "alClient"};

enum class Cursor { kDefault, kArrow, kHandPoint, kIBeam, kSizeAll, kWait };
inline const std::vector<std::string> kCursorNames = {"crDefault", "crArrow",   "crHandPoint",
                                                      "crIBeam",   "crSizeAll", "crHourGlass"};

// Anything placed on a window: position within its parent's client area, visibility,
// colours and font (inherited from the parent unless set), mouse events. Every control
// has a window procedure that can be replaced and chained, like a window of its own.
class Control : public Component {
 public:
  explicit Control(Component* owner);
  ~Control() override;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  WinControl* Parent() const { return parent_; }
  virtual void SetParent(WinControl* parent);
  void SetParentComponent(Component* parent) override;
  Form* ParentForm() const;

  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.Width(); }
  int Height() const { return bounds_.Height(); }
  void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
  void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
  void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
  void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
  Rect BoundsRect() const { return bounds_; }
  virtual void SetBounds(int left, int top, int width, int height);
  // The client area in the control's own coordinates.
  virtual Rect ClientRect() const { return {0, 0, Width(), Height()}; }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  virtual void SetClientWidth(int v) { SetWidth(v); }
  virtual void SetClientHeight(int v) { SetHeight(v); }

  Align GetAlign() const { return align_; }
  void SetAlign(Align align);
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);
  // Visible here and in every parent up to a showing form.
  bool Showing() const;

  Color GetColor() const { return color_; }
  virtual void SetColor(Color color);
  bool ParentColor() const { return parent_color_; }
  void SetParentColor(bool on);
  const Font& GetFont() const { return font_; }
  Font& MutableFont() { return font_; }
  virtual void SetFont(const Font& font);
  bool ParentFont() const { return parent_font_; }
  void SetParentFont(bool on);
  Cursor GetCursor() const { return cursor_; }
  void SetCursor(Cursor cursor) { cursor_ = cursor; }
  const std::string& Caption() const { return caption_; }
  std::string GetCaption() const { return caption_; }
  virtual void SetCaption(const std::string& text);
  std::string Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }
  PopupMenu* GetPopupMenu() const { return popup_menu_; }
  void SetPopupMenu(PopupMenu* menu);
  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool on);

  NotifyEvent OnClick;
  NotifyEvent OnDblClick;
  MouseEvent OnMouseDown;
  MouseEvent OnMouseUp;
  MouseMoveEvent OnMouseMove;
  NotifyEvent OnMouseEnter;
  NotifyEvent OnMouseLeave;

  // The window procedure: replace it to see every message first, and chain to the value it
  // had. Its initial value calls WndProc.
  WindowProcedure WindowProc;
  intptr_t Perform(uint32_t msg, uintptr_t wparam = 0, intptr_t lparam = 0);
  intptr_t Perform(Message& message);

  // Coordinates.
  Point ClientToScreen(Point p) const;
  Point ScreenToClient(Point p) const;
  // Where this control's client (0,0) lies in its form's window pixels.
  Point WindowOrigin() const;

  // Marks the control's area for repainting at the next idle moment.
  virtual void Invalidate();
  // Paints what is invalid now.
  void Update();
  void Repaint() {
    Invalidate();
    Update();
  }
  void BringToFront();
  void SendToBack();

  bool MouseCaptured() const;
  void SetMouseCapture(bool capture);
  virtual void Click();

  // Painting as part of its parent (graphic controls); windowed controls paint themselves.
  virtual void PaintAsChild(Canvas& canvas) {}
  virtual bool IsWindowed() const { return false; }

 protected:
  // The message handlers of the framework run here; overrides handle their messages and call
  // the base for the rest, which ends in DefaultHandler.
  virtual void WndProc(Message& message);
  virtual void DefaultHandler(Message& message) {}
  // Mouse events as the controls see them.
  virtual void MouseDown(MouseButton button, unsigned shift, int x, int y);
  virtual void MouseUp(MouseButton button, unsigned shift, int x, int y);
  virtual void MouseMove(unsigned shift, int x, int y);
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void FontChanged() { Invalidate(); }
  virtual void ColorChanged() { Invalidate(); }
  virtual void TextChanged() { Invalidate(); }
  virtual void EnabledChanged() { Invalidate(); }
  virtual void VisibleChanged() {}
  virtual void Resized() {}
  void Notification(Component* component, Operation operation) override;
  // The parent's colour or font changed: take it over when inheriting.
  void ParentColorChanged();
  void ParentFontChanged();
  // Sends a notification to every child control (none for a graphic control).
  void TellChildren(uint32_t msg);
  // Invalidates an area of the control (client coordinates).
  void InvalidateRect(const Rect& r);

  bool mouse_inside_ = false;
  bool mouse_down_ = false;

 private:
  friend class WinControl;
  friend class Form;
  WinControl* parent_ = nullptr;
  Rect bounds_;
  Align align_ = Align::kNone;
  bool visible_ = true;
  bool enabled_ = true;
  Color color_ = 0xFF00000F;  // button face
  bool parent_color_ = true;
  Font font_;
  bool parent_font_ = true;
  Cursor cursor_ = Cursor::kDefault;
  std::string caption_;
  std::string hint_;
  int tag_ = 0;
  PopupMenu* popup_menu_ = nullptr;
  bool transparent_ = false;
};

// A control without a window of its own, painted by its parent.
class GraphicControl : public Control {
 public:
  explicit GraphicControl(Component* owner);
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  // Valid while Paint runs.
  Canvas& GetCanvas() { return *canvas_; }
  void PaintAsChild(Canvas& canvas) override;

 protected:
  virtual void Paint() {}

 private:
  Canvas* canvas_ = nullptr;
};

// Registers the published properties every control shares.
void AddControlProperties(ClassInfo& info);

}  // namespace somnara::fw
