#pragma once

// Small component classes with published properties of every kind, for loading window
// descriptions in tests. Every setter writes a line to TestLog().

#include <functional>
#include <string>
#include <vector>

#include "framework/component.h"

namespace somnara::fw::testing {

std::vector<std::string>& TestLog();
void RegisterTestClasses();

using NotifyEvent = std::function<void(Component* sender)>;
using CountEvent = std::function<void(int count)>;

class Widget : public Component {
 public:
  enum class Style { kPlain, kNight };

  explicit Widget(Component* owner) : Component(owner) {}
  ~Widget() override { BeginDestruction(); }
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  // Style derives the colour, as a skin style derives its colours.
  Style GetStyle() const { return style_; }
  void SetStyle(Style s);
  uint32_t Color() const { return color_; }
  void SetColor(uint32_t c);
  int Left() const { return left_; }
  void SetLeft(int v);  // refuses values above 10000
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  std::string Caption() const { return caption_; }
  void SetCaption(const std::string& v);
  uint32_t Anchors() const { return anchors_; }
  void SetAnchors(uint32_t v);
  Widget* Buddy() const { return buddy_; }
  void SetBuddy(Widget* w);
  Component* SetParentArg() const { return parent_; }

  void SetParentComponent(Component* parent) override;
  void Loaded() override;
  void Notification(Component* c, Operation op) override;

  std::vector<std::string> lines;
  std::vector<uint8_t> data;
  double ratio = 0;
  Value buttons;
  NotifyEvent on_click;
  CountEvent on_count;
  bool set_while_not_loading = false;

 private:
  void Note(const std::string& what);

  Style style_ = Style::kPlain;
  uint32_t color_ = 0xFFFFFF;
  int left_ = 0;
  bool enabled_ = true;
  std::string caption_;
  uint32_t anchors_ = 0;
  Widget* buddy_ = nullptr;
  Component* parent_ = nullptr;
};

// A component the registry knows but cannot create by name.
class Abstract : public Component {
 public:
  using Component::Component;
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }
};

// A window: its handlers can be named by events in its description.
class TestForm : public Component {
 public:
  explicit TestForm(Component* owner = nullptr, bool with_existing = false);
  ~TestForm() override { BeginDestruction(); }
  static const ClassInfo& StaticClassInfo();
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  std::string Caption() const { return caption_; }
  void SetCaption(const std::string& v);
  Component* Theme() const { return theme_; }
  void SetTheme(Component* c);
  void Loaded() override;

  // Handlers.
  void FormCreate(Component* sender) { created_by.push_back(sender); }
  void WidgetClick(Component* sender) { clicked_by.push_back(sender); }

  Widget* existing = nullptr;
  NotifyEvent on_create;
  std::vector<Component*> created_by;
  std::vector<Component*> clicked_by;

 private:
  std::string caption_;
  Component* theme_ = nullptr;
};

}  // namespace somnara::fw::testing
