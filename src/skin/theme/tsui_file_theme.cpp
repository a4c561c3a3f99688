#include "skin/theme/tsui_file_theme.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "framework/class_info.h"
#include "framework/file_path.h"
#include "framework/form.h"
#include "framework/messages.h"
#include "platform/platform.h"
#include "skin/theme/skin_file_names.h"

namespace somnara::skin {

namespace {

// The skinned window frame lives in the layer above; it is known here by its class name.
constexpr std::string_view kFrameClassName = "TsuiForm";
// Skinned controls are the classes named with this prefix.
constexpr std::string_view kSkinnedClassPrefix = "Tsui";

bool IsSkinnedFrame(const fw::Component& c) {
  for (const fw::ClassInfo* info = &c.GetClassInfo(); info != nullptr; info = info->Parent())
    if (fw::SameText(info->Name(), kFrameClassName)) return true;
  return false;
}

// The published FileTheme reference of a component, when it has a readable and writable one.
const fw::PropertyInfo* FileThemeProperty(const fw::Component& c) {
  const fw::PropertyInfo* p = c.GetClassInfo().FindProperty("FileTheme");
  if (p == nullptr || p->type != fw::PropertyType::kReference || !p->get || !p->set) return nullptr;
  return p;
}

bool Owns(const fw::Component& owner, const fw::Component* c) {
  const auto& list = owner.Components();
  return std::find(list.begin(), list.end(), c) != list.end();
}

}  // namespace

std::vector<std::string> DefaultThemeSearchFolders() {
  return {platform::Current().program_dir, "/usr/local/share/somnara/skins",
          "/usr/share/somnara/skins"};
}

const fw::ClassInfo& TsuiFileTheme::StaticClassInfo() {
  static const fw::ClassInfo info = [] {
    fw::ClassInfo i("TsuiFileTheme", &fw::Component::StaticClassInfo(),
                    [](fw::Component* owner) { return new TsuiFileTheme(owner); });
    i.Add(fw::StringProperty<TsuiFileTheme>("ThemeFile", &TsuiFileTheme::ThemeFile,
                                            &TsuiFileTheme::SetThemeFile));
    i.Add(fw::StringProperty<TsuiFileTheme>("Password", &TsuiFileTheme::Password,
                                            &TsuiFileTheme::SetPassword));
    i.Add(
        fw::BoolProperty<TsuiFileTheme>("Ready", &TsuiFileTheme::Ready, &TsuiFileTheme::SetReady));
    return i;
  }();
  static const bool registered = (fw::ClassInfo::Register(info), true);
  (void)registered;
  return info;
}

TsuiFileTheme::TsuiFileTheme(fw::Component* owner)
    : TsuiThemeBase(owner),
      mgr_(std::make_unique<TsuiFileThemeMgr>()),
      search_folders_(DefaultThemeSearchFolders()) {}

// The controls that refer to the theme hear of its removal while it can still answer.
TsuiFileTheme::~TsuiFileTheme() {
  BeginDestruction();
}

void TsuiFileTheme::SetThemeFile(const std::string& path) {
  const bool had_source = !theme_file_.empty() || loaded_from_memory_;
  const std::optional<std::string> found = FindThemeFile(path, search_folders_);
  if (!found) return;
  theme_file_ = *found;
  loaded_from_memory_ = false;
  ready_ = mgr_->ThemeLoad(fw::PathFromUtf8(theme_file_), password_);
  AfterLoad(had_source);
}

void TsuiFileTheme::LoadThemeBytes(std::span<const uint8_t> archive) {
  const bool had_source = !theme_file_.empty() || loaded_from_memory_;
  theme_file_.clear();
  loaded_from_memory_ = true;
  ready_ = mgr_->ThemeLoadBytes(archive, password_);
  AfterLoad(had_source);
}

void TsuiFileTheme::SetPassword(const std::string& password) {
  password_ = password;
  if (!password_.empty()) Reload();
}

void TsuiFileTheme::Reload() {
  SetThemeFile(theme_file_);
}

std::shared_ptr<const fw::Bitmap> TsuiFileTheme::GetThemeBitmap(ThemeBitmap item) const {
  return mgr_->GetThemeBitmap(item);
}

bool TsuiFileTheme::GetThemeFrame(ThemeBitmap item, fw::Bitmap& target, int frame_index,
                                  int frame_count) const {
  return mgr_->GetThemeFrame(item, target, frame_index, frame_count);
}

// The skinned controls of the theme's own form take the new skin at once: each one that
// names this theme is given no theme and then this one again, which makes it apply its
// style anew. The form is hidden meanwhile so that the half-changed look never shows.
void TsuiFileTheme::AfterLoad(bool had_source) {
  if (!ready_) return;
  auto* form = dynamic_cast<fw::Form*>(Owner());
  if (form == nullptr) return;
  const bool was_visible = form->Visible();
  bool frame_uses_theme = false;
  form->SetVisible(false);
  try {
    // A setter may add or free components of the form; only those still there are touched.
    const std::vector<fw::Component*> components = form->Components();
    for (fw::Component* c : components) {
      if (!Owns(*form, c)) continue;
      const fw::PropertyInfo* property = FileThemeProperty(*c);
      if (property == nullptr) continue;
      const fw::Value current = property->get(*c);
      if (current.kind != fw::Value::Kind::kComponent || current.component != this) continue;
      if (IsSkinnedFrame(*c)) frame_uses_theme = true;
      if (!c->ClassName().starts_with(kSkinnedClassPrefix)) continue;
      property->set(*c, fw::Value::Of(nullptr));
      if (Owns(*form, c)) property->set(*c, fw::Value::Of(this));
    }
  } catch (...) {
    if (was_visible) form->SetVisible(true);
    throw;
  }
  // Only a form that was showing comes back: a theme loaded for a hidden form must not
  // bring it up.
  if (was_visible) form->SetVisible(true);
  // A frame that had a skin before gets its border measured anew for the new one.
  if (frame_uses_theme && had_source)
    form->SetWindowPos(fw::SWP_NOSIZE | fw::SWP_NOMOVE | fw::SWP_NOZORDER | fw::SWP_NOACTIVATE |
                       fw::SWP_FRAMECHANGED);
}

}  // namespace somnara::skin
