// Feeds arbitrary text to the description parser and, when it parses, applies it to a small
// window with published properties of every kind. Any outcome but success or a
// DescriptionError is a fault.

#include <any>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "framework/class_info.h"
#include "framework/component.h"
#include "framework/description/description_error.h"
#include "framework/description/description_loader.h"
#include "framework/resources.h"

namespace {

using namespace somnara::fw;

using NotifyEvent = std::function<void(Component*)>;

class FuzzWidget : public Component {
 public:
  explicit FuzzWidget(Component* owner) : Component(owner) {}
  ~FuzzWidget() override { BeginDestruction(); }

  static const ClassInfo& StaticClassInfo() {
    static const ClassInfo info = [] {
      ClassInfo i("TFuzzWidget", &Component::StaticClassInfo(),
                  [](Component* owner) { return new FuzzWidget(owner); });
      i.Add(IntegerProperty<FuzzWidget>("Left", &FuzzWidget::Left, &FuzzWidget::SetLeft));
      i.Add(ColorProperty<FuzzWidget>("Color", &FuzzWidget::Color, &FuzzWidget::SetColor));
      i.Add(BoolProperty<FuzzWidget>("Visible", &FuzzWidget::Visible, &FuzzWidget::SetVisible));
      i.Add(StringProperty<FuzzWidget>("Caption", &FuzzWidget::Caption, &FuzzWidget::SetCaption));
      i.Add(EnumProperty<FuzzWidget, int>("Style", {"fsA", "fsB", "fsC"}, &FuzzWidget::Style,
                                          &FuzzWidget::SetStyle));
      i.Add(BitSetProperty<FuzzWidget>("Anchors", {"akLeft", "akTop"}, &FuzzWidget::Anchors,
                                       &FuzzWidget::SetAnchors));
      i.Add(ReferenceProperty<FuzzWidget, FuzzWidget>("Buddy", &FuzzWidget::Buddy,
                                                      &FuzzWidget::SetBuddy));
      PropertyInfo lines{"Lines",
                         PropertyType::kStrings,
                         {},
                         nullptr,
                         [](Component& c, const Value& v) {
                           static_cast<FuzzWidget&>(c).lines_ = ValueToStrings(v).size();
                         },
                         nullptr};
      i.Add(std::move(lines));
      PropertyInfo data{
          "Data",
          PropertyType::kBinary,
          {},
          nullptr,
          [](Component& c, const Value& v) { static_cast<FuzzWidget&>(c).bytes_ = v.bytes.size(); },
          nullptr};
      i.Add(std::move(data));
      PropertyInfo items{"Items",
                         PropertyType::kCollection,
                         {},
                         nullptr,
                         [](Component& c, const Value& v) {
                           if (v.kind != Value::Kind::kCollection)
                             throw Exception("collection expected");
                           static_cast<FuzzWidget&>(c).items_ = v.collection.size();
                         },
                         nullptr};
      i.Add(std::move(items));
      i.Add(EventProperty<FuzzWidget, NotifyEvent>("OnClick", &FuzzWidget::on_click_));
      return i;
    }();
    return info;
  }
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  void Notification(Component* c, Operation op) override {
    if (op == Operation::kRemove && c == buddy_) buddy_ = nullptr;
    Component::Notification(c, op);
  }

 private:
  int Left() const { return left_; }
  void SetLeft(int v) { left_ = v; }
  uint32_t Color() const { return color_; }
  void SetColor(uint32_t v) { color_ = v; }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  std::string Caption() const { return caption_; }
  void SetCaption(const std::string& v) { caption_ = v; }
  int Style() const { return style_; }
  void SetStyle(int v) { style_ = v; }
  uint32_t Anchors() const { return anchors_; }
  void SetAnchors(uint32_t v) { anchors_ = v; }
  FuzzWidget* Buddy() const { return buddy_; }
  void SetBuddy(FuzzWidget* w) {
    if (buddy_ != nullptr) RemoveFreeNotification(buddy_);
    buddy_ = w;
    if (w != nullptr) FreeNotification(w);
  }

  int left_ = 0;
  uint32_t color_ = 0;
  bool visible_ = true;
  std::string caption_;
  int style_ = 0;
  uint32_t anchors_ = 0;
  FuzzWidget* buddy_ = nullptr;
  size_t lines_ = 0, bytes_ = 0, items_ = 0;
  NotifyEvent on_click_;
};

class FuzzForm : public Component {
 public:
  FuzzForm() : Component(nullptr) {}
  ~FuzzForm() override { BeginDestruction(); }

  static const ClassInfo& StaticClassInfo() {
    static const ClassInfo info = [] {
      ClassInfo i("TFuzzForm", &Component::StaticClassInfo());
      i.Add(EventProperty<FuzzForm, NotifyEvent>("OnCreate", &FuzzForm::on_create_));
      i.AddHandler("Click", [](Component& self) {
        return std::any(NotifyEvent([&self](Component*) { (void)self; }));
      });
      return i;
    }();
    return info;
  }
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

 private:
  NotifyEvent on_create_;
};

const uint8_t kData[] = {1, 2, 3};
const ResourceEntry kResources[] = {{"fuzz/data.bin", kData, sizeof kData}, {nullptr, nullptr, 0}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = [] {
    ClassInfo::Register(FuzzWidget::StaticClassInfo());
    ClassInfo::Register(FuzzForm::StaticClassInfo());
    RegisterResources(kResources);
    return true;
  }();
  (void)ready;
  FuzzForm form;
  try {
    LoadDescriptionText(form, std::string_view(reinterpret_cast<const char*>(data), size), "fuzz");
  } catch (const DescriptionError&) {
  }
  return 0;
}
