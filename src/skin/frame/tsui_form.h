#pragma once

#include <array>
#include <memory>
#include <string>

#include "framework/controls/panel.h"
#include "framework/controls/tool_bar.h"
#include "framework/default_frame.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/font.h"
#include "framework/messages.h"
#include "platform/geometry.h"
#include "skin/frame/tsui_menu_bar_host.h"
#include "skin/frame/tsui_title_bar.h"
#include "skin/styles/tsui_ui_style.h"

namespace somnara::fw {
class Canvas;
class Form;
class MainMenu;
}  // namespace somnara::fw

namespace somnara::skin {

class TsuiFileTheme;
class TsuiForm;

// The menu bar of a skinned frame: a flat tool bar under the title bar with one button per
// top-level item of the frame's menu, drawn by the frame.
class TsuiMenuBar : public fw::ToolBar {
 public:
  explicit TsuiMenuBar(TsuiForm* frame);
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }
  TsuiForm* Frame() const { return frame_; }

 private:
  TsuiForm* frame_;
};

// Turns the top-level window that owns it (the host) into a skinned window: it fills the
// host's client area and carries every other control, takes the caption away, chains its
// own procedure in front of the host's, shrinks the border to a thin band it paints
// itself, puts a skinned title bar at its top and, with a menu, a menu bar under it, and
// cuts the window to a rounded or picture-shaped outline.
//
// A frame whose owner is no form, or whose host already carries a frame, stays an inert
// panel: no title bar, no procedure, no style.
class TsuiForm : public fw::Panel, public TsuiTitleBarHost, public TsuiMenuBarHost {
 public:
  explicit TsuiForm(fw::Component* owner);
  ~TsuiForm() override;
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  // Published, in declaration order (descriptions apply them in this order).
  bool TitleBarCustom() const;
  void SetTitleBarCustom(bool on);
  TsuiFileTheme* FileTheme() const { return file_theme_; }
  void SetFileTheme(TsuiFileTheme* theme);
  TsuiUIStyle UIStyle() const { return ui_style_; }
  void SetUIStyle(TsuiUIStyle style);
  bool UIStyleAutoUpdateSub() const { return ui_style_auto_update_sub_; }
  void SetUIStyleAutoUpdateSub(bool on) { ui_style_auto_update_sub_ = on; }
  fw::Color BorderColor() const { return border_color_; }
  void SetBorderColor(fw::Color color);
  int BorderWidth() const { return border_width_; }
  void SetBorderWidth(int width);
  bool TitleBarVisible() const;
  void SetTitleBarVisible(bool on);
  BiDiMode GetBiDiMode() const { return bidi_mode_; }
  void SetBiDiMode(BiDiMode mode) { bidi_mode_ = mode; }
  // Color is the panel's own: client background and inner frame band.
  // The caption lives in the title bar; writing it also names the host window.
  std::string GetCaption() const;
  void SetCaption(const std::string& text) override;
  fw::CustomControl* FormPanel() const { return form_panel_; }
  void SetFormPanel(fw::CustomControl* panel);
  // The title bar's collections, assigned item by item (an inert frame has spare ones).
  TsuiTitleBarButtons& TitleBarButtons();
  void SetTitleBarButtons(const TsuiTitleBarButtons& buttons);
  TsuiTitleBarSections& TitleBarSections();
  void SetTitleBarSections(const TsuiTitleBarSections& sections);
  bool TitleBarDrawAppIcon() const;
  void SetTitleBarDrawAppIcon(bool on);
  // The title bar's caption font (published as Font); the panel's own font, which the
  // controls on the frame inherit, stays as it is.
  fw::Font TitleFont() const;
  void SetTitleFont(const fw::Font& font);
  fw::MainMenu* Menu() const { return menu_; }
  void SetMenu(fw::MainMenu* menu);
  fw::Color MenuBarColor() const { return menu_bar_color_; }
  void SetMenuBarColor(fw::Color color);
  int MenuBarHeight() const { return menu_bar_height_; }
  void SetMenuBarHeight(int height);
  int RoundCorner() const;
  void SetRoundCorner(int size);
  int RoundCornerBottom() const;
  void SetRoundCornerBottom(int size);
  std::string Version() const { return "6.0"; }
  void SetVersion(const std::string&) {}
  TsuiTitleBarButtonClickEvent OnTitleBarCustomBtnsClick() const;
  void SetOnTitleBarCustomBtnsClick(TsuiTitleBarButtonClickEvent handler);
  TsuiTitleBarButtonClickEvent OnTitleBarHelpBtnClick() const;
  void SetOnTitleBarHelpBtnClick(TsuiTitleBarButtonClickEvent handler);

  // The host window; none for an inert frame.
  fw::Form* HostForm() const { return host_; }
  TsuiTitleBar* TitleBar() const { return title_bar_; }
  TsuiMenuBar* MenuBar() const { return menu_bar_; }
  // Title bar height plus the host's 3-pixel top band while the title bar shows; else 0.
  int TitleAreaHeight() const;
  // Takes the caption style bits off the host again and has its border recomputed.
  void StripCaption();
  // A key-down message that a shortcut of the frame's menu takes while the host is the
  // active window; the item has been clicked when this answers true.
  bool IsMenuShortCut(const fw::Message& key);

  // The menu bar (operations of the frame; the skinned main menu calls the last three).
  void CreateMenuBar();
  void DestroyMenuBar();
  void RebuildMenuBar() override;
  void SyncMenuBar() override;
  void ApplyMenuBarFont() override;

  // Painting and region (tsui_form_painting.cpp, tsui_form_region.cpp)
 public:
  // The host's non-client border, drawn into the host's window pixels.
  void PaintFrame() override;
  // Recomputes the host's window region and sets it.
  void UpdateRegion();
  // The window region of a theme whose title or bottom border picture shapes the window:
  // the rows of `title` (from the top) and `bottom` (at the bottom) without the pixels of
  // `trans_color`, the rest of the `width` by `height` window whole. `limits` are the
  // title's first and last scanned row, then the bottom picture's.
  static Region RegionFromBitmaps(const fw::Bitmap& title, const fw::Bitmap& bottom, int width,
                                  int height, fw::Color trans_color,
                                  const std::array<int, 4>& limits, bool title_region,
                                  bool bottom_region);

 protected:
  // The client area: the style's background, then the title bar and the border.
  void Paint() override;

 private:
  // WM_NCCALCSIZE before the host's previous procedure sees it: the rectangle that leaves
  // the frame's border bands outside the client area.
  void NcCalcSize(fw::Message& message);
  void PaintThemeFrame(fw::Canvas& canvas, int width, int height);
  void PaintBuiltInFrame(fw::Canvas& canvas, int width, int height);
  Region BuiltInRegion(int width, int height) const;
  // The skin file theme gives the look (else a built-in style does).
  bool UsesThemeLook() const;
  // The theme's bottom border composed `width` pixels wide on FBottomBuffer.
  void ComposeBottomBuffer(int width);

  fw::Bitmap bottom_buffer_;  // FBottomBuffer: the bottom border is composed here
                              // End of painting and region.

 protected:
  void Resized() override;
  void Loaded() override;
  void Notification(fw::Component* component, fw::Operation operation) override;

 private:
  void Attach(fw::Form& host);
  void Detach();
  void ApplyStyle();
  void ApplyThemeLook();
  void ApplyBuiltInLook(TsuiUIStyle style);
  void HostWndProc(fw::Message& message);
  void HandleSize();
  void PlaceMaximized();
  bool AppMessageHook(fw::WinControl* target, fw::Message& message);
  bool HostCountsAsActive() const;
  void DrawMenuBarButton(fw::ToolBar* bar, fw::ToolButton* button, unsigned state,
                         bool& default_draw);
  void DrawMenuBarBack(fw::ToolBar* bar, const Rect& rect, bool& default_draw);

  fw::Form* host_ = nullptr;            // FHostForm
  TsuiTitleBar* title_bar_ = nullptr;   // FTitleBar, owned
  TsuiMenuBar* menu_bar_ = nullptr;     // FMenuBar, owned while a menu is set
  fw::WindowProcedure old_wnd_proc_;    // FOldWndProc
  int app_hook_ = 0;                    // FAppEvents: the application message hook
  int left_edge_ = 0;                   // FLeftEdge
  int right_edge_ = 0;                  // FRightEdge
  int bottom_edge_ = 0;                 // FBottomEdge
  fw::Color trans_color_ = 0xFF00FF;    // FTransColor
  bool title_need_region_ = false;      // FTitleNeedRegion
  bool bottom_need_region_ = false;     // FBottomNeedRegion
  std::array<int, 4> region_limits_{};  // FRegionLimits
  fw::BorderStyle old_border_style_{};  // FOldBorderStyle
  Rect create_bounds_;                  // FCreateBounds
  bool created_maximized_ = false;      // FCreatedMaximized
  bool title_bar_wanted_ = true;        // FTitleBarWanted
  bool internal_toggle_ = false;        // FInternalToggle
  bool detached_ = false;               // FDetached

  TsuiFileTheme* file_theme_ = nullptr;
  TsuiUIStyle ui_style_ = TsuiUIStyle::DeepBlue;
  bool ui_style_auto_update_sub_ = false;
  fw::Color border_color_ = 0x000000;
  int border_width_ = 1;
  BiDiMode bidi_mode_ = BiDiMode::kLeftToRight;
  fw::CustomControl* form_panel_ = nullptr;
  fw::MainMenu* menu_ = nullptr;
  fw::Color menu_bar_color_ = 0xE8E8E8;
  int menu_bar_height_ = 22;
  TsuiTitleBarButtons spare_buttons_{nullptr};
  TsuiTitleBarSections spare_sections_{nullptr};
};

// Start-up maximised windows and the maximised layout, shared by every frame.
extern int GMaxCount;
extern bool GMdiMaxLayout;

}  // namespace somnara::skin
