#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/panel.h"
#include "framework/graphics/bitmap.h"
#include "skin/frame/tsui_title_bar_button.h"
#include "skin/frame/tsui_title_bar_section.h"
#include "skin/styles/tsui_ui_style.h"

namespace somnara::fw {
class Form;
}

namespace somnara::skin {

class TsuiFileTheme;
class TsuiTitleBarPopupMenu;

// The skinned frame's private message: sent to the host form, it answers the frame's left
// border width (0 for a form without a skinned frame).
inline constexpr uint32_t SUIM_LEFTBORDERWIDTH = 9923;

// A click on a custom or help button: the title bar and the button's index.
using TsuiTitleBarButtonClickEvent = std::function<void(fw::Component* sender, int button_index)>;

// What a title bar needs of the skinned frame it sits in: repainting the frame's border
// once the caption section has been drawn, so that the top band shows the new image.
class TsuiTitleBarHost {
 public:
  virtual ~TsuiTitleBarHost() = default;
  virtual void PaintFrame() = 0;
};

// Reading order of a control's texts; stored, taken from the parent.
enum class BiDiMode { kLeftToRight, kRightToLeft, kRightToLeftNoAlign, kRightToLeftReadingOnly };
const std::vector<std::string>& BiDiModeNames();

// The skinned caption strip of a window: background sections, the title-bar buttons, an
// optional application icon and the caption. It moves its form when dragged, works its
// buttons, and opens a small window menu from the control box. Inside a skinned frame it
// sits under the frame's 3-pixel top band and draws its pictures shifted so that they
// continue into the frame's border.
class TsuiTitleBar : public fw::Panel {
 public:
  explicit TsuiTitleBar(fw::Component* owner);
  ~TsuiTitleBar() override;
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }

  // While set, a style change keeps the sections and the buttons' pictures as they are.
  bool Custom() const { return custom_; }
  void SetCustom(bool on) { custom_ = on; }
  TsuiFileTheme* FileTheme() const { return file_theme_; }
  // Applies the current style again with the theme, keeping the caption colour.
  void SetFileTheme(TsuiFileTheme* theme);
  TsuiUIStyle UIStyle() const { return ui_style_; }
  void SetUIStyle(TsuiUIStyle style);
  bool AutoSize() const { return auto_size_; }
  // The height follows section 0's picture (3 pixels less inside a frame); without
  // sections AutoSize falls back to false and nothing changes.
  void SetAutoSize(bool on);
  BiDiMode GetBiDiMode() const { return bidi_mode_; }
  void SetBiDiMode(BiDiMode mode) { bidi_mode_ = mode; }
  TsuiTitleBarSections& Sections() { return sections_; }
  const TsuiTitleBarSections& Sections() const { return sections_; }
  TsuiTitleBarButtons& Buttons() { return buttons_; }
  const TsuiTitleBarButtons& Buttons() const { return buttons_; }
  int ButtonInterval() const { return button_interval_; }
  void SetButtonInterval(int pixels);
  void SetCaption(const std::string& text) override;
  bool FormActive() const { return form_active_; }
  void SetFormActive(bool on);
  int LeftBtnXOffset() const { return left_btn_x_offset_; }
  void SetLeftBtnXOffset(int x);
  int RightBtnXOffset() const { return right_btn_x_offset_; }
  void SetRightBtnXOffset(int x);
  bool DrawAppIcon() const { return draw_app_icon_; }
  void SetDrawAppIcon(bool on);
  // Kept for the frame, which shapes the window with them.
  int RoundCorner() const { return round_corner_; }
  void SetRoundCorner(int size) { round_corner_ = size; }
  int RoundCornerBottom() const { return round_corner_bottom_; }
  void SetRoundCornerBottom(int size) { round_corner_bottom_ = size; }

  TsuiTitleBarButtonClickEvent OnCustomBtnsClick;
  TsuiTitleBarButtonClickEvent OnHelpBtnClick;
  fw::NotifyEvent OnResize;

  // For the frame: -1 the full title image, -2 that image over the window colour, n >= 0
  // the picture of section n (only with more than two sections); none otherwise.
  const fw::Bitmap* GetTitleImage(int index) const;
  // Exactly three or five sections, the layouts the frame's border continues.
  bool HasStandardSections() const;
  void PaintNow();
  void UpdateMaxButtons();
  // The parent is a skinned frame.
  bool InFrame() const;
  // Minimises as the minimise button does: the whole program from its main window.
  void MinimizeForm();
  // Index of the button under the mouse at the last paint; -1 for none.
  int HotIndex() const { return hot_index_; }
  TsuiTitleBarPopupMenu& PopupMenu() { return *popup_menu_; }
  // The caption shortened to fit a caption section; empty without one.
  const std::string& CapSecText() const { return cap_sec_text_; }
  int ButtonTop() const { return button_top_; }

 protected:
  void Paint() override;
  virtual void DrawSections(fw::Bitmap& target);
  virtual void DrawButtons(fw::Bitmap& target);
  void WndProc(fw::Message& message) override;
  void MouseDown(fw::MouseButton button, unsigned shift, int x, int y) override;
  void MouseMove(unsigned shift, int x, int y) override;
  void MouseUp(fw::MouseButton button, unsigned shift, int x, int y) override;
  void MouseLeave() override;
  virtual void DblClick();
  void Resized() override;
  void Notification(fw::Component* component, fw::Operation operation) override;

 private:
  struct ButtonPlace {
    int index;
    Rect rect;  // edges included
  };
  // Where the visible buttons of a title bar `width` wide are drawn; the control box last.
  struct ButtonLayout {
    std::vector<ButtonPlace> row;
    int control_box = -1;
    Rect control_box_rect;
    int row_left = 0;  // x of the leftmost button of the row
  };
  ButtonLayout LayoutButtons(int width) const;
  int ButtonAt(Point client) const;
  int LeftBorderWidth() const;
  std::string FitCaption(fw::Canvas& canvas, const std::string& text, int limit) const;
  void ApplyThemeStyle();
  void ApplyBuiltInStyle(TsuiUIStyle style);
  void Repaint();
  // What the background depends on besides the pictures' own pixels.
  struct BackgroundKey {
    int width = -1, height = -1;
    uint64_t sections = 0, buttons = 0;
    std::string caption;
    fw::Font font;
    int button_interval = 0, left_offset = 0, left_border = 0;
    fw::Color back_color = 0, trans_color = 0;
    bool in_frame = false;
    friend bool operator==(const BackgroundKey&, const BackgroundKey&) = default;
  };
  BackgroundKey CurrentBackgroundKey() const;

  bool custom_ = false;
  TsuiFileTheme* file_theme_ = nullptr;
  TsuiUIStyle ui_style_ = TsuiUIStyle::DeepBlue;
  bool auto_size_ = false;
  BiDiMode bidi_mode_ = BiDiMode::kLeftToRight;
  TsuiTitleBarSections sections_{this};
  TsuiTitleBarButtons buttons_{this};
  int button_interval_ = 0;
  bool form_active_ = true;
  int left_btn_x_offset_ = 0;
  int right_btn_x_offset_ = 0;
  bool draw_app_icon_ = true;
  int round_corner_ = 0;
  int round_corner_bottom_ = 0;

  fw::Bitmap full_image_;         // FFullImage
  mutable fw::Bitmap composite_;  // FComposite, built when asked for
  mutable bool composite_stale_ = true;
  // The sections as last drawn, reused while nothing they depend on changed: a mouse move
  // redraws only the buttons and the caption over them.
  fw::Bitmap background_;
  BackgroundKey background_key_;
  fw::Bitmap strip_;
  std::unique_ptr<TsuiTitleBarPopupMenu> popup_menu_;
  std::string cap_sec_text_;
  bool five_sect_ = false;
  fw::Color trans_color_ = 0;
  fw::Color back_color_ = 0;
  int button_top_ = 0;
  int button_strip_height_ = 0;
  int hot_index_ = -1;
  bool pressed_ = false;
  bool keep_font_color_ = false;
};

}  // namespace somnara::skin
