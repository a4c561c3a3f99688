#include "framework/class_info.h"

#include <cctype>
#include <map>

#include "framework/component.h"
#include "framework/exceptions.h"

namespace somnara::fw {

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

ClassInfo::ClassInfo(std::string name, const ClassInfo* parent, Factory factory)
    : name_(std::move(name)), parent_(parent), factory_(std::move(factory)) {}

bool ClassInfo::InheritsFrom(const ClassInfo& other) const {
  for (const ClassInfo* c = this; c != nullptr; c = c->parent_)
    if (c == &other) return true;
  return false;
}

Component* ClassInfo::Create(Component* owner) const {
  if (!factory_) throw Exception("Class " + name_ + " cannot be created by name");
  return factory_(owner);
}

void ClassInfo::Add(PropertyInfo property) {
  for (auto& p : properties_) {
    if (SameText(p.name, property.name)) {  // a redeclaration replaces, keeping its place
      p = std::move(property);
      return;
    }
  }
  properties_.push_back(std::move(property));
}

void ClassInfo::AddHandler(std::string name, HandlerBinder binder) {
  handlers_.emplace_back(std::move(name), std::move(binder));
}

const PropertyInfo* ClassInfo::FindProperty(std::string_view name) const {
  for (const ClassInfo* c = this; c != nullptr; c = c->parent_)
    for (const auto& p : c->properties_)
      if (SameText(p.name, name)) return &p;
  return nullptr;
}

const ClassInfo::HandlerBinder* ClassInfo::FindHandler(std::string_view name) const {
  for (const ClassInfo* c = this; c != nullptr; c = c->parent_)
    for (const auto& [n, binder] : c->handlers_)
      if (SameText(n, name)) return &binder;
  return nullptr;
}

std::vector<const PropertyInfo*> ClassInfo::Properties() const {
  std::vector<const ClassInfo*> chain;
  for (const ClassInfo* c = this; c != nullptr; c = c->parent_) chain.insert(chain.begin(), c);
  std::vector<const PropertyInfo*> out;
  for (const ClassInfo* c : chain)
    for (const auto& p : c->properties_) {
      bool overridden = false;
      for (const ClassInfo* d = this; d != c; d = d->parent_)
        for (const auto& q : d->properties_)
          if (SameText(q.name, p.name)) overridden = true;
      if (!overridden) out.push_back(&p);
    }
  // Redeclared properties appear where the most derived class declared them.
  for (const ClassInfo* c = this; c != nullptr; c = c->parent_)
    for (const auto& p : c->properties_)
      if (std::find(out.begin(), out.end(), &p) == out.end()) {
        bool newer = false;
        for (const ClassInfo* d = this; d != c; d = d->parent_)
          for (const auto& q : d->properties_)
            if (SameText(q.name, p.name)) newer = true;
        if (!newer) out.push_back(&p);
      }
  return out;
}

namespace {
struct NoCase {
  bool operator()(const std::string& a, const std::string& b) const {
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
      int x = std::tolower(static_cast<unsigned char>(a[i]));
      int y = std::tolower(static_cast<unsigned char>(b[i]));
      if (x != y) return x < y;
    }
    return a.size() < b.size();
  }
};
std::map<std::string, const ClassInfo*, NoCase>& Registry() {
  static std::map<std::string, const ClassInfo*, NoCase> registry;
  return registry;
}
}  // namespace

void ClassInfo::Register(const ClassInfo& info) {
  Registry()[info.Name()] = &info;
}

const ClassInfo* ClassInfo::Find(std::string_view name) {
  auto it = Registry().find(std::string(name));
  return it == Registry().end() ? nullptr : it->second;
}

bool HasProperty(const Component& c, std::string_view name) {
  return c.GetClassInfo().FindProperty(name) != nullptr;
}

Value GetProperty(const Component& c, std::string_view name) {
  const PropertyInfo* p = c.GetClassInfo().FindProperty(name);
  if (p == nullptr || !p->get) throw Exception("Property " + std::string(name) + " does not exist");
  return p->get(c);
}

void SetProperty(Component& c, std::string_view name, const Value& value) {
  const PropertyInfo* p = c.GetClassInfo().FindProperty(name);
  if (p == nullptr || !p->set) throw Exception("Property " + std::string(name) + " does not exist");
  p->set(c, value);
}

int64_t ValueToInteger(const Value& v) {
  if (v.kind == Value::Kind::kInteger) return v.integer;
  if (v.kind == Value::Kind::kFloat) return int64_t(v.real);
  throw Exception("Invalid property value: an integer was expected");
}

bool ValueToBool(const Value& v) {
  if (v.kind == Value::Kind::kIdentifier) {
    if (SameText(v.text, "True")) return true;
    if (SameText(v.text, "False")) return false;
  }
  if (v.kind == Value::Kind::kInteger) return v.integer != 0;
  throw Exception("Invalid property value: True or False was expected");
}

std::string ValueToString(const Value& v) {
  if (v.kind == Value::Kind::kString || v.kind == Value::Kind::kIdentifier) return v.text;
  if (v.kind == Value::Kind::kInteger) return std::to_string(v.integer);
  throw Exception("Invalid property value: a text was expected");
}

namespace {
struct NamedColor {
  const char* name;
  uint32_t value;
};
// Colour words 0x00BBGGRR; 0xFF0000nn names the system colour nn.
constexpr NamedColor kColors[] = {
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clNone", 0x1FFFFFFF},
    {"clDefault", 0x20000000},
    {"clScrollBar", 0xFF000000},
    {"clBackground", 0xFF000001},
    {"clActiveCaption", 0xFF000002},
    {"clInactiveCaption", 0xFF000003},
    {"clMenu", 0xFF000004},
    {"clWindow", 0xFF000005},
    {"clWindowFrame", 0xFF000006},
    {"clMenuText", 0xFF000007},
    {"clWindowText", 0xFF000008},
    {"clCaptionText", 0xFF000009},
    {"clActiveBorder", 0xFF00000A},
    {"clInactiveBorder", 0xFF00000B},
    {"clAppWorkSpace", 0xFF00000C},
    {"clHighlight", 0xFF00000D},
    {"clHighlightText", 0xFF00000E},
    {"clBtnFace", 0xFF00000F},
    {"clBtnShadow", 0xFF000010},
    {"clGrayText", 0xFF000011},
    {"clBtnText", 0xFF000012},
    {"clInactiveCaptionText", 0xFF000013},
    {"clBtnHighlight", 0xFF000014},
    {"cl3DDkShadow", 0xFF000015},
    {"cl3DLight", 0xFF000016},
    {"clInfoText", 0xFF000017},
    {"clInfoBk", 0xFF000018},
};
}  // namespace

uint32_t ValueToColor(const Value& v) {
  if (v.kind == Value::Kind::kInteger) return uint32_t(v.integer);
  if (v.kind == Value::Kind::kIdentifier)
    for (const auto& c : kColors)
      if (SameText(v.text, c.name)) return c.value;
  throw Exception("Invalid property value: a colour was expected");
}

int ValueToEnum(const Value& v, const std::vector<std::string>& names) {
  if (v.kind == Value::Kind::kIdentifier || v.kind == Value::Kind::kString) {
    for (size_t i = 0; i < names.size(); ++i)
      if (SameText(names[i], v.text)) return int(i);
    throw Exception("Invalid property value: " + v.text);
  }
  if (v.kind == Value::Kind::kInteger && v.integer >= 0 && size_t(v.integer) < names.size())
    return int(v.integer);
  throw Exception("Invalid property value: one of a list of names was expected");
}

uint32_t ValueToSet(const Value& v, const std::vector<std::string>& names) {
  if (v.kind == Value::Kind::kInteger) return uint32_t(v.integer);
  if (v.kind != Value::Kind::kSet) throw Exception("Invalid property value: a set was expected");
  uint32_t bits = 0;
  for (const Value& item : v.items) bits |= 1u << ValueToEnum(item, names);
  return bits;
}

std::vector<std::string> ValueToStrings(const Value& v) {
  if (v.kind == Value::Kind::kString) return {v.text};
  if (v.kind != Value::Kind::kList) throw Exception("Invalid property value: a list was expected");
  std::vector<std::string> out;
  for (const Value& item : v.items) out.push_back(ValueToString(item));
  return out;
}

}  // namespace somnara::fw
