#include "test_components.h"

#include <any>

namespace somnara::fw::testing {

std::vector<std::string>& TestLog() {
  static std::vector<std::string> log;
  return log;
}

void Widget::Note(const std::string& what) {
  if (!IsLoading()) set_while_not_loading = true;
  TestLog().push_back(Name() + "." + what);
}

void Widget::SetStyle(Style s) {
  style_ = s;
  color_ = s == Style::kNight ? 0x000000 : 0xFFFFFF;
  Note("Style");
}
void Widget::SetColor(uint32_t c) {
  color_ = c;
  Note("Color");
}
void Widget::SetLeft(int v) {
  if (v > 10000) throw Exception("Value " + std::to_string(v) + " is out of range");
  left_ = v;
  Note("Left");
}
void Widget::SetEnabled(bool v) {
  enabled_ = v;
  Note("Enabled");
}
void Widget::SetCaption(const std::string& v) {
  caption_ = v;
  Note("Caption");
}
void Widget::SetAnchors(uint32_t v) {
  anchors_ = v;
  Note("Anchors");
}
void Widget::SetBuddy(Widget* w) {
  if (buddy_ != nullptr) RemoveFreeNotification(buddy_);
  buddy_ = w;
  if (w != nullptr) FreeNotification(w);
  Note("Buddy=" + (w ? w->Name() : std::string("nil")));
}

void Widget::SetParentComponent(Component* parent) {
  parent_ = parent;
  TestLog().push_back(Name() + " parent " + parent->Name());
}

void Widget::Loaded() {
  TestLog().push_back("loaded " + Name());
  Component::Loaded();
}

void Widget::Notification(Component* c, Operation op) {
  if (op == Operation::kRemove && c == buddy_) buddy_ = nullptr;
  Component::Notification(c, op);
}

const ClassInfo& Widget::StaticClassInfo() {
  static const ClassInfo info = [] {
    ClassInfo i("TWidget", &Component::StaticClassInfo(),
                [](Component* owner) { return new Widget(owner); });
    i.Add(EnumProperty<Widget, Style>("Style", {"wsPlain", "wsNight"}, &Widget::GetStyle,
                                      &Widget::SetStyle));
    i.Add(ColorProperty<Widget>("Color", &Widget::Color, &Widget::SetColor));
    i.Add(IntegerProperty<Widget>("Left", &Widget::Left, &Widget::SetLeft));
    i.Add(BoolProperty<Widget>("Enabled", &Widget::Enabled, &Widget::SetEnabled));
    i.Add(StringProperty<Widget>("Caption", &Widget::Caption, &Widget::SetCaption));
    i.Add(BitSetProperty<Widget>("Anchors", {"akLeft", "akTop", "akRight", "akBottom"},
                                 &Widget::Anchors, &Widget::SetAnchors));
    i.Add(ReferenceProperty<Widget, Widget>("Buddy", &Widget::Buddy, &Widget::SetBuddy));
    PropertyInfo lines{"Lines",
                       PropertyType::kStrings,
                       {},
                       nullptr,
                       [](Component& c, const Value& v) {
                         static_cast<Widget&>(c).lines = ValueToStrings(v);
                         static_cast<Widget&>(c).Note("Lines");
                       },
                       nullptr};
    i.Add(std::move(lines));
    PropertyInfo data{"Data",
                      PropertyType::kBinary,
                      {},
                      nullptr,
                      [](Component& c, const Value& v) {
                        if (v.kind != Value::Kind::kBinary) throw Exception("bytes expected");
                        static_cast<Widget&>(c).data = v.bytes;
                      },
                      nullptr};
    i.Add(std::move(data));
    PropertyInfo ratio{"Ratio",
                       PropertyType::kFloat,
                       {},
                       nullptr,
                       [](Component& c, const Value& v) {
                         if (v.kind != Value::Kind::kFloat) throw Exception("float expected");
                         static_cast<Widget&>(c).ratio = v.real;
                       },
                       nullptr};
    i.Add(std::move(ratio));
    PropertyInfo buttons{"Buttons",
                         PropertyType::kCollection,
                         {},
                         nullptr,
                         [](Component& c, const Value& v) {
                           if (v.kind != Value::Kind::kCollection)
                             throw Exception("collection expected");
                           static_cast<Widget&>(c).buttons = v;
                         },
                         nullptr};
    i.Add(std::move(buttons));
    PropertyInfo version{"Version", PropertyType::kString,
                         {},        [](const Component&) { return Value::String("6.0"); },
                         nullptr,   nullptr};
    i.Add(std::move(version));
    // Frees the named component of the window: a setter with a side effect on siblings.
    PropertyInfo drop{
        "Drop",
        PropertyType::kString,
        {},
        nullptr,
        [](Component& c, const Value& v) { delete c.Owner()->FindComponent(ValueToString(v)); },
        nullptr};
    i.Add(std::move(drop));
    i.Add(EventProperty<Widget, NotifyEvent>("OnClick", &Widget::on_click));
    i.Add(EventProperty<Widget, CountEvent>("OnCount", &Widget::on_count));
    return i;
  }();
  return info;
}

const ClassInfo& Abstract::StaticClassInfo() {
  static const ClassInfo info("TAbstract", &Component::StaticClassInfo());
  return info;
}

TestForm::TestForm(Component* owner, bool with_existing) : Component(owner) {
  if (with_existing) {
    existing = new Widget(this);
    existing->SetName("Existing");
  }
}

void TestForm::SetCaption(const std::string& v) {
  caption_ = v;
  TestLog().push_back("Form.Caption");
}

void TestForm::SetTheme(Component* c) {
  theme_ = c;
  TestLog().push_back("Form.Theme=" + (c ? c->Name() : std::string("nil")));
}

void TestForm::Loaded() {
  TestLog().push_back("loaded form");
  Component::Loaded();
}

namespace {
template <void (TestForm::*method)(Component*)>
ClassInfo::HandlerBinder Bind() {
  return [](Component& self) {
    TestForm* form = &static_cast<TestForm&>(self);
    return std::any(NotifyEvent([form](Component* sender) { (form->*method)(sender); }));
  };
}
}  // namespace

const ClassInfo& TestForm::StaticClassInfo() {
  static const ClassInfo info = [] {
    ClassInfo i("TTestForm", &Component::StaticClassInfo());
    i.Add(StringProperty<TestForm>("Caption", &TestForm::Caption, &TestForm::SetCaption));
    i.Add(ReferenceProperty<TestForm, Component>("Theme", &TestForm::Theme, &TestForm::SetTheme));
    i.Add(EventProperty<TestForm, NotifyEvent>("OnCreate", &TestForm::on_create));
    i.AddHandler("FormCreate", Bind<&TestForm::FormCreate>());
    i.AddHandler("WidgetClick", Bind<&TestForm::WidgetClick>());
    return i;
  }();
  return info;
}

void RegisterTestClasses() {
  ClassInfo::Register(Widget::StaticClassInfo());
  ClassInfo::Register(Abstract::StaticClassInfo());
  ClassInfo::Register(TestForm::StaticClassInfo());
}

}  // namespace somnara::fw::testing
