#include "framework/controls/edit.h"

#include "framework/controls/draw_helpers.h"
#include "framework/graphics/canvas.h"

namespace somnara::fw {

const ClassInfo& Edit::StaticClassInfo() {
  static const RegisteredClassInfo info = [] {
    ClassInfo i("TEdit", &WinControl::StaticClassInfo(), [](Component* o) { return new Edit(o); });
    i.Add(StringProperty<Edit>("Text", &Edit::Text, &Edit::SetText));
    i.Add(IntegerProperty<Edit>("MaxLength", &Edit::MaxLength, &Edit::SetMaxLength));
    i.Add(BoolProperty<Edit>("ReadOnly", &Edit::ReadOnly, &Edit::SetReadOnly));
    i.Add(EnumProperty<Edit, ControlBorder>("BorderStyle", kControlBorderNames, &Edit::BorderStyle,
                                            &Edit::SetBorderStyle));
    i.Add(BoolProperty<Edit>("Ctl3D", &Edit::Ctl3D, &Edit::SetCtl3D));
    i.Add(IntegerProperty<Edit>("BorderWidth", &Edit::BorderWidth, &Edit::SetBorderWidth));
    i.Add(BoolProperty<Edit>("AutoSelect", &Edit::AutoSelect, &Edit::SetAutoSelect));
    i.Add(EventProperty<Edit>("OnChange", &Edit::OnChange));
    return i;
  }();
  return info;
}

Edit::Edit(Component* owner) : WinControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 121, 21);
  SetColor(clWindow);
  SetCursor(Cursor::kIBeam);
}

Edit::~Edit() {
  BeginDestruction();
}

void Edit::SetReadOnly(bool on) {
  read_only_ = on;
  Invalidate();
}

void Edit::SetBorderStyle(ControlBorder style) {
  border_style_ = style;
  Invalidate();
}

void Edit::SetCtl3D(bool on) {
  ctl3d_ = on;
  Invalidate();
}

void Edit::SetBorderWidth(int width) {
  border_width_ = width < 0 ? 0 : width;
  Invalidate();
}

void Edit::SetSelStart(size_t pos) {
  editor_.State().SetCaret(pos);
  EditorChanged(false);
}

void Edit::SetSelLength(size_t length) {
  editor_.State().Select(editor_.State().SelStart(), length);
  EditorChanged(false);
}

void Edit::SelectAll() {
  editor_.State().SelectAll();
  EditorChanged(false);
}

Rect Edit::TextArea() const {
  int inset = FieldBorderSize(border_style_, ctl3d_) + border_width_ + 1;
  return ClientRect().Inflate(-inset, -inset);
}

void Edit::EditorChanged(bool text_changed) {
  if (text_changed) {
    syncing_ = true;
    SetCaption(editor_.State().Text());
    syncing_ = false;
  }
  editor_.ScrollToCaret(GetFont(), TextArea().Width());
  Invalidate();
}

void Edit::TextChanged() {
  // Text set from outside replaces what is being edited.
  if (!syncing_ && Caption() != editor_.State().Text()) {
    editor_.State().SetText(Caption());
    editor_.ScrollToCaret(GetFont(), TextArea().Width());
  }
  Invalidate();
  Change();
}

void Edit::Change() {
  if (!IsLoading() && OnChange) OnChange(this);
}

void Edit::WndProc(Message& m) {
  if (m.msg == WM_GETDLGCODE) {
    m.result = DLGC_WANTARROWS | DLGC_WANTCHARS;
    return;
  }
  WinControl::WndProc(m);
}

void Edit::KeyDown(uint32_t& key, unsigned shift) {
  WinControl::KeyDown(key, shift);
  if (key == 0) return;
  bool changed = false;
  if (editor_.KeyDown(key, shift, read_only_, changed)) {
    EditorChanged(changed);
    if (key != VK_LEFT && key != VK_RIGHT) key = 0;
  }
}

void Edit::KeyPress(char32_t& key) {
  WinControl::KeyPress(key);
  if (key == 0) return;
  bool changed = false;
  if (editor_.KeyPress(key, read_only_, size_t(max_length_), changed)) EditorChanged(changed);
}

void Edit::DoEnter() {
  if (auto_select_) editor_.State().SelectAll();
  WinControl::DoEnter();
}

void Edit::MouseDown(MouseButton button, unsigned shift, int x, int y) {
  if (button == MouseButton::kLeft) {
    if (CanFocus()) SetFocus();
    Rect area = TextArea();
    editor_.State().SetCaret(editor_.OffsetAt(GetFont(), x - area.left), shift & ssShift);
    EditorChanged(false);
  }
  WinControl::MouseDown(button, shift, x, y);
}

void Edit::MouseMove(unsigned shift, int x, int y) {
  if (mouse_down_) {
    Rect area = TextArea();
    editor_.State().SetCaret(editor_.OffsetAt(GetFont(), x - area.left), true);
    EditorChanged(false);
  }
  WinControl::MouseMove(shift, x, y);
}

void Edit::Paint() {
  Canvas& c = GetCanvas();
  DrawFieldBox(c, ClientRect(), border_style_, ctl3d_, Enabled() ? GetColor() : clBtnFace);
  editor_.Paint(c, TextArea(), GetFont(), Focused(), Enabled());
}

}  // namespace somnara::fw
