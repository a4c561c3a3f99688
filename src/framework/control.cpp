#include "framework/control.h"

#include <algorithm>

#include "framework/application.h"
#include "framework/controls/popup_menu.h"
#include "framework/form.h"
#include "framework/graphics/canvas.h"
#include "framework/win_control.h"

namespace somnara::fw {
namespace {

unsigned ShiftFromMouseKeys(uintptr_t keys) {
  return (keys & MK_SHIFT ? unsigned(ssShift) : 0u) | (keys & MK_CONTROL ? unsigned(ssCtrl) : 0u) |
         (keys & MK_LBUTTON ? unsigned(ssLeft) : 0u) |
         (keys & MK_RBUTTON ? unsigned(ssRight) : 0u) |
         (keys & MK_MBUTTON ? unsigned(ssMiddle) : 0u);
}

}  // namespace

void AddControlProperties(ClassInfo& i) {
  i.Add(IntegerProperty<Control>("Left", &Control::Left, &Control::SetLeft));
  i.Add(IntegerProperty<Control>("Top", &Control::Top, &Control::SetTop));
  i.Add(IntegerProperty<Control>("Width", &Control::Width, &Control::SetWidth));
  i.Add(IntegerProperty<Control>("Height", &Control::Height, &Control::SetHeight));
  i.Add(IntegerProperty<Control>("ClientWidth", &Control::ClientWidth, &Control::SetClientWidth));
  i.Add(
      IntegerProperty<Control>("ClientHeight", &Control::ClientHeight, &Control::SetClientHeight));
  i.Add(EnumProperty<Control, Align>("Align", kAlignNames, &Control::GetAlign, &Control::SetAlign));
  i.Add(BoolProperty<Control>("Visible", &Control::Visible, &Control::SetVisible));
  i.Add(BoolProperty<Control>("Enabled", &Control::Enabled, &Control::SetEnabled));
  i.Add(ColorProperty<Control>("Color", &Control::GetColor, &Control::SetColor));
  i.Add(BoolProperty<Control>("ParentColor", &Control::ParentColor, &Control::SetParentColor));
  i.Add(BoolProperty<Control>("ParentFont", &Control::ParentFont, &Control::SetParentFont));
  i.Add(EnumProperty<Control, Cursor>("Cursor", kCursorNames, &Control::GetCursor,
                                      &Control::SetCursor));
  i.Add(StringProperty<Control>("Caption", &Control::GetCaption, &Control::SetCaption));
  i.Add(StringProperty<Control>("Hint", &Control::Hint, &Control::SetHint));
  i.Add(IntegerProperty<Control>("Tag", &Control::Tag, &Control::SetTag));
  i.Add(ReferenceProperty<Control, PopupMenu>("PopupMenu", &Control::GetPopupMenu,
                                              &Control::SetPopupMenu));
  // Font parts, each through a copy so that the change notifications run.
  auto font_prop = [](const char* name, PropertyType type, auto get, auto set) {
    PropertyInfo p;
    p.name = name;
    p.type = type;
    p.get = [get](const Component& c) { return get(static_cast<const Control&>(c).GetFont()); };
    p.set = [set](Component& c, const Value& v) {
      auto& control = static_cast<Control&>(c);
      Font f = control.GetFont();
      set(f, v);
      control.SetFont(f);
    };
    return p;
  };
  i.Add(font_prop(
      "Font.Name", PropertyType::kString, [](const Font& f) { return Value::String(f.Name()); },
      [](Font& f, const Value& v) { f.SetName(ValueToString(v)); }));
  i.Add(font_prop(
      "Font.Height", PropertyType::kInteger,
      [](const Font& f) { return Value::Integer(f.Height()); },
      [](Font& f, const Value& v) { f.SetHeight(int(ValueToInteger(v))); }));
  i.Add(font_prop(
      "Font.Size", PropertyType::kInteger, [](const Font& f) { return Value::Integer(f.Size()); },
      [](Font& f, const Value& v) { f.SetSize(int(ValueToInteger(v))); }));
  i.Add(font_prop(
      "Font.Color", PropertyType::kColor, [](const Font& f) { return Value::Integer(f.Color()); },
      [](Font& f, const Value& v) { f.SetColor(ValueToColor(v)); }));
  i.Add(font_prop(
      "Font.Charset", PropertyType::kInteger,
      [](const Font& f) { return Value::Integer(f.Charset()); },
      [](Font& f, const Value& v) {
        if (v.kind == Value::Kind::kIdentifier)
          f.SetCharset(SameText(v.text, "GB2312_CHARSET") ? GB2312_CHARSET
                       : SameText(v.text, "ANSI_CHARSET") ? ANSI_CHARSET
                                                          : DEFAULT_CHARSET);
        else
          f.SetCharset(int(ValueToInteger(v)));
      }));
  static const std::vector<std::string> kStyles = {"fsBold", "fsItalic", "fsUnderline",
                                                   "fsStrikeOut"};
  PropertyInfo style = font_prop(
      "Font.Style", PropertyType::kSet,
      [](const Font& f) {
        std::vector<std::string> on;
        for (size_t b = 0; b < kStyles.size(); ++b)
          if (f.Style() & (1u << b)) on.push_back(kStyles[b]);
        return Value::Set(on);
      },
      [](Font& f, const Value& v) { f.SetStyle(ValueToSet(v, kStyles)); });
  style.names = kStyles;
  i.Add(std::move(style));
  i.Add(EventProperty<Control>("OnClick", &Control::OnClick));
  i.Add(EventProperty<Control>("OnDblClick", &Control::OnDblClick));
  i.Add(EventProperty<Control>("OnMouseDown", &Control::OnMouseDown));
  i.Add(EventProperty<Control>("OnMouseUp", &Control::OnMouseUp));
  i.Add(EventProperty<Control>("OnMouseMove", &Control::OnMouseMove));
  i.Add(EventProperty<Control>("OnMouseEnter", &Control::OnMouseEnter));
  i.Add(EventProperty<Control>("OnMouseLeave", &Control::OnMouseLeave));
}

const ClassInfo& Control::StaticClassInfo() {
  static const ClassInfo info = [] {
    ClassInfo i("TControl", &Component::StaticClassInfo());
    AddControlProperties(i);
    return i;
  }();
  return info;
}

Control::Control(Component* owner) : Component(owner) {
  WindowProc = [this](Message& m) { WndProc(m); };
}

Control::~Control() {
  BeginDestruction();
  if (parent_ != nullptr) parent_->RemoveControl(this);
}

void Control::SetParentComponent(Component* parent) {
  if (auto* w = dynamic_cast<WinControl*>(parent)) SetParent(w);
}

void Control::SetParent(WinControl* parent) {
  if (parent_ == parent) return;
  if (parent == this) throw Exception("A control cannot be its own parent");
  if (parent_ != nullptr) {
    Invalidate();
    parent_->RemoveControl(this);
  }
  if (parent != nullptr) {
    parent->InsertControl(this);
    if (parent_color_) color_ = parent->GetColor();
    if (parent_font_) font_ = parent->GetFont();
    if (align_ != Align::kNone) parent->Realign();
    Invalidate();
  }
}

Form* Control::ParentForm() const {
  const Control* c = this;
  while (c->parent_ != nullptr) c = c->parent_;
  return const_cast<Form*>(dynamic_cast<const Form*>(c));
}

void Control::SetBounds(int left, int top, int width, int height) {
  Rect r = Rect::FromSize(left, top, std::max(0, width), std::max(0, height));
  if (r == bounds_) return;
  bool resized = r.Width() != bounds_.Width() || r.Height() != bounds_.Height();
  if (parent_ != nullptr) Invalidate();
  bounds_ = r;
  if (parent_ != nullptr) Invalidate();
  if (resized) Resized();
  if (parent_ != nullptr && align_ != Align::kNone) parent_->Realign();
}

void Control::SetAlign(Align align) {
  if (align_ == align) return;
  align_ = align;
  if (parent_ != nullptr) parent_->Realign();
}

void Control::SetVisible(bool visible) {
  if (visible_ == visible) return;
  if (visible_) Invalidate();
  visible_ = visible;
  if (visible_) Invalidate();
  VisibleChanged();
  Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
  if (parent_ != nullptr && align_ != Align::kNone) parent_->Realign();
}

void Control::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  EnabledChanged();
  Perform(CM_ENABLEDCHANGED);
}

bool Control::Showing() const {
  for (const Control* c = this; c != nullptr; c = c->parent_) {
    if (!c->visible_) return false;
    if (c->parent_ == nullptr) return dynamic_cast<const Form*>(c) != nullptr;
  }
  return false;
}

void Control::SetColor(Color color) {
  parent_color_ = false;
  if (color_ == color) return;
  color_ = color;
  ColorChanged();
  Perform(CM_COLORCHANGED);
  TellChildren(CM_PARENTCOLORCHANGED);
}

void Control::SetParentColor(bool on) {
  parent_color_ = on;
  if (on && parent_ != nullptr) ParentColorChanged();
}

void Control::ParentColorChanged() {
  if (!parent_color_ || parent_ == nullptr) return;
  color_ = parent_->GetColor();
  ColorChanged();
  TellChildren(CM_PARENTCOLORCHANGED);
}

void Control::SetFont(const Font& font) {
  parent_font_ = false;
  if (font_ == font) return;
  font_ = font;
  FontChanged();
  Perform(CM_FONTCHANGED);
  TellChildren(CM_PARENTFONTCHANGED);
}

void Control::SetParentFont(bool on) {
  parent_font_ = on;
  if (on && parent_ != nullptr) ParentFontChanged();
}

void Control::ParentFontChanged() {
  if (!parent_font_ || parent_ == nullptr) return;
  font_ = parent_->GetFont();
  FontChanged();
  TellChildren(CM_PARENTFONTCHANGED);
}

// Children that inherit a property take it over when they hear of the change.
void Control::TellChildren(uint32_t msg) {
  if (auto* w = dynamic_cast<WinControl*>(this)) {
    Message m{msg, 0, 0, 0};
    w->Broadcast(m);
  }
}

void Control::SetCaption(const std::string& text) {
  if (caption_ == text) return;
  caption_ = text;
  TextChanged();
  Perform(CM_TEXTCHANGED);
}

void Control::SetPopupMenu(PopupMenu* menu) {
  popup_menu_ = menu;
  if (menu != nullptr) menu->FreeNotification(this);
}

void Control::SetTransparent(bool on) {
  transparent_ = on;
  Invalidate();
}

void Control::Notification(Component* component, Operation operation) {
  Component::Notification(component, operation);
  if (operation == Operation::kRemove && component == popup_menu_) popup_menu_ = nullptr;
}

intptr_t Control::Perform(uint32_t msg, uintptr_t wparam, intptr_t lparam) {
  Message m{msg, wparam, lparam, 0};
  return Perform(m);
}

intptr_t Control::Perform(Message& message) {
  if (WindowProc) WindowProc(message);
  return message.result;
}

void Control::WndProc(Message& m) {
  switch (m.msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (!enabled_) break;
      MouseButton b = m.msg == WM_RBUTTONDOWN ? MouseButton::kRight : MouseButton::kLeft;
      unsigned shift = ShiftFromMouseKeys(m.wParam);
      if (m.msg == WM_LBUTTONDBLCLK) {
        shift |= ssDouble;
        if (OnDblClick) OnDblClick(this);
      }
      if (b == MouseButton::kLeft) {
        mouse_down_ = true;
        SetMouseCapture(true);
      }
      MouseDown(b, shift, XFromLParam(m.lParam), YFromLParam(m.lParam));
      return;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
      MouseButton b = m.msg == WM_RBUTTONUP ? MouseButton::kRight : MouseButton::kLeft;
      int x = XFromLParam(m.lParam), y = YFromLParam(m.lParam);
      bool was_down = mouse_down_ && b == MouseButton::kLeft;
      if (b == MouseButton::kLeft) {
        mouse_down_ = false;
        SetMouseCapture(false);
      }
      if (!enabled_) break;
      MouseUp(b, 0, x, y);
      if (was_down && ClientRect().Contains({x, y})) Click();
      if (b == MouseButton::kRight && popup_menu_ != nullptr && popup_menu_->AutoPopup()) {
        Point s = ClientToScreen({x, y});
        popup_menu_->Popup(s.x, s.y);
      }
      return;
    }
    case WM_MOUSEMOVE:
      MouseMove(ShiftFromMouseKeys(m.wParam), XFromLParam(m.lParam), YFromLParam(m.lParam));
      return;
    case CM_MOUSEENTER:
      if (!mouse_inside_) {
        mouse_inside_ = true;
        MouseEnter();
      }
      return;
    case CM_MOUSELEAVE:
      if (mouse_inside_) {
        mouse_inside_ = false;
        MouseLeave();
      }
      return;
    case CM_PARENTCOLORCHANGED:
      ParentColorChanged();
      return;
    case CM_PARENTFONTCHANGED:
      ParentFontChanged();
      return;
    default:
      break;
  }
  DefaultHandler(m);
}

void Control::MouseDown(MouseButton button, unsigned shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}
void Control::MouseUp(MouseButton button, unsigned shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}
void Control::MouseMove(unsigned shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}
void Control::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}
void Control::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}
void Control::Click() {
  if (OnClick) OnClick(this);
}

Point Control::WindowOrigin() const {
  if (parent_ == nullptr) {
    if (auto* f = dynamic_cast<const Form*>(this)) {
      Rect c = f->ClientInWindow();
      return {c.left, c.top};
    }
    return {0, 0};
  }
  Point p = parent_->WindowOrigin();
  return {p.x + bounds_.left, p.y + bounds_.top};
}

Point Control::ClientToScreen(Point p) const {
  Form* form = ParentForm();
  Point o = WindowOrigin();
  if (form == nullptr) return {p.x + o.x, p.y + o.y};
  return {p.x + o.x + form->Left(), p.y + o.y + form->Top()};
}

Point Control::ScreenToClient(Point p) const {
  Point zero = ClientToScreen({0, 0});
  return {p.x - zero.x, p.y - zero.y};
}

void Control::InvalidateRect(const Rect& r) {
  Form* form = ParentForm();
  if (form == nullptr) return;
  Point o = WindowOrigin();
  form->InvalidateWindowArea(r.Offset(o.x, o.y));
}

void Control::Invalidate() {
  if (parent_ == nullptr) return;
  InvalidateRect(ClientRect());
}

void Control::Update() {
  if (Form* form = ParentForm()) form->PaintNow();
}

void Control::BringToFront() {
  if (parent_ == nullptr) return;
  auto& list = parent_->controls_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  list.push_back(this);
  Invalidate();
}

void Control::SendToBack() {
  if (parent_ == nullptr) return;
  auto& list = parent_->controls_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  list.insert(list.begin(), this);
  Invalidate();
}

bool Control::MouseCaptured() const {
  Form* f = ParentForm();
  return f != nullptr && f->CaptureControl() == this;
}

void Control::SetMouseCapture(bool capture) {
  Form* f = ParentForm();
  if (f == nullptr) return;
  if (capture)
    f->SetCaptureControl(this);
  else if (f->CaptureControl() == this)
    f->ReleaseCapture();
}

const ClassInfo& GraphicControl::StaticClassInfo() {
  static const ClassInfo info("TGraphicControl", &Control::StaticClassInfo());
  return info;
}

GraphicControl::GraphicControl(Component* owner) : Control(owner) {}

void GraphicControl::PaintAsChild(Canvas& canvas) {
  canvas_ = &canvas;
  canvas.Font() = GetFont();
  canvas.Brush().SetColor(GetColor());
  try {
    Paint();
  } catch (...) {
    canvas_ = nullptr;
    throw;
  }
  canvas_ = nullptr;
}

}  // namespace somnara::fw
