// Painting of the skinned frame: the non-client size it asks for, the border it draws
// around the client area (from the skin theme's pictures or in a built-in style's
// colours, continuing the title bar's picture in the top band), and its client area.
#include <algorithm>
#include <memory>

#include "framework/form.h"
#include "framework/graphics/canvas.h"
#include "framework/messages.h"
#include "skin/frame/frame_bottom_border.h"
#include "skin/frame/frame_non_client.h"
#include "skin/frame/frame_window_canvas.h"
#include "skin/frame/tsui_form.h"
#include "skin/styles/sui_public.h"
#include "skin/styles/sui_style_bitmaps.h"
#include "skin/theme/tsui_file_theme.h"

namespace somnara::skin {

namespace {

// The rows of the title picture that the frame's top band shows above the title bar.
constexpr int kTopBand = 3;
// The inner band a built-in border leaves up to; also the least width of a theme's side.
constexpr int kInnerBand = 3;
constexpr int kThemeMinBand = 4;
// The one corner size a 1-pixel built-in border draws round with its own colour.
constexpr int kArcCorner = 11;
constexpr uint32_t WVR_VALIDRECTS = 0x0400;

// A theme picture the skin may lack, as an empty picture then.
const fw::Bitmap& OrEmpty(const std::shared_ptr<const fw::Bitmap>& picture) {
  static const fw::Bitmap empty;
  return picture ? *picture : empty;
}

void Fill(fw::Canvas& canvas, const Rect& r, fw::Color color) {
  canvas.Brush().SetStyle(fw::BrushStyle::kSolid);
  canvas.Brush().SetColor(color);
  canvas.FillRect(r);
}

// Copies `source` (a part of `picture`, cut to it) unscaled with its top-left corner at
// `to`.
void CopyPart(fw::Canvas& canvas, Point to, const fw::Bitmap& picture, Rect source) {
  const Rect cut = source.Intersect({0, 0, picture.Width(), picture.Height()});
  if (cut.IsEmpty()) return;
  const Point at{to.x + cut.left - source.left, to.y + cut.top - source.top};
  canvas.CopyRect(Rect::FromSize(at.x, at.y, cut.Width(), cut.Height()), picture, cut);
}

// The tiled client background of the styles that have one; none for the others.
const fw::Bitmap* BackgroundTile(TsuiUIStyle style) {
  static const auto load = [](const char* name) {
    fw::Bitmap b;
    LoadStyleBitmap(name, b);
    return b;
  };
  if (style == TsuiUIStyle::MacOS) {
    static const fw::Bitmap mac = load("MACOS_FORM_BACKGROUND");
    return &mac;
  }
  if (style == TsuiUIStyle::Protein) {
    static const fw::Bitmap protein = load("PROTEIN_FORM_BACKGROUND");
    return &protein;
  }
  return nullptr;
}

}  // namespace

bool TsuiForm::UsesThemeLook() const {
  return ResolveStyle(file_theme_, ui_style_).use_theme;
}

void TsuiForm::NcCalcSize(fw::Message& message) {
  if (message.wParam == 0 || message.lParam == 0 || host_ == nullptr) {
    message.result = 0;
    return;
  }
  auto* params = reinterpret_cast<fw::NcCalcSizeParams*>(message.lParam);
  const Rect window = params->rgrc[0];
  const Rect bands = FrameNonClientBands(left_edge_, right_edge_, bottom_edge_, border_width_);
  // The host's own procedure runs next and takes off the frame that the host's border style
  // and border width have on the desktop; the rectangle proposed here leaves room for that,
  // so that the bands above are what stays outside the client area.
  const fw::FrameMetrics system = fw::MeasureDefaultFrame(
      host_->WindowStyle(), host_->GetBorderStyle(), {window.Width(), window.Height()});
  const int extra = host_->BorderWidth();
  const Rect taken{system.client.left + extra, system.client.top + extra,
                   system.window.width - system.client.right + extra,
                   system.window.height - system.client.bottom + extra};
  Rect& r = params->rgrc[0];
  r = {window.left + bands.left - taken.left, window.top + bands.top - taken.top,
       window.right - bands.right + taken.right, window.bottom - bands.bottom + taken.bottom};
  params->rgrc[1] = r;
  message.result = WVR_VALIDRECTS;
}

void TsuiForm::PaintFrame() {
  if (detached_ || host_ == nullptr || host_->NativeWindow() == nullptr ||
      host_->GetWindowState() == fw::WindowState::kMinimized)
    return;
  FrameWindowCanvas canvas(*host_);
  if (UsesThemeLook())
    PaintThemeFrame(*canvas, host_->Width(), host_->Height());
  else
    PaintBuiltInFrame(*canvas, host_->Width(), host_->Height());
}

void TsuiForm::ComposeBottomBuffer(int width) {
  const TsuiFileTheme& theme = *file_theme_;
  const auto first = theme.GetThemeBitmap(ThemeBitmap::kFormBottomBorder1);
  const auto middle = theme.GetThemeBitmap(ThemeBitmap::kFormBottomBorder2);
  const auto last = theme.GetThemeBitmap(ThemeBitmap::kFormBottomBorder3);
  ComposeBottomBorder(bottom_buffer_, width, OrEmpty(first), OrEmpty(middle), OrEmpty(last),
                      theme.GetThemeBool(ThemeBool::kBottomBorderThreeSect),
                      fw::Color(theme.GetThemeColor(ThemeColor::kFormColor)));
}

void TsuiForm::PaintThemeFrame(fw::Canvas& canvas, int width, int height) {
  const TsuiFileTheme& theme = *file_theme_;
  const fw::Color form_color = fw::Color(theme.GetThemeColor(ThemeColor::kFormColor));
  const int top = TitleAreaHeight();
  const int bottom = height - bottom_edge_;
  const bool menu_shown = menu_bar_ != nullptr && menu_bar_->Visible();
  const int menu_top = title_bar_ != nullptr ? title_bar_->Height() + kTopBand : kTopBand;
  const int menu_bottom = menu_top + (menu_shown ? menu_bar_->Height() : 0);

  // The title picture continues from the title bar into the left, top and right bands.
  if (title_bar_ != nullptr && title_bar_->Visible() && title_bar_->HasStandardSections()) {
    // The image is made when the bar paints; after a resize the border may come first.
    const int shift = left_edge_ != 0 ? ThemeSideBand(left_edge_) : kInnerBand;
    const fw::Bitmap* made = title_bar_->GetTitleImage(-1);
    if (made == nullptr || made->Width() != title_bar_->Width() + 2 * shift ||
        made->Height() != title_bar_->Height() + kTopBand)
      title_bar_->PaintNow();
    if (const fw::Bitmap* image = title_bar_->GetTitleImage(-2)) {
      const int iw = image->Width(), ih = image->Height();
      const int left_band = ThemeSideBand(left_edge_), right_band = ThemeSideBand(right_edge_);
      CopyPart(canvas, {0, 0}, *image, {0, 0, left_band, ih});
      CopyPart(canvas, {0, 0}, *image, {0, 0, iw, kTopBand});
      CopyPart(canvas, {width - right_band, 0}, *image, {iw - right_band, 0, iw, ih});
    }
  }

  // Side borders; one narrower than the least band is made up with the window colour.
  const auto left_picture = theme.GetThemeBitmap(ThemeBitmap::kFormLeftBorder);
  const fw::Bitmap& left = OrEmpty(left_picture);
  if (!left.Empty())
    canvas.CopyRect({0, top, left.Width(), bottom}, left, {0, 0, left.Width(), left.Height()});
  if (left.Width() < kThemeMinBand) {
    Fill(canvas, {left.Width(), top, kThemeMinBand, bottom}, form_color);
    if (menu_shown)
      Fill(canvas, {left.Width(), menu_top, kThemeMinBand, menu_bottom}, menu_bar_color_);
  }
  const auto right_picture = theme.GetThemeBitmap(ThemeBitmap::kFormRightBorder);
  const fw::Bitmap& right = OrEmpty(right_picture);
  if (!right.Empty())
    canvas.CopyRect({width - right.Width(), top, width, bottom}, right,
                    {0, 0, right.Width(), right.Height()});
  if (right.Width() < kThemeMinBand) {
    Fill(canvas, {width - kThemeMinBand, top, width - right.Width(), bottom}, form_color);
    if (menu_shown)
      Fill(canvas, {width - kThemeMinBand, menu_top, width - right.Width(), menu_bottom},
           menu_bar_color_);
  }

  // The bottom border, composed off screen; its see-through pixels show the window colour.
  ComposeBottomBuffer(width);
  if (!bottom_buffer_.Empty()) {
    const Rect whole{0, 0, bottom_buffer_.Width(), bottom_buffer_.Height()};
    if (bottom_need_region_) {
      fw::Bitmap over(whole.Width(), whole.Height());
      over.Fill(form_color);
      over.GetCanvas().TransparentCopy(whole, bottom_buffer_, whole, trans_color_);
      CopyPart(canvas, {0, bottom}, over, whole);
    } else {
      CopyPart(canvas, {0, bottom}, bottom_buffer_, whole);
    }
  }
  if (bottom_edge_ < kThemeMinBand)
    Fill(canvas, {left_edge_, height - kThemeMinBand, width - right_edge_, bottom}, form_color);
}

void TsuiForm::PaintBuiltInFrame(fw::Canvas& canvas, int width, int height) {
  const int bw = border_width_;
  const int top = TitleAreaHeight();
  const bool title_shown = title_bar_ != nullptr && title_bar_->Visible();

  if (title_shown && title_bar_->HasStandardSections()) {
    const fw::Bitmap& left = title_bar_->Sections().Item(0).Picture();
    const fw::Bitmap& right = title_bar_->Sections().Item(1).Picture();
    const fw::Bitmap& client = title_bar_->Sections().Item(2).Picture();
    // The side bands inside the border show the ends of the title's end pictures.
    fw::Bitmap scratch(std::max(0, kInnerBand - bw), left.Height());
    if (!scratch.Empty()) {
      scratch.GetCanvas().Draw(0, 0, left);
      canvas.Draw(bw, 0, scratch);
      if (right.Width() >= kInnerBand)
        scratch.GetCanvas().Draw(2 - right.Width(), 0, right);
      else if (!right.Empty())
        scratch.GetCanvas().StretchDraw({0, 0, scratch.Width(), scratch.Height()}, right);
      canvas.Draw(width - kInnerBand, 0, scratch);
    }
    // The top band: the title picture's first rows, its left end at the window's left
    // edge and its right end at the window's right edge.
    scratch.SetSize(std::max(0, width - 5), kTopBand);
    if (!scratch.Empty()) {
      fw::Canvas& band = scratch.GetCanvas();
      const int right_x = width - 5 - right.Width() + kInnerBand;
      band.Draw(-2, 0, left);
      band.Draw(right_x, 0, right);
      if (!client.Empty() && right_x > left.Width() - 2)
        band.StretchDraw({left.Width() - 2, 0, right_x, client.Height()}, client);
      canvas.Draw(2, 0, scratch);
    }
    const int r = RoundCorner();
    if (bw == 1 && r == kArcCorner) {
      canvas.Pen() = fw::Pen();
      canvas.Pen().SetColor(border_color_);
      canvas.Arc(width - 2 * r + 1, -1, width + 1, 2 * r - 1, width + 1, r - 1, width - r + 1, -1);
      canvas.Arc(-1, -1, 2 * r - 1, 2 * r - 1, r - 1, -1, -1, r - 1);
    }
  } else if (!title_shown) {
    Fill(canvas, {0, 0, width, 1}, border_color_);
    Fill(canvas, {bw, 1, width - bw, kTopBand}, GetColor());
  }

  Fill(canvas, {0, 0, bw, height}, border_color_);
  Fill(canvas, {0, height - bw, width, height}, border_color_);
  Fill(canvas, {width - bw, 0, width, height}, border_color_);

  if (bw < 4) {
    const fw::Color color = GetColor();
    Fill(canvas, {bw, top, kInnerBand, height - bw}, color);
    Fill(canvas, {bw, height - kInnerBand, width - bw, height - bw}, color);
    Fill(canvas, {width - kInnerBand, top, width - bw, height - bw}, color);
    if (menu_bar_ != nullptr && menu_bar_->Visible()) {
      const int menu_top = (title_bar_ != nullptr ? title_bar_->Height() : 0) + kTopBand;
      const int menu_bottom = menu_top + menu_bar_->Height();
      Fill(canvas, {bw, menu_top, kInnerBand, menu_bottom}, menu_bar_color_);
      Fill(canvas, {width - kInnerBand, menu_top, width - bw, menu_bottom}, menu_bar_color_);
    }
  }
}

void TsuiForm::Paint() {
  if (detached_) return;
  fw::Canvas& canvas = GetCanvas();
  const Rect client = ClientRect();
  const fw::Bitmap* tile = BackgroundTile(ui_style_);
  if (tile != nullptr && !tile->Empty()) {
    // Composed off screen and copied in one piece, so the tiles never flicker.
    fw::Bitmap back(std::max(0, Width()), std::max(0, Height()));
    TileDraw(back.GetCanvas(), *tile, client);
    canvas.CopyRect(client, back, client);
  } else {
    Fill(canvas, client, GetColor());
  }
  // The title bar, a child, is painted right after this; the border follows the frame.
  PaintFrame();
}

}  // namespace somnara::skin
