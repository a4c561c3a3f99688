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
  style_ = StyleForBorder(border_style_, border_icons_);
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
  style_ = StyleForBorder(border_style_, border_icons_);
  RecalcNonClient();
  Perform(CM_RECREATEWND);
  InvalidateFrame();
}

void Form::SetBorderIcons(uint32_t icons) {
  if (border_icons_ == icons) return;
  border_icons_ = icons;
  uint32_t keep_caption = style_ & WS_CAPTION;
  style_ = (StyleForBorder(border_style_, border_icons_) & ~WS_CAPTION) | keep_caption;
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
  const fw::WindowState old = window_state_;
  // Where a maximised window goes back to: the place it had before it was maximised.
  if (old == fw::WindowState::kNormal) restore_bounds_ = bounds_;
  window_state_ = state;
  if (native_) native_->SetMinimized(state == fw::WindowState::kMinimized);
  if (state == fw::WindowState::kMaximized) {
    Rect work = App().Windows().WorkAreaNear(bounds_);
    SetBounds(work.left, work.top, work.Width(), work.Height());
  } else if (state == fw::WindowState::kNormal && old == fw::WindowState::kMaximized &&
             !restore_bounds_.IsEmpty()) {
    SetBounds(restore_bounds_.left, restore_bounds_.top, restore_bounds_.Width(),
              restore_bounds_.Height());
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

FrameMetrics Form::DefaultFrame() const {
  return MeasureDefaultFrame(style_, border_style_, {Width(), Height()});
}

void Form::WndProc(Message& m) {
  switch (m.msg) {
    case CM_DIALOGKEY:
      HandleDialogKey(m);
      return;
    case CM_DIALOGCHAR:
      HandleDialogChar(m);
      return;
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
      if (m.lParam != 0) {
        Rect& r = reinterpret_cast<NcCalcSizeParams*>(m.lParam)->rgrc[0];
        r = MeasureDefaultFrame(style_, border_style_, {r.Width(), r.Height()})
                .client.Offset(r.left, r.top);
      }
      m.result = 0;
      return;
    case WM_NCPAINT: {
      Canvas& canvas = WindowCanvas();
      PaintDefaultFrame(canvas, DefaultFrame(), Caption(), active_);
      canvas.ResetClip();
      PaintBorderBand(canvas, client_in_window_, border_width_, GetColor(), {Width(), Height()});
      return;
    }
    case WM_NCHITTEST:
      m.result =
          HitTestDefaultFrame(DefaultFrame(), client_in_window_,
                              {XFromLParam(m.lParam) - Left(), YFromLParam(m.lParam) - Top()});
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
          // The main window stands for the whole program: every window of it goes down.
          if (this == App().MainForm()) {
            for (Form* f : std::vector<Form*>(App().Forms()))
              if (f->Visible()) f->SetWindowState(fw::WindowState::kMinimized);
          }
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

void Form::Notification(Component* component, Operation operation) {
  CustomControl::Notification(component, operation);
  if (operation == Operation::kRemove) {
    blocked_.erase(std::remove(blocked_.begin(), blocked_.end(), component), blocked_.end());
    ForgetControl(component);
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
  // The first frame is ready before the window maps, whether or not it can be seen then:
  // the window appears with it.
  Repaint();
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
  // A hidden window keeps no pixels; showing it again paints it whole.
  if (native_) native_->ForgetPresented();
  pixels_.Clear();
  dirty_present_ = {};
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

}  // namespace somnara::fw
