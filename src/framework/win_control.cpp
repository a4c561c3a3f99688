#include "framework/win_control.h"

#include <algorithm>
#include <unordered_map>

#include "framework/application.h"
#include "framework/form.h"
#include "framework/graphics/canvas.h"

namespace somnara::fw {
namespace {
std::unordered_map<int, WinControl*>& Handles() {
  static std::unordered_map<int, WinControl*> handles;
  return handles;
}
int g_next_handle = 1;

bool IsDialogKey(uint32_t key) {
  return key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_LEFT ||
         key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}
}  // namespace

const ClassInfo& WinControl::StaticClassInfo() {
  static const ClassInfo info = [] {
    ClassInfo i("TWinControl", &Control::StaticClassInfo());
    i.Add(IntegerProperty<WinControl>("TabOrder", &WinControl::TabOrder, &WinControl::SetTabOrder));
    i.Add(BoolProperty<WinControl>("TabStop", &WinControl::TabStop, &WinControl::SetTabStop));
    i.Add(EventProperty<WinControl>("OnEnter", &WinControl::OnEnter));
    i.Add(EventProperty<WinControl>("OnExit", &WinControl::OnExit));
    i.Add(EventProperty<WinControl>("OnKeyDown", &WinControl::OnKeyDown));
    i.Add(EventProperty<WinControl>("OnKeyUp", &WinControl::OnKeyUp));
    i.Add(EventProperty<WinControl>("OnKeyPress", &WinControl::OnKeyPress));
    return i;
  }();
  return info;
}

const ClassInfo& CustomControl::StaticClassInfo() {
  static const ClassInfo info("TCustomControl", &WinControl::StaticClassInfo());
  return info;
}

WinControl::WinControl(Component* owner) : Control(owner) {
  handle_ = g_next_handle++;
  Handles()[handle_] = this;
}

WinControl::~WinControl() {
  BeginDestruction();
  Handles().erase(handle_);
  // Children that are owned elsewhere lose their parent rather than a dangling pointer.
  while (!controls_.empty()) controls_.back()->SetParent(nullptr);
  if (Form* f = ParentForm(); f != nullptr && f != this) f->ForgetControl(this);
}

WinControl* WinControl::FromHandle(int handle) {
  auto it = Handles().find(handle);
  return it == Handles().end() ? nullptr : it->second;
}

void WinControl::InsertControl(Control* control) {
  controls_.push_back(control);
  control->parent_ = this;
  if (auto* w = dynamic_cast<WinControl*>(control)) tab_order_.push_back(w);
}

void WinControl::RemoveControl(Control* control) {
  if (Form* f = ParentForm()) f->ForgetControl(control);
  if (mouse_control_ == control) mouse_control_ = nullptr;
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  tab_order_.erase(std::remove(tab_order_.begin(), tab_order_.end(), control), tab_order_.end());
  control->parent_ = nullptr;
  Realign();
}

void WinControl::Notification(Component* component, Operation operation) {
  Control::Notification(component, operation);
  if (operation == Operation::kRemove && component == mouse_control_) mouse_control_ = nullptr;
}

Control* WinControl::ControlAtPos(Point p, bool allow_disabled, bool allow_windowed) const {
  // Windowed children lie above every graphic child, as they are painted: a picture under
  // a title bar or a button never takes the pointer from it.
  auto find = [&](bool windowed) -> Control* {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
      Control* c = *it;
      if (c->IsWindowed() != windowed || !c->Visible()) continue;
      if (!allow_disabled && !c->Enabled()) continue;
      if (c->BoundsRect().Contains(p)) return c;
    }
    return nullptr;
  };
  Control* windowed = allow_windowed ? find(true) : nullptr;
  return windowed != nullptr ? windowed : find(false);
}

// Aligned children take their places in the order top, bottom, left, right, client; within
// one kind, in z-order. Their other edges follow the space that is left.
void WinControl::Realign() {
  Rect area = AdjustClientRect();
  auto place = [&](Align kind) {
    for (Control* c : std::vector<Control*>(controls_)) {
      if (c->GetAlign() != kind || !c->Visible()) continue;
      Rect r = c->BoundsRect();
      switch (kind) {
        case Align::kTop:
          r = Rect::FromSize(area.left, area.top, area.Width(), r.Height());
          area.top += r.Height();
          break;
        case Align::kBottom:
          r = Rect::FromSize(area.left, area.bottom - r.Height(), area.Width(), r.Height());
          area.bottom -= r.Height();
          break;
        case Align::kLeft:
          r = Rect::FromSize(area.left, area.top, r.Width(), area.Height());
          area.left += r.Width();
          break;
        case Align::kRight:
          r = Rect::FromSize(area.right - r.Width(), area.top, r.Width(), area.Height());
          area.right -= r.Width();
          break;
        case Align::kClient:
          r = area;
          break;
        case Align::kNone:
          break;
      }
      Rect old = c->bounds_;
      if (r != old) {
        c->Invalidate();
        c->bounds_ = r;
        c->Invalidate();
        if (r.Width() != old.Width() || r.Height() != old.Height()) {
          c->Resized();
          if (auto* w = dynamic_cast<WinControl*>(c)) {
            w->Realign();
            w->Perform(WM_SIZE, SIZE_RESTORED, MakeLParam(r.Width(), r.Height()));
          }
        }
      }
    }
  };
  place(Align::kTop);
  place(Align::kBottom);
  place(Align::kLeft);
  place(Align::kRight);
  place(Align::kClient);
}

void WinControl::SetBounds(int left, int top, int width, int height) {
  Rect old = BoundsRect();
  Control::SetBounds(left, top, width, height);
  if (BoundsRect().Width() != old.Width() || BoundsRect().Height() != old.Height()) {
    Realign();
    Perform(WM_SIZE, SIZE_RESTORED, MakeLParam(Width(), Height()));
  }
}

void WinControl::Broadcast(Message& message) {
  for (Control* c : std::vector<Control*>(controls_)) {
    c->Perform(message);
    if (message.result != 0) return;
  }
}

int WinControl::TabOrder() const {
  if (Parent() == nullptr) return -1;
  const auto& list = Parent()->tab_order_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : int(it - list.begin());
}

void WinControl::SetTabOrder(int order) {
  if (Parent() == nullptr) return;
  auto& list = Parent()->tab_order_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  order = std::clamp(order, 0, int(list.size()));
  list.insert(list.begin() + order, this);
}

std::vector<WinControl*> WinControl::TabList() const {
  std::vector<WinControl*> out;
  for (WinControl* w : tab_order_) {
    out.push_back(w);
    auto inner = w->TabList();
    out.insert(out.end(), inner.begin(), inner.end());
  }
  return out;
}

bool WinControl::Focused() const {
  Form* f = ParentForm();
  return f != nullptr && f->ActiveControl() == this;
}

bool WinControl::CanFocus() const {
  for (const Control* c = this; c != nullptr; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

void WinControl::SetFocus() {
  if (Form* f = ParentForm()) f->FocusControl(this);
}

void WinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}
void WinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void WinControl::KeyDown(uint32_t& key, unsigned shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}
void WinControl::KeyUp(uint32_t& key, unsigned shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}
void WinControl::KeyPress(char32_t& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

Canvas& WinControl::GetCanvas() {
  if (canvas_ == nullptr) {
    Form* f = ParentForm();
    if (f == nullptr) throw Exception("Control has no parent window");
    // Outside painting: a canvas on the window's pixels at this control's place.
    Canvas& c = f->WindowCanvas();
    Point o = WindowOrigin();
    c.SetOrigin(o);
    Rect vis = VisibleClientRect();
    c.SetClipRect(vis.Offset(o.x, o.y));
    f->InvalidateWindowArea(vis.Offset(o.x, o.y));
    return c;
  }
  return *canvas_;
}

Rect WinControl::VisibleClientRect() const {
  Rect r = ClientRect();
  Point o = WindowOrigin();
  Rect in_window = r.Offset(o.x, o.y);
  for (const WinControl* p = Parent(); p != nullptr; p = p->Parent()) {
    Point po = p->WindowOrigin();
    in_window = in_window.Intersect(p->ClientRect().Offset(po.x, po.y));
  }
  return in_window.Offset(-o.x, -o.y);
}

void WinControl::EraseBackground(Canvas& canvas) {
  if (Transparent()) return;
  canvas.Brush().SetColor(GetColor());
  canvas.FillRect(ClientRect());
}

void WinControl::PaintTree(Canvas& canvas, const Rect& clip) {
  if (!Visible()) return;
  Point o = WindowOrigin();
  Rect mine = ClientRect().Offset(o.x, o.y).Intersect(clip);
  if (mine.IsEmpty()) return;
  auto prepare = [&](const Control& c, Point origin, const Rect& area) {
    canvas.SetOrigin(origin);
    canvas.SetClipRect(area);
    canvas.Font() = c.GetFont();
    canvas.Brush() = fw::Brush();
    canvas.Brush().SetColor(c.GetColor());
    canvas.Pen() = fw::Pen();
  };
  prepare(*this, o, mine);
  canvas_ = &canvas;
  struct Reset {
    Canvas*& slot;
    ~Reset() { slot = nullptr; }
  } reset{canvas_};
  Message erase{WM_ERASEBKGND, reinterpret_cast<uintptr_t>(&canvas), 0, 0};
  Perform(erase);
  prepare(*this, o, mine);
  Message paint{WM_PAINT, reinterpret_cast<uintptr_t>(&canvas), 0, 0};
  Perform(paint);
  canvas_ = nullptr;
  for (Control* c : std::vector<Control*>(controls_)) {
    if (!c->Visible() || c->IsWindowed()) continue;
    Point co{o.x + c->Left(), o.y + c->Top()};
    Rect area = Rect::FromSize(co.x, co.y, c->Width(), c->Height()).Intersect(mine);
    if (area.IsEmpty()) continue;
    prepare(*c, co, area);
    c->PaintAsChild(canvas);
  }
  for (Control* c : std::vector<Control*>(controls_))
    if (c->IsWindowed()) static_cast<WinControl*>(c)->PaintTree(canvas, mine);
}

// A graphic child that holds the mouse capture gets every mouse message, wherever the
// pointer is, so that a press dragged out of it still ends in it.
Control* WinControl::MouseTarget(Point p) const {
  Form* f = ParentForm();
  Control* capture = f != nullptr ? f->CaptureControl() : nullptr;
  if (capture != nullptr && capture != this && !capture->IsWindowed() && capture->Parent() == this)
    return capture;
  return ControlAtPos(p, false, false);
}

void WinControl::DispatchMouse(Message& m) {
  Point p{XFromLParam(m.lParam), YFromLParam(m.lParam)};
  Control* target = MouseTarget(p);
  if (target != nullptr) {
    Message inner = m;
    inner.lParam = MakeLParam(p.x - target->Left(), p.y - target->Top());
    target->Perform(inner);
    m.result = inner.result;
  }
}

void WinControl::WndProc(Message& m) {
  switch (m.msg) {
    case WM_PAINT: {
      // A canvas in wParam is where to paint, as a device context would be; a control
      // asked to paint its parent's face behind itself relies on that.
      Canvas* saved = canvas_;
      if (m.wParam != 0) canvas_ = reinterpret_cast<Canvas*>(m.wParam);
      struct Restore {
        Canvas*& slot;
        Canvas* value;
        ~Restore() { slot = value; }
      } restore{canvas_, saved};
      Paint();
      return;
    }
    case WM_ERASEBKGND:
      if (m.wParam != 0) EraseBackground(*reinterpret_cast<Canvas*>(m.wParam));
      m.result = 1;
      return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      uint32_t key = uint32_t(m.wParam);
      unsigned shift = unsigned(m.lParam);
      Form* form = ParentForm();
      if (form != nullptr && form != this && form->KeyPreview()) form->KeyDown(key, shift);
      if (key != 0) KeyDown(key, shift);
      if (key != 0 && IsDialogKey(key) && form != nullptr) {
        intptr_t code = Perform(WM_GETDLGCODE);
        // Each key has its own want-bit: a memo that wants Enter still lets Tab move on.
        intptr_t mask = key == VK_TAB                        ? DLGC_WANTTAB
                        : (key >= VK_LEFT && key <= VK_DOWN) ? DLGC_WANTARROWS
                                                             : DLGC_WANTALLKEYS;
        bool wanted = (code & mask) != 0;
        if (!wanted) form->Perform(CM_DIALOGKEY, key, intptr_t(shift));
      }
      m.wParam = key;
      if (key == 0) return;
      break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      uint32_t key = uint32_t(m.wParam);
      KeyUp(key, unsigned(m.lParam));
      return;
    }
    case WM_CHAR: {
      char32_t ch = char32_t(m.wParam);
      Form* form = ParentForm();
      if (form != nullptr && form != this && form->KeyPreview()) form->KeyPress(ch);
      if (ch != 0) KeyPress(ch);
      return;
    }
    case WM_SYSCHAR:
      if (Form* form = ParentForm()) {
        if (form->Perform(CM_DIALOGCHAR, m.wParam) != 0) {
          m.result = 1;
          return;
        }
      }
      break;
    case WM_SETFOCUS:
      DoEnter();
      Invalidate();
      return;
    case WM_KILLFOCUS:
      DoExit();
      Invalidate();
      return;
    case WM_GETDLGCODE:
      m.result = 0;
      return;
    case CM_FOCUSCHANGED:
      // Controls inside panels and frames hear of every focus change of their form too.
      Broadcast(m);
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE: {
      Point p{XFromLParam(m.lParam), YFromLParam(m.lParam)};
      if (MouseTarget(p) != nullptr) {
        DispatchMouse(m);
        return;
      }
      break;
    }
    default:
      break;
  }
  Control::WndProc(m);
}

void WinControl::DefaultHandler(Message& m) {}

}  // namespace somnara::fw
