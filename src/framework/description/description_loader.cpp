#include "framework/description/description_loader.h"

#include <any>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "framework/class_info.h"
#include "framework/component.h"
#include "framework/description/description_error.h"
#include "framework/description/description_parser.h"
#include "framework/global_components.h"
#include "framework/resources.h"

namespace somnara::fw {
namespace {

// A setter may free another component of the window while the load goes on. The loader
// keeps raw pointers to everything it touched until Loaded(), so it listens for removals.
class RemovalWatch : public Component {
 public:
  RemovalWatch() : Component(nullptr) {}
  ~RemovalWatch() override {
    // Leave quietly: nobody needs to hear that the watch itself goes.
    for (Component* c : alive_) RemoveFreeNotification(c);
  }

  void Watch(Component* c) {
    if (alive_.insert(c).second) FreeNotification(c);
  }
  bool Alive(Component* c) const { return alive_.count(c) != 0; }

  void Notification(Component* component, Operation operation) override {
    if (operation == Operation::kRemove) alive_.erase(component);
    Component::Notification(component, operation);
  }

 private:
  std::unordered_set<Component*> alive_;
};

struct Fixup {
  Component* target;
  const PropertyInfo* property;
  std::string identifier;
  std::string path;  // "Form2.suiForm1.FileTheme"
  SourcePosition position;
};

struct TouchedComponent {
  Component* component;
  std::string path;
  SourcePosition position;
};

class Loader {
 public:
  Loader(Component& root, std::string source) : root_(root), source_(std::move(source)) {}

  void Run(DescriptionObject& tree) {
    root_name_ = tree.name;
    CollectNames(tree);
    if (!SameText(tree.class_name, root_.ClassName()))
      Fail(tree.name, source_ + " describes a " + tree.class_name + ", not a " + root_.ClassName(),
           tree.position);
    FillBinaries(tree, tree.name);

    root_.SetLoading(true);
    try {
      if (root_.Name().empty()) Guard(tree.name, tree.position, [&] { root_.SetName(tree.name); });
      ApplyProperties(root_, tree, tree.name);
      for (const DescriptionObject& child : tree.children) LoadChild(child, root_, tree.name);
      ApplyFixups();
    } catch (...) {
      AbandonLoading(0);
      throw;
    }
    for (size_t i = 0; i < touched_.size(); ++i) {
      Component* c = touched_[i].component;
      if (!watch_.Alive(c)) continue;
      try {
        c->Loaded();
      } catch (const std::exception& e) {
        AbandonLoading(i + 1);
        Fail(touched_[i].path, e.what(), touched_[i].position);
      }
    }
    Guard(tree.name, tree.position, [&] { root_.Loaded(); });
  }

 private:
  [[noreturn]] void Fail(const std::string& path, const std::string& reason,
                         SourcePosition where) const {
    throw DescriptionError("Error reading " + path + ": " + reason, source_, where);
  }

  // Runs `step`, turning whatever a component throws into an error naming `path`.
  template <class F>
  void Guard(const std::string& path, SourcePosition where, F&& step) const {
    try {
      step();
    } catch (const DescriptionError&) {
      throw;
    } catch (const std::exception& e) {
      Fail(path, e.what(), where);
    }
  }

  void AbandonLoading(size_t from) {
    for (size_t i = from; i < touched_.size(); ++i)
      if (watch_.Alive(touched_[i].component)) touched_[i].component->SetLoading(false);
    root_.SetLoading(false);
  }

  // Every resource is looked up before anything is applied, so a missing one leaves the
  // window untouched.
  void FillBinaries(DescriptionObject& object, const std::string& path) {
    for (DescriptionProperty& p : object.properties)
      FillBinary(p.value, path + "." + p.name, p.value_position);
    for (DescriptionObject& child : object.children) FillBinaries(child, path + "." + child.name);
  }

  void FillBinary(Value& v, const std::string& path, SourcePosition where) {
    if (v.kind == Value::Kind::kBinary) {
      ResourceLookup found = FindResource(v.text);
      if (!found.found) Fail(path, "Resource " + v.text + " not found", where);
      v.bytes.assign(found.bytes.begin(), found.bytes.end());
    }
    for (Value& item : v.items) FillBinary(item, path, where);
    for (Value::Properties& item : v.collection)
      for (auto& [name, value] : item) FillBinary(value, path, where);
  }

  void ApplyProperties(Component& c, const DescriptionObject& object, const std::string& path) {
    for (const DescriptionProperty& p : object.properties) {
      // A setter may have freed this very component; what is left has nothing to go to.
      if (&c != &root_ && !watch_.Alive(&c)) return;
      ApplyProperty(c, p, path + "." + p.name);
    }
  }

  void ApplyProperty(Component& c, const DescriptionProperty& p, const std::string& path) {
    const PropertyInfo* info = c.GetClassInfo().FindProperty(p.name);
    if (info == nullptr) Fail(path, "Property " + p.name + " does not exist", p.position);
    switch (info->type) {
      case PropertyType::kEvent:
        BindEvent(c, *info, p, path);
        return;
      case PropertyType::kReference:
        if (p.value.kind != Value::Kind::kIdentifier)
          Fail(path, "a component name was expected", p.value_position);
        if (!info->set) Fail(path, "Property " + p.name + " is read-only", p.position);
        // A component that exists already is set in its place among the properties, so that
        // what its setter derives can be overridden by later ones (a frame's theme before its
        // font); only references to objects further down wait for the end of the load.
        if (!NamesLaterObject(p.value.text)) {
          if (std::optional<Component*> found = Resolve(p.value.text)) {
            Guard(path, p.value_position, [&] { info->set(c, Value::Of(*found)); });
            return;
          }
        }
        fixups_.push_back({&c, info, p.value.text, path, p.value_position});
        return;
      default:
        if (!info->set) Fail(path, "Property " + p.name + " is read-only", p.position);
        Guard(path, p.value_position, [&] { info->set(c, p.value); });
    }
  }

  void BindEvent(Component& c, const PropertyInfo& info, const DescriptionProperty& p,
                 const std::string& path) {
    if (p.value.kind != Value::Kind::kIdentifier || p.value.text.find('.') != std::string::npos)
      Fail(path, "an event handler name was expected", p.value_position);
    const ClassInfo::HandlerBinder* binder = root_.GetClassInfo().FindHandler(p.value.text);
    if (binder == nullptr)
      Fail(path, "Handler " + p.value.text + " not found in " + root_.ClassName(),
           p.value_position);
    if (!info.set_handler) Fail(path, "Property " + p.name + " is read-only", p.position);
    Guard(path, p.value_position, [&] {
      std::any handler = (*binder)(root_);
      try {
        info.set_handler(c, handler);
      } catch (const std::bad_any_cast&) {
        Fail(path, "Handler " + p.value.text + " does not fit event " + p.name, p.value_position);
      }
    });
  }

  void LoadChild(const DescriptionObject& object, Component& parent,
                 const std::string& parent_path) {
    const std::string path = parent_path + "." + object.name;
    Component* c = root_.FindComponent(object.name);
    const ClassInfo* info = ClassInfo::Find(object.class_name);
    if (c != nullptr) {
      if (!SameText(c->ClassName(), object.class_name) &&
          (info == nullptr || !c->InheritsFrom(*info)))
        Fail(path, object.name + " is a " + c->ClassName() + ", not a " + object.class_name,
             object.position);
    } else {
      if (info == nullptr) Fail(path, "Class " + object.class_name + " not found", object.position);
      Guard(path, object.position, [&] { c = info->Create(&root_); });
      if (c == nullptr)
        Fail(path, "Class " + object.class_name + " made no component", object.position);
      // The root owns every described component, so it frees them with itself.
      if (c->Owner() != &root_) c->ChangeOwner(&root_);
    }
    watch_.Watch(c);
    touched_.push_back({c, path, object.position});
    c->SetLoading(true);
    Guard(path, object.position, [&] {
      if (!SameText(c->Name(), object.name)) c->SetName(object.name);
      c->SetParentComponent(&parent);
    });
    // A setter of the enclosing object may have freed this one already; nothing to apply to.
    if (!watch_.Alive(c)) return;
    ApplyProperties(*c, object, path);
    for (const DescriptionObject& child : object.children) {
      if (!watch_.Alive(c)) return;
      LoadChild(child, *c, path);
    }
  }

  // "Part", "Form1" (the root), "Form1.Part" or "Part.Inner" within this window, else a
  // component another window registered: "Form1.suiBuiltInFileTheme1".
  std::optional<Component*> Resolve(const std::string& identifier) const {
    if (SameText(identifier, "nil")) return nullptr;
    std::string_view rest = identifier;
    auto next_segment = [&rest] {
      const size_t dot = rest.find('.');
      std::string_view head = rest.substr(0, dot);
      rest = dot == std::string_view::npos ? std::string_view() : rest.substr(dot + 1);
      return head;
    };
    const std::string_view head = next_segment();
    Component* c = root_.FindComponent(head);
    if (c == nullptr && (SameText(head, root_.Name()) || SameText(head, root_name_))) c = &root_;
    while (c != nullptr && !rest.empty()) c = c->FindComponent(next_segment());
    if (c != nullptr) return c;
    if (Component* global = FindGlobalComponent(identifier)) return global;
    return std::nullopt;
  }

  void CollectNames(const DescriptionObject& object) {
    for (const DescriptionObject& child : object.children) {
      described_.push_back(child.name);
      CollectNames(child);
    }
  }

  // Whether a reference points into this window at an object not made yet: it must wait,
  // or a component of another window with the same name would be taken in its place.
  bool NamesLaterObject(const std::string& identifier) const {
    std::string_view head = identifier;
    std::string_view rest;
    if (auto dot = head.find('.'); dot != std::string_view::npos) {
      rest = head.substr(dot + 1);
      head = head.substr(0, dot);
    }
    if (SameText(head, root_.Name()) || SameText(head, root_name_)) {
      if (rest.empty()) return false;
      head = rest.substr(0, rest.find('.'));
    }
    for (const std::string& name : described_)
      if (SameText(name, head)) return root_.FindComponent(head) == nullptr;
    return false;
  }

  void ApplyFixups() {
    for (const Fixup& f : fixups_) {
      if (f.target != &root_ && !watch_.Alive(f.target)) continue;
      std::optional<Component*> found = Resolve(f.identifier);
      if (!found) Fail(f.path, "Component " + f.identifier + " not found", f.position);
      Guard(f.path, f.position, [&] { f.property->set(*f.target, Value::Of(*found)); });
    }
  }

  Component& root_;
  std::string source_;
  std::string root_name_;
  RemovalWatch watch_;
  std::vector<TouchedComponent> touched_;
  std::vector<Fixup> fixups_;
  std::vector<std::string> described_;
};

}  // namespace

void ApplyDescription(Component& root, DescriptionObject tree, std::string_view source_name) {
  Loader(root, std::string(source_name)).Run(tree);
}

void LoadDescriptionText(Component& root, std::string_view text, std::string_view source_name) {
  ApplyDescription(root, ParseDescription(text, source_name), source_name);
}

void LoadDescription(Component& root, std::string_view resource_name) {
  ResourceLookup found = FindResource(resource_name);
  if (!found.found)
    throw DescriptionError("Window description " + std::string(resource_name) + " not found",
                           std::string(resource_name), SourcePosition{});
  std::string_view text(reinterpret_cast<const char*>(found.bytes.data()), found.bytes.size());
  LoadDescriptionText(root, text, resource_name);
}

}  // namespace somnara::fw
