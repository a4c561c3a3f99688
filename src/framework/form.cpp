#include "framework/form.h"

#include <algorithm>

#include "framework/application.h"
#include "framework/description/description_loader.h"
#include "framework/exceptions.h"
#include "framework/global_components.h"
#include "framework/graphics/canvas.h"
#include "framework/resources.h"
#include "platform/window_system.h"

namespace somnara::fw {
namespace {
Form* g_active_form = nullptr;

uint32_t StyleFor(BorderStyle border, uint32_t icons) {
  uint32_t style = 0;
  switch (border) {
    case BorderStyle::kNone:
      style = WS_POPUP;
      break;
    case BorderStyle::kSingle:
    case BorderStyle::kToolWindow:
      style = WS_CAPTION | WS_BORDER;
      break;
    case BorderStyle::kSizeable:
    case BorderStyle::kSizeToolWin:
      style = WS_CAPTION | WS_THICKFRAME;
      break;
    case BorderStyle::kDialog:
      style = WS_POPUP | WS_CAPTION | WS_DLGFRAME;
      break;
  }
  if (border != BorderStyle::kNone && (icons & biSystemMenu)) style |= WS_SYSMENU;
  if (icons & biMinimize) style |= WS_MINIMIZEBOX;
  if (icons & biMaximize) style |= WS_MAXIMIZEBOX;
  return style;
}

// Frame thickness of the default frame for a border style.
int FrameThickness(BorderStyle border) {
  switch (border) {
    case BorderStyle::kNone:
      return 0;
    case BorderStyle::kSizeable:
    case BorderStyle::kSizeToolWin:
      return 4;
    default:
      return 3;
  }
}

bool HasCaption(uint32_t style) {
  return (style & WS_CAPTION) == WS_CAPTION;
}
}  // namespace

Form* ActiveForm() {
  return g_active_form;
}

const ClassInfo& Form::StaticClassInfo() {
  static const ClassInfo info = [] {
    ClassInfo i("TForm", &CustomControl::StaticClassInfo());
    i.Add(EnumProperty<Form, BorderStyle>("BorderStyle", kBorderStyleNames, &Form::GetBorderStyle,
                                          &Form::SetBorderStyle));
    i.Add(BitSetProperty<Form>("BorderIcons", kBorderIconNames, &Form::BorderIcons,
                               &Form::SetBorderIcons));
    i.Add(IntegerProperty<Form>("BorderWidth", &Form::BorderWidth, &Form::SetBorderWidth));
    i.Add(EnumProperty<Form, fw::Position>("Position", kPositionNames, &Form::GetPosition,
                                           &Form::SetPosition));
    i.Add(EnumProperty<Form, fw::FormStyle>("FormStyle", kFormStyleNames, &Form::GetFormStyle,
                                            &Form::SetFormStyle));
    i.Add(EnumProperty<Form, fw::WindowState>("WindowState", kWindowStateNames,
                                              &Form::GetWindowState, &Form::SetWindowState));
    i.Add(BoolProperty<Form>("AlphaBlend", &Form::AlphaBlend, &Form::SetAlphaBlend));
    i.Add(IntegerProperty<Form>("AlphaBlendValue", &Form::AlphaBlendValue,
                                &Form::SetAlphaBlendValue));
    i.Add(BoolProperty<Form>("KeyPreview", &Form::KeyPreview, &Form::SetKeyPreview));
    i.Add(IntegerProperty<Form>("Constraints.MinWidth", &Form::MinWidth, &Form::SetMinWidth));
    i.Add(IntegerProperty<Form>("Constraints.MinHeight", &Form::MinHeight, &Form::SetMinHeight));
    i.Add(BoolProperty<Form>("AutoScroll", &Form::AutoScroll, &Form::SetAutoScroll));
    i.Add(BoolProperty<Form>("Scaled", &Form::Scaled, &Form::SetScaled));
    i.Add(EventProperty<Form>("OnCreate", &Form::OnCreate));
    i.Add(EventProperty<Form>("OnDestroy", &Form::OnDestroy));
    i.Add(EventProperty<Form>("OnShow", &Form::OnShow));
    i.Add(EventProperty<Form>("OnHide", &Form::OnHide));
    i.Add(EventProperty<Form>("OnActivate", &Form::OnActivate));
    i.Add(EventProperty<Form>("OnDeactivate", &Form::OnDeactivate));
    i.Add(EventProperty<Form>("OnPaint", &Form::OnPaint));
    i.Add(EventProperty<Form>("OnResize", &Form::OnResize));
    i.Add(EventProperty<Form>("OnClose", &Form::OnClose));
    i.Add(EventProperty<Form>("OnCloseQuery", &Form::OnCloseQuery));
    return i;
  }();
  static const bool registered = (ClassInfo::Register(info), true);
  (void)registered;
  return info;
}

Form::Form(Component* owner) : CustomControl(owner) {
  visible_ = false;
  parent_color_ = false;
  parent_font_ = false;
  style_ = StyleFor(border_style_, border_icons_);
  bounds_ = Rect::FromSize(0, 0, 320, 240);
  RecalcNonClient();
  ResizePixels();
  App().AddForm(this);
}

Form::~Form() {
  BeginDestruction();
  if (OnDestroy) {
    NotifyEvent handler = OnDestroy;
    App().Guard([&] { handler(this); });
  }
  UnregisterGlobalComponent(this);
  if (g_active_form == this) g_active_form = nullptr;
  if (HasApp()) App().RemoveForm(this);
  native_.reset();
}

void Form::SetName(const std::string& name) {
  Component::SetName(name);
  if (!name.empty()) RegisterGlobalComponent(this);
}

void Form::AfterConstruction() {
  std::string resource = "forms/" + ClassName() + ".wnd";
  if (FindResource(resource).found) LoadDescription(*this, resource);
  std::string error;
  if (OnCreate) {
    try {
      OnCreate(this);
    } catch (const std::exception& e) {
      error = e.what();
    }
  }
  if (Visible()) Show();
  // Reported once the window is up, so that the error box appears over it.
  if (!error.empty()) App().ShowException(error);
}

void Form::SetCaption(const std::string& text) {
  Control::SetCaption(text);
  if (native_) native_->SetTitle(text);
  InvalidateFrame();
}

void Form::SetBorderStyle(BorderStyle style) {
  if (border_style_ == style) return;
  border_style_ = style;
  // A new border style means new style bits, as if the window were made anew; whoever took
  // the caption away hears about it and can take it away again.
  style_ = StyleFor(border_style_, border_icons_);
  RecalcNonClient();
  Perform(CM_RECREATEWND);
  InvalidateFrame();
}

void Form::SetBorderIcons(uint32_t icons) {
  if (border_icons_ == icons) return;
  border_icons_ = icons;
  uint32_t keep_caption = style_ & WS_CAPTION;
  style_ = (StyleFor(border_style_, border_icons_) & ~WS_CAPTION) | keep_caption;
  InvalidateFrame();
}

void Form::SetBorderWidth(int width) {
  border_width_ = std::max(0, width);
  RecalcNonClient();
  InvalidateFrame();
}

void Form::SetFormStyle(fw::FormStyle style) {
  form_style_ = style;
  if (native_) native_->SetStayOnTop(style == fw::FormStyle::kStayOnTop);
}

void Form::SetWindowState(fw::WindowState state) {
  if (window_state_ == state) return;
  window_state_ = state;
  if (native_) native_->SetMinimized(state == fw::WindowState::kMinimized);
  if (state == fw::WindowState::kMaximized) {
    Rect work = App().Windows().WorkArea();
    SetBounds(work.left, work.top, work.Width(), work.Height());
  }
  uintptr_t kind = state == fw::WindowState::kMinimized   ? SIZE_MINIMIZED
                   : state == fw::WindowState::kMaximized ? SIZE_MAXIMIZED
                                                          : SIZE_RESTORED;
  Perform(WM_SIZE, kind, MakeLParam(ClientWidth(), ClientHeight()));
}

void Form::SetAlphaBlend(bool on) {
  alpha_blend_ = on;
  PushOpacity();
}

void Form::SetAlphaBlendValue(int value) {
  alpha_value_ = std::clamp(value, 0, 255);
  PushOpacity();
}

void Form::PushOpacity() {
  if (native_) native_->SetOpacity(uint8_t(alpha_blend_ ? alpha_value_ : 255));
}

void Form::SetWindowPos(uint32_t flags) {
  if (flags & SWP_FRAMECHANGED) {
    RecalcNonClient();
    InvalidateFrame();
  }
}

Rect Form::ClientRect() const {
  return {0, 0, client_in_window_.Width(), client_in_window_.Height()};
}

void Form::SetClientWidth(int v) {
  SetWidth(v + Width() - client_in_window_.Width());
}
void Form::SetClientHeight(int v) {
  SetHeight(v + Height() - client_in_window_.Height());
}

void Form::SetBounds(int left, int top, int width, int height) {
  Rect old = bounds_;
  Rect old_client = client_in_window_;
  bounds_ = Rect::FromSize(left, top, std::max(0, width), std::max(0, height));
  if (bounds_ == old) return;
  RecalcNonClient();
  ResizePixels();
  if (native_) native_->SetBounds(bounds_);
  if (bounds_.Width() != old.Width() || bounds_.Height() != old.Height() ||
      client_in_window_ != old_client) {
    Resized();
    Realign();
    Perform(WM_SIZE, SIZE_RESTORED, MakeLParam(ClientWidth(), ClientHeight()));
    if (OnResize) OnResize(this);
    Invalidate();
  }
  if (bounds_.left != old.left || bounds_.top != old.top) Perform(WM_MOVE);
}

void Form::RecalcNonClient() {
  NcCalcSizeParams params;
  params.rgrc[0] = bounds_;
  params.rgrc[1] = bounds_;
  params.rgrc[2] = bounds_;
  Message m{WM_NCCALCSIZE, 1, reinterpret_cast<intptr_t>(&params), 0};
  Perform(m);
  Rect client = params.rgrc[0];
  client.right = std::max(client.left, client.right);
  client.bottom = std::max(client.top, client.bottom);
  Rect in_window = client.Offset(-bounds_.left, -bounds_.top);
  if (in_window != client_in_window_) {
    client_in_window_ = in_window;
    Realign();
  }
}

void Form::ResizePixels() {
  if (pixels_.Width() != Width() || pixels_.Height() != Height()) {
    pixels_.SetSize(Width(), Height());
    frame_dirty_ = true;
    dirty_client_ = {0, 0, Width(), Height()};
  }
}

void Form::DefaultNcCalcSize(NcCalcSizeParams& p) {
  Rect& r = p.rgrc[0];
  bool framed = (style_ & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) != 0;
  int b = framed ? FrameThickness(border_style_) : 0;
  r = r.Inflate(-b, -b);
  if (HasCaption(style_))
    r.top += border_style_ == BorderStyle::kToolWindow || border_style_ == BorderStyle::kSizeToolWin
                 ? 15
                 : DefaultCaptionHeight();
}

void Form::DefaultNcPaint() {
  Canvas& c = WindowCanvas();
  bool framed = (style_ & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) != 0;
  int b = framed ? FrameThickness(border_style_) : 0;
  int w = Width(), h = Height();
  if (b > 0) {
    c.Brush().SetColor(clBtnFace);
    c.FillRect({0, 0, w, b});
    c.FillRect({0, h - b, w, h});
    c.FillRect({0, 0, b, h});
    c.FillRect({w - b, 0, w, h});
    c.Brush().SetColor(clBtnShadow);
    c.FrameRect({0, 0, w, h});
  }
  if (HasCaption(style_)) {
    int caption_h = client_in_window_.top - b;
    Rect bar{b, b, w - b, b + caption_h - 1};
    c.Brush().SetColor(active_ ? clActiveCaption : clInactiveCaption);
    c.FillRect(bar);
    c.Brush().SetColor(clBtnFace);
    c.FillRect({b, bar.bottom, w - b, bar.bottom + 1});
    c.Font().SetName("Tahoma");
    c.Font().SetHeight(-11);
    c.Font().SetStyle(kFontBold);
    c.Font().SetColor(active_ ? clCaptionText : clInactiveCaptionText);
    c.Brush().SetStyle(BrushStyle::kClear);
    Rect text = bar;
    text.left += 4;
    text.right -= 22;
    c.DrawText(Caption(), text,
               DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (style_ & WS_SYSMENU) {
      Rect box{bar.right - 18, bar.top + 2, bar.right - 2, bar.bottom - 2};
      c.Brush().SetColor(clBtnFace);
      c.Pen().SetColor(clBtnShadow);
      c.Rectangle(box);
      c.Pen().SetColor(clBtnText);
      c.MoveTo(box.left + 4, box.top + 3);
      c.LineTo(box.right - 4, box.bottom - 3);
      c.MoveTo(box.right - 5, box.top + 3);
      c.LineTo(box.left + 3, box.bottom - 3);
    }
  }
  c.ResetClip();
}

// The band that BorderWidth adds between the frame and the client takes the window's
// colour, so it never shows stale pixels.
void Form::PaintBorderWidth() {
  if (border_width_ <= 0) return;
  Canvas& c = WindowCanvas();
  Rect inner = client_in_window_;
  Rect outer = inner.Inflate(border_width_, border_width_).Intersect({0, 0, Width(), Height()});
  c.Brush().SetColor(GetColor());
  c.FillRect({outer.left, outer.top, outer.right, inner.top});
  c.FillRect({outer.left, inner.bottom, outer.right, outer.bottom});
  c.FillRect({outer.left, inner.top, inner.left, inner.bottom});
  c.FillRect({inner.right, inner.top, outer.right, inner.bottom});
}

intptr_t Form::DefaultNcHitTest(Point screen) {
  Point p{screen.x - Left(), screen.y - Top()};
  if (!Rect{0, 0, Width(), Height()}.Contains(p)) return HTNOWHERE;
  if (client_in_window_.Contains(p)) return HTCLIENT;
  bool framed = (style_ & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) != 0;
  int b = framed ? FrameThickness(border_style_) : 0;
  if (HasCaption(style_) && p.y >= b && p.y < client_in_window_.top && p.x >= b &&
      p.x < Width() - b) {
    if ((style_ & WS_SYSMENU) && p.x >= Width() - b - 20) return HTCLOSE;
    return HTCAPTION;
  }
  return HTBORDER;
}

void Form::WndProc(Message& m) {
  switch (m.msg) {
    case CM_DIALOGKEY: {
      uint32_t key = uint32_t(m.wParam);
      if (key == VK_TAB) {
        SelectNext(active_control_ != nullptr ? static_cast<WinControl*>(active_control_) : this,
                   (unsigned(m.lParam) & ssShift) == 0);
        m.result = 1;
        return;
      }
      // The default and cancel buttons answer Enter and Escape.
      Message probe = m;
      probe.result = 0;
      for (WinControl* w : TabList()) {
        if (!w->Visible() || !w->Enabled()) continue;
        w->Perform(probe);
        if (probe.result != 0) {
          m.result = 1;
          return;
        }
      }
      return;
    }
    case CM_DIALOGCHAR: {
      Message probe = m;
      probe.result = 0;
      std::vector<Control*> all;
      std::function<void(WinControl*)> collect = [&](WinControl* w) {
        for (Control* c : w->Controls()) {
          all.push_back(c);
          if (auto* inner = dynamic_cast<WinControl*>(c)) collect(inner);
        }
      };
      collect(this);
      for (Control* c : all) {
        if (!c->Visible() || !c->Enabled()) continue;
        c->Perform(probe);
        if (probe.result != 0) {
          m.result = 1;
          return;
        }
      }
      return;
    }
    case WM_CLOSE:
      Close();
      return;
    case WM_ACTIVATE:
      active_ = LoWord(intptr_t(m.wParam)) != WA_INACTIVE;
      if (active_ && OnActivate) OnActivate(this);
      if (!active_ && OnDeactivate) OnDeactivate(this);
      InvalidateFrame();
      break;
    case WM_NCCALCSIZE: {
      DefaultHandler(m);
      if (border_width_ > 0 && m.lParam != 0) {
        Rect& r = reinterpret_cast<NcCalcSizeParams*>(m.lParam)->rgrc[0];
        r = r.Inflate(-border_width_, -border_width_);
      }
      return;
    }
    default:
      break;
  }
  CustomControl::WndProc(m);
}

// What the desktop platform's default window procedure does for a top-level window.
void Form::DefaultHandler(Message& m) {
  switch (m.msg) {
    case WM_NCCALCSIZE:
      if (m.lParam != 0) DefaultNcCalcSize(*reinterpret_cast<NcCalcSizeParams*>(m.lParam));
      m.result = 0;
      return;
    case WM_NCPAINT:
      DefaultNcPaint();
      PaintBorderWidth();
      return;
    case WM_NCHITTEST:
      m.result = DefaultNcHitTest({XFromLParam(m.lParam), YFromLParam(m.lParam)});
      return;
    case WM_NCLBUTTONDOWN:
      if (intptr_t(m.wParam) == HTCAPTION) {
        if (native_) native_->BeginMoveDrag({XFromLParam(m.lParam), YFromLParam(m.lParam)});
      } else if (intptr_t(m.wParam) == HTCLOSE) {
        App().PostMessage(this, WM_SYSCOMMAND, SC_CLOSE);
      }
      return;
    case WM_SYSCOMMAND:
      switch (m.wParam & 0xFFF0) {
        case SC_MONITORPOWER:
          App().Windows().SetMonitorPower(int(m.lParam));
          return;
        case SC_MINIMIZE:
          SetWindowState(fw::WindowState::kMinimized);
          return;
        case SC_MAXIMIZE:
          SetWindowState(fw::WindowState::kMaximized);
          return;
        case SC_RESTORE:
          SetWindowState(fw::WindowState::kNormal);
          return;
        case SC_CLOSE:
          Perform(WM_CLOSE);
          return;
        default:
          return;
      }
    case WM_ERASEBKGND:
      return;
    default:
      CustomControl::DefaultHandler(m);
  }
}

void Form::Paint() {
  if (OnPaint) OnPaint(this);
}

Canvas& Form::WindowCanvas() {
  Canvas& c = pixels_.GetCanvas();
  c.SetOrigin({0, 0});
  c.ResetClip();
  c.Brush() = fw::Brush();
  c.Pen() = fw::Pen();
  c.Font() = GetFont();
  dirty_present_ = dirty_present_.Union({0, 0, Width(), Height()});
  App().RequestPaint(this);
  return c;
}

void Form::InvalidateWindowArea(const Rect& window_rect) {
  Rect r = window_rect.Intersect({0, 0, Width(), Height()});
  if (r.IsEmpty()) return;
  dirty_client_ = dirty_client_.Union(r);
  App().RequestPaint(this);
}

void Form::InvalidateFrame() {
  frame_dirty_ = true;
  App().RequestPaint(this);
}

void Form::Invalidate() {
  frame_dirty_ = true;
  InvalidateWindowArea({0, 0, Width(), Height()});
}

void Form::PaintNow() {
  if (!Visible() || native_ == nullptr) return;
  Canvas& canvas = pixels_.GetCanvas();
  if (frame_dirty_) {
    frame_dirty_ = false;
    Perform(WM_NCPAINT, 1);
    dirty_present_ = dirty_present_.Union({0, 0, Width(), Height()});
  }
  Rect area = dirty_client_.Intersect(client_in_window_);
  dirty_client_ = {};
  if (!area.IsEmpty()) {
    PaintTree(canvas, area);
    canvas.SetOrigin({0, 0});
    canvas.ResetClip();
    dirty_present_ = dirty_present_.Union(area);
  }
  Present();
}

void Form::Present() {
  if (native_ == nullptr || dirty_present_.IsEmpty()) return;
  Rect damage = dirty_present_.Intersect({0, 0, Width(), Height()});
  dirty_present_ = {};
  if (!damage.IsEmpty()) native_->Present(pixels_.View(), damage);
}

void Form::EraseBackground(Canvas& canvas) {
  if (brush_.Bitmap()) {
    // A picture brush repeats from the window's client corner.
    canvas.Brush() = brush_;
    canvas.FillRect(ClientRect());
    return;
  }
  CustomControl::EraseBackground(canvas);
}

void Form::Notification(Component* component, Operation operation) {
  CustomControl::Notification(component, operation);
  if (operation == Operation::kRemove) {
    blocked_.erase(std::remove(blocked_.begin(), blocked_.end(), component), blocked_.end());
    if (capture_ == component) capture_ = nullptr;
    if (hover_ == component) hover_ = nullptr;
    if (active_control_ == component) active_control_ = nullptr;
  }
}

Form* Form::OwnerForm() const {
  for (Component* o = Owner(); o != nullptr; o = o->Owner())
    if (auto* f = dynamic_cast<Form*>(o)) return f;
  return nullptr;
}

void Form::CreateNativeWindow() {
  if (native_) return;
  ApplyPosition();
  platform::NativeWindowOptions options;
  options.title = Caption();
  options.bounds = bounds_;
  options.stay_on_top = form_style_ == fw::FormStyle::kStayOnTop;
  Size screen = App().Windows().ScreenSize();
  options.full_screen = border_style_ == BorderStyle::kNone &&
                        bounds_ == Rect::FromSize(0, 0, screen.width, screen.height);
  Form* owner = OwnerForm();
  options.owner = owner != nullptr ? owner->native_.get() : nullptr;
  native_ = App().Windows().CreateWindow(options, this);
  PushOpacity();
  if (!region_.IsEmpty()) native_->SetRegion(region_);
}

void Form::ApplyPosition() {
  if (shown_once_) return;
  shown_once_ = true;
  Rect area;
  switch (position_) {
    case fw::Position::kScreenCenter:
    case fw::Position::kDesktopCenter: {
      Size s = App().Windows().ScreenSize();
      area = {0, 0, s.width, s.height};
      break;
    }
    case fw::Position::kMainFormCenter:
      if (App().MainForm() != nullptr && App().MainForm() != this)
        area = App().MainForm()->BoundsRect();
      break;
    case fw::Position::kOwnerFormCenter:
      if (Form* owner = OwnerForm())
        area = owner->BoundsRect();
      else {
        Size s = App().Windows().ScreenSize();
        area = {0, 0, s.width, s.height};
      }
      break;
    default:
      return;
  }
  if (area.IsEmpty()) return;
  SetBounds(area.left + (area.Width() - Width()) / 2, area.top + (area.Height() - Height()) / 2,
            Width(), Height());
}

void Form::SetWindowRegion(const Region& region) {
  region_ = region;
  if (native_) native_->SetRegion(region_);
}

void Form::SetVisible(bool visible) {
  if (IsLoading()) {
    visible_ = visible;
    return;
  }
  if (visible)
    Show();
  else
    Hide();
}

void Form::Show() {
  if (visible_ && native_) {
    if (native_) native_->Raise();
    Activate(true);
    return;
  }
  CreateNativeWindow();
  visible_ = true;
  if (OnShow) OnShow(this);
  Perform(WM_SHOWWINDOW, 1);
  Invalidate();
  PaintNow();
  native_->SetVisible(true);
  Perform(CM_VISIBLECHANGED, 1);
  Activate(true);
  if (active_control_ == nullptr) {
    for (WinControl* w : TabList())
      if (w->TabStop() && w->CanFocus()) {
        FocusControl(w);
        break;
      }
  }
}

void Form::Hide() {
  if (!visible_) return;
  if (OnHide) OnHide(this);
  Perform(WM_SHOWWINDOW, 0);
  visible_ = false;
  if (native_) native_->SetVisible(false);
  Perform(CM_VISIBLECHANGED, 0);
  if (g_active_form == this) {
    Activate(false);
    // The keyboard goes to the topmost window that still takes input.
    const auto& forms = App().Forms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
      Form* f = *it;
      if (f != this && f->Visible() && !f->InputBlocked()) {
        f->Activate(true);
        break;
      }
    }
  }
}

void Form::Activate(bool active) {
  if (active) {
    if (g_active_form == this) return;
    Form* previous = g_active_form;
    g_active_form = this;
    if (previous != nullptr) previous->Perform(WM_ACTIVATE, WA_INACTIVE);
    Perform(WM_ACTIVATE, WA_ACTIVE);
    if (native_) {
      native_->Raise();
      native_->Focus();
    }
  } else if (g_active_form == this) {
    g_active_form = nullptr;
    Perform(WM_ACTIVATE, WA_INACTIVE);
  }
}

bool Form::InputBlocked() const {
  return disabled_by_modal_ > 0 || !Enabled();
}

int Form::ShowModal() {
  if (modal_ || (Visible() && native_)) throw Exception("Cannot make a visible window modal");
  // Every window that exists now waits until this one is done; the ones it opens do not.
  // Error boxes stay usable: a window opened while one shows must not lock it.
  blocked_.clear();
  for (Form* f : App().Forms())
    if (f != this && !f->never_blocked_) {
      ++f->disabled_by_modal_;
      blocked_.push_back(f);
      f->FreeNotification(this);
    }
  struct Unblock {
    Form* self;
    ~Unblock() { self->ReleaseBlockedForms(); }
  } unblock{this};
  modal_ = true;
  modal_result_ = mrNone;
  closed_while_nested_ = false;
  App().EnterModal(this);
  CreateNativeWindow();
  native_->SetModal(true);
  Show();
  Application& app = App();
  while (true) {
    app.HandleMessage();
    if (app.Terminated()) {
      // Ending the program ends this loop without asking or telling the window.
      modal_result_ = mrCancel;
      break;
    }
    if (modal_result_ != mrNone && (closed_while_nested_ || FinishModal())) break;
  }
  app.LeaveModal(this);
  modal_ = false;
  if (native_) native_->SetModal(false);
  int result = modal_result_;
  if (app.Terminated()) {
    visible_ = false;
    if (native_) native_->SetVisible(false);
  } else {
    Hide();
  }
  return result;
}

// The close handlers decide; a refusal keeps the window open with no result.
bool Form::FinishModal() {
  CloseAction action = CloseAction::kNone;
  if (CloseQuery()) {
    action = CloseAction::kHide;
    DoClose(action);
  }
  if (action == CloseAction::kNone) {
    modal_result_ = mrNone;
    return false;
  }
  return true;
}

void Form::SetModalResult(int result) {
  modal_result_ = result;
  // A modal window whose loop is not the innermost (an error box under a window opened
  // after it) cannot return yet; it closes now and its loop ends when the inner ones do.
  if (modal_ && result != mrNone && !closed_while_nested_ && App().InnermostModal() != this) {
    if (!FinishModal()) return;
    closed_while_nested_ = true;
    ReleaseBlockedForms();
    if (native_) native_->SetModal(false);
    Hide();
  }
}

void Form::ReleaseBlockedForms() {
  for (Form* f : blocked_) {
    --f->disabled_by_modal_;
    f->RemoveFreeNotification(this);
  }
  blocked_.clear();
}

bool Form::CloseQuery() {
  bool can_close = true;
  if (OnCloseQuery) OnCloseQuery(this, can_close);
  return can_close;
}

void Form::DoClose(CloseAction& action) {
  if (OnClose) OnClose(this, action);
}

void Form::Close() {
  if (modal_) {
    SetModalResult(mrCancel);
    return;
  }
  if (!CloseQuery()) return;
  CloseAction action = CloseAction::kHide;
  DoClose(action);
  if (action == CloseAction::kNone) return;
  if (App().MainForm() == this) {
    App().Terminate();
  } else if (action == CloseAction::kHide || action == CloseAction::kFree) {
    Hide();
  } else if (action == CloseAction::kMinimize) {
    SetWindowState(fw::WindowState::kMinimized);
  }
}

void Form::SetActiveControl(WinControl* control) {
  FocusControl(control);
}

void Form::FocusControl(WinControl* control) {
  if (control == active_control_) return;
  WinControl* old = static_cast<WinControl*>(active_control_);
  active_control_ = control;
  if (old != nullptr) old->Perform(WM_KILLFOCUS);
  if (control != nullptr) control->Perform(WM_SETFOCUS);
  Message changed{CM_FOCUSCHANGED, 0, 0, 0};
  Broadcast(changed);
}

void Form::SelectNext(WinControl* current, bool forward) {
  std::vector<WinControl*> list = TabList();
  std::vector<WinControl*> candidates;
  for (WinControl* w : list)
    if (w->TabStop() && w->CanFocus()) candidates.push_back(w);
  if (candidates.empty()) return;
  auto it = std::find(candidates.begin(), candidates.end(), current);
  size_t index;
  if (it == candidates.end())
    index = forward ? 0 : candidates.size() - 1;
  else if (forward)
    index = (size_t(it - candidates.begin()) + 1) % candidates.size();
  else
    index = (size_t(it - candidates.begin()) + candidates.size() - 1) % candidates.size();
  FocusControl(candidates[index]);
}

WinControl* Form::KeyTarget() {
  if (active_control_ != nullptr && active_control_->IsWindowed())
    return static_cast<WinControl*>(active_control_);
  return this;
}

void Form::OnNativeEvent(const platform::InputEvent& e) {
  using Kind = platform::InputEvent::Kind;
  switch (e.kind) {
    case Kind::kMouseDown:
    case Kind::kMouseUp:
    case Kind::kMouseMove:
    case Kind::kDoubleClick:
    case Kind::kMouseLeave:
    case Kind::kMouseEnter:
      DeliverMouse(e);
      return;
    case Kind::kKeyDown:
    case Kind::kKeyUp:
    case Kind::kChar:
      DeliverKey(e);
      return;
    case Kind::kFocusIn:
      if (!InputBlocked()) Activate(true);
      return;
    case Kind::kFocusOut:
      return;
    case Kind::kCloseRequest:
      if (!InputBlocked()) App().PostMessage(this, WM_SYSCOMMAND, SC_CLOSE);
      return;
    case Kind::kExpose:
      if (native_) native_->Present(pixels_.View(), e.area.Intersect({0, 0, Width(), Height()}));
      return;
    case Kind::kMoved:
      if (e.area.left != bounds_.left || e.area.top != bounds_.top) {
        bounds_ = Rect::FromSize(e.area.left, e.area.top, bounds_.Width(), bounds_.Height());
        Perform(WM_MOVE);
      }
      return;
  }
}

void Form::DeliverMouse(const platform::InputEvent& e) {
  using Kind = platform::InputEvent::Kind;
  if (InputBlocked()) return;
  if (e.kind == Kind::kMouseLeave) {
    if (hover_ != nullptr) {
      hover_->Perform(CM_MOUSELEAVE);
      hover_ = nullptr;
    }
    return;
  }
  if (e.kind == Kind::kMouseEnter) return;
  bool left = e.button == platform::MouseButton::kLeft;
  uint32_t client_msg = 0, nc_msg = 0;
  switch (e.kind) {
    case Kind::kMouseDown:
      client_msg = left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
      nc_msg = left ? WM_NCLBUTTONDOWN : WM_NCRBUTTONDOWN;
      break;
    case Kind::kDoubleClick:
      client_msg = left ? WM_LBUTTONDBLCLK : WM_RBUTTONDOWN;
      nc_msg = left ? WM_NCLBUTTONDBLCLK : WM_NCRBUTTONDOWN;
      break;
    case Kind::kMouseUp:
      client_msg = left ? WM_LBUTTONUP : WM_RBUTTONUP;
      nc_msg = left ? WM_NCLBUTTONUP : WM_NCRBUTTONUP;
      break;
    default:
      client_msg = WM_MOUSEMOVE;
      nc_msg = WM_NCMOUSEMOVE;
      break;
  }
  uintptr_t keys = 0;
  if (e.modifiers & platform::kShift) keys |= MK_SHIFT;
  if (e.modifiers & platform::kCtrl) keys |= MK_CONTROL;
  if (e.kind == Kind::kMouseMove && (e.modifiers & 0x100)) keys |= MK_LBUTTON;
  if ((e.kind == Kind::kMouseDown || e.kind == Kind::kDoubleClick) && g_active_form != this)
    Activate(true);

  if (capture_ != nullptr) {
    WinControl* target =
        capture_->IsWindowed() ? static_cast<WinControl*>(capture_) : capture_->Parent();
    if (target != nullptr) {
      Point p = target->ScreenToClient(e.screen);
      App().PostMessage(target, client_msg, keys, MakeLParam(p.x, p.y));
    }
    return;
  }
  intptr_t hit = Perform(WM_NCHITTEST, 0, MakeLParam(e.screen.x, e.screen.y));
  if (hit != HTCLIENT) {
    if (hover_ != nullptr) {
      hover_->Perform(CM_MOUSELEAVE);
      hover_ = nullptr;
    }
    App().PostMessage(this, nc_msg, uintptr_t(hit), MakeLParam(e.screen.x, e.screen.y));
    return;
  }
  // The deepest windowed control under the pointer takes the message; a disabled one
  // swallows it.
  WinControl* target = this;
  Control* deepest = this;
  Point p{e.pos.x - client_in_window_.left, e.pos.y - client_in_window_.top};
  while (true) {
    Control* c = target->ControlAtPos(p, true, true);
    if (c == nullptr) break;
    deepest = c;
    if (!c->IsWindowed()) break;
    p = {p.x - c->Left(), p.y - c->Top()};
    target = static_cast<WinControl*>(c);
  }
  if (deepest != hover_) {
    if (hover_ != nullptr) hover_->Perform(CM_MOUSELEAVE);
    hover_ = deepest;
    if (hover_ != nullptr) hover_->Perform(CM_MOUSEENTER);
  }
  for (Control* c = target; c != nullptr; c = c->Parent())
    if (!c->Enabled()) return;
  App().PostMessage(target, client_msg, keys, MakeLParam(p.x, p.y));
}

void Form::DeliverKey(const platform::InputEvent& e) {
  using Kind = platform::InputEvent::Kind;
  if (InputBlocked()) return;
  WinControl* target = KeyTarget();
  unsigned shift = (e.modifiers & platform::kShift ? unsigned(ssShift) : 0u) |
                   (e.modifiers & platform::kCtrl ? unsigned(ssCtrl) : 0u) |
                   (e.modifiers & platform::kAlt ? unsigned(ssAlt) : 0u);
  bool alt = (e.modifiers & platform::kAlt) != 0;
  switch (e.kind) {
    case Kind::kKeyDown:
      App().PostMessage(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, e.key, intptr_t(shift));
      break;
    case Kind::kKeyUp:
      App().PostMessage(target, alt ? WM_SYSKEYUP : WM_KEYUP, e.key, intptr_t(shift));
      break;
    case Kind::kChar:
      App().PostMessage(target, alt ? WM_SYSCHAR : WM_CHAR, e.ch, intptr_t(shift));
      break;
    default:
      break;
  }
}

}  // namespace somnara::fw
