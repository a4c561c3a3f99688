#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "skin/styles/tsui_theme_base.h"
#include "skin/theme/skin_theme_items.h"
#include "skin/theme/tsui_file_theme_mgr.h"

namespace somnara::skin {

// Where a skin file is looked for when the path it was given names no file: the program's
// folder, then the system-wide skin folder of this installation, then the distribution's.
// The two system-wide places stand where the desktop platform would look in its own
// system folders.
std::vector<std::string> DefaultThemeSearchFolders();

// A skin theme read from a skin file. Every skinned control that names it as its FileTheme
// with UIStyle = FromThemeFile takes its pictures, colours, sizes and switches from it
// while it is Ready.
class TsuiFileTheme : public TsuiThemeBase {
 public:
  explicit TsuiFileTheme(fw::Component* owner);
  ~TsuiFileTheme() override;
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  // The skin file last found and loaded. Setting it loads the file: when no file exists at
  // the path, nor one of its name in a search folder, nothing changes; otherwise the path
  // found is kept and Ready tells whether it could be read. A successful load makes the
  // skinned controls of the owner form take the new skin.
  std::string ThemeFile() const { return theme_file_; }
  void SetThemeFile(const std::string& path);
  // Setting a non-empty password loads the skin again with it.
  std::string Password() const { return password_; }
  void SetPassword(const std::string& password);
  // Whether the last load succeeded.
  bool Ready() const override { return ready_; }
  // Stored descriptions may carry Ready; only a load decides it.
  void SetReady(bool) {}

  // The theme's items: none / 0 / 0 / false before any successful load; for an item the
  // skin lacks none / -1 / -1 / false.
  std::shared_ptr<const fw::Bitmap> GetThemeBitmap(ThemeBitmap item) const;
  int32_t GetThemeColor(ThemeColor item) const { return mgr_->GetThemeColor(item); }
  int32_t GetThemeInt(ThemeInt item) const { return mgr_->GetThemeInt(item); }
  bool GetThemeBool(ThemeBool item) const { return mgr_->GetThemeBool(item); }
  // Frame `frame_index` of `frame_count` of a theme picture into `target`; the whole
  // picture when either is 0. False, `target` unchanged, when there is no such picture.
  bool GetThemeFrame(ThemeBitmap item, fw::Bitmap& target, int frame_index, int frame_count) const;

  const TsuiFileThemeMgr& Manager() const { return *mgr_; }

  // The folders searched for a skin file by name (DefaultThemeSearchFolders() at first).
  const std::vector<std::string>& SearchFolders() const { return search_folders_; }
  void SetSearchFolders(std::vector<std::string> folders) { search_folders_ = std::move(folders); }

 protected:
  // Loads a skin file held in memory, as if it had been read from a file; ThemeFile stays
  // as it is. The loaded bytes are not kept.
  void LoadThemeBytes(std::span<const uint8_t> archive);
  // Whether the skin in use came from memory rather than from ThemeFile.
  bool LoadedFromMemory() const { return loaded_from_memory_; }
  // Reloads what was loaded last with the current password (a password change).
  virtual void Reload();

 private:
  // After a load: when ready, the skinned components of the owner form re-apply the
  // theme; `had_source` tells whether a skin had been set before this load.
  void AfterLoad(bool had_source);

  std::string theme_file_;
  std::string password_;
  bool ready_ = false;
  bool loaded_from_memory_ = false;
  std::unique_ptr<TsuiFileThemeMgr> mgr_;
  std::vector<std::string> search_folders_;
};

}  // namespace somnara::skin
