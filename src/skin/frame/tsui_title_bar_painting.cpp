// Painting of the title bar: the sections make the background (and the full title image the
// frame continues), then the buttons, the icon and the caption go on top. Everything is
// composed off screen and copied to the screen in one piece.
#include <algorithm>

#include "framework/application.h"
#include "framework/form.h"
#include "framework/graphics/canvas.h"
#include "platform/utf8.h"
#include "platform/window_system.h"
#include "skin/frame/tsui_title_bar.h"
#include "skin/styles/sui_style_bitmaps.h"

namespace somnara::skin {

namespace {

constexpr char kEllipsis[] = "...";
// Room the caption keeps from the buttons inside a caption section.
constexpr int kCaptionSectionMargin = 21;
constexpr int kCaptionSectionPadding = 17;
// The application icon in the control box's place: its size and the room it takes.
constexpr int kIconSize = 16;
constexpr int kIconAdvance = 21;
constexpr int kControlBoxGap = 5;
constexpr int kDefaultCaptionLeft = 6;
// Protein's caption sits lower, level with its rounder buttons.
constexpr int kProteinCaptionDrop = 3;

// The program's icon at 16 by 16 pixels, magenta where it is see-through; empty when the
// program carries none.
const fw::Bitmap& ApplicationIcon() {
  static const fw::Bitmap icon = [] {
    fw::Bitmap b;
    if (LoadStyleBitmap("MAINICON", b) && (b.Width() != kIconSize || b.Height() != kIconSize)) {
      fw::Bitmap scaled(kIconSize, kIconSize);
      scaled.GetCanvas().StretchDraw({0, 0, kIconSize, kIconSize}, b);
      b = scaled;
    }
    b.SetTransparent(true);
    b.SetTransparentColor(fw::MakeColor(255, 0, 255));
    return b;
  }();
  return icon;
}

std::string Prefix(const std::u32string& text, size_t count) {
  std::string out;
  for (size_t i = 0; i < count && i < text.size(); ++i) platform::AppendUtf8(out, text[i]);
  return out;
}

bool Inside(const Rect& r, Point p) {
  return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
}

}  // namespace

TsuiTitleBar::BackgroundKey TsuiTitleBar::CurrentBackgroundKey() const {
  return {ClientWidth(),     ClientHeight(), sections_.Generation(), buttons_.Generation(),
          Caption(),         GetFont(),      button_interval_,       left_btn_x_offset_,
          LeftBorderWidth(), back_color_,    trans_color_,           InFrame()};
}

void TsuiTitleBar::Paint() {
  BackgroundKey key = CurrentBackgroundKey();
  if (!(key == background_key_)) {
    background_.SetSize(key.width, key.height);
    background_.Fill(0);
    fw::Canvas& c = background_.GetCanvas();
    c.Brush().SetStyle(fw::BrushStyle::kClear);
    c.Font() = GetFont();
    DrawSections(background_);
    background_key_ = std::move(key);
  }
  strip_ = background_;
  DrawButtons(strip_);
  GetCanvas().Draw(0, 0, strip_);
}

void TsuiTitleBar::PaintNow() {
  // The frame asks for the title images before anything is on the screen: compose them
  // now and let the next paint show the strip.
  fw::Bitmap t(std::max(0, ClientWidth()), std::max(0, ClientHeight()));
  t.GetCanvas().Font() = GetFont();
  DrawSections(t);
  DrawButtons(t);
  Invalidate();
}

void TsuiTitleBar::DrawSections(fw::Bitmap& t) {
  fw::Canvas& canvas = t.GetCanvas();
  int xo = 0, yo = 0;
  if (InFrame()) {
    const int border = LeftBorderWidth();
    xo = border != 0 ? -border : -3;
    yo = -3;
  }
  int bw = 0;
  for (int i = 0; i < buttons_.Count(); ++i)
    bw += buttons_.Item(i).PicNormal().Width() + button_interval_;

  full_image_.SetSize(t.Width() - 2 * xo, t.Height() - yo);
  full_image_.Fill(0);
  fw::Canvas& full = full_image_.GetCanvas();

  int left = xo;
  int right = t.Width() - xo;
  int last_left = 0;
  const TsuiTitleBarSection* client = nullptr;
  bool cap_seen = false;
  for (int i = 0; i < sections_.Count(); ++i) {
    const TsuiTitleBarSection& s = sections_.Item(i);
    const fw::Bitmap& pic = s.Picture();
    if (s.CapSec()) {
      const int next_width = i + 1 < sections_.Count() ? sections_.Item(i + 1).Width() : 0;
      cap_sec_text_ =
          FitCaption(canvas, Caption(),
                     t.Width() - left_btn_x_offset_ - bw - next_width - kCaptionSectionMargin);
      const int cw =
          canvas.TextWidth(cap_sec_text_) + left_btn_x_offset_ - last_left + kCaptionSectionPadding;
      if (!pic.Empty() && cw > 0) {
        canvas.StretchDraw({left, yo, left + cw, yo + pic.Height()}, pic);
        full.StretchDraw({left - xo, 0, left + cw - xo, pic.Height()}, pic);
      }
      left += cw;
      cap_seen = true;
      continue;
    }
    switch (s.Align()) {
      case TsuiTitleBarAlign::suiLeft:
        canvas.Draw(left, yo, pic);
        full.Draw(left - xo, 0, pic);
        left += pic.Width();
        last_left = pic.Width();
        break;
      case TsuiTitleBarAlign::suiRight: {
        // The right end may be cut to a shape: its see-through pixels show the window colour.
        if (!pic.Empty()) {
          fw::Bitmap over(pic.Width(), pic.Height());
          over.Fill(back_color_);
          over.GetCanvas().TransparentCopy({0, 0, pic.Width(), pic.Height()}, pic,
                                           {0, 0, pic.Width(), pic.Height()}, trans_color_);
          canvas.Draw(right - pic.Width(), yo, over);
          full.Draw(right - xo - pic.Width(), 0, pic);
        }
        right -= pic.Width();
        break;
      }
      case TsuiTitleBarAlign::suiClient:
        client = &s;
        break;
    }
  }
  if (client != nullptr && !client->Picture().Empty() && right > left) {
    const fw::Bitmap& pic = client->Picture();
    canvas.StretchDraw({left, yo, right, yo + pic.Height()}, pic);
    full.StretchDraw({left - xo, 0, right - xo, pic.Height()}, pic);
  }
  composite_stale_ = true;
  if (!cap_seen) {
    cap_sec_text_.clear();
  } else if (auto* host = dynamic_cast<TsuiTitleBarHost*>(Parent())) {
    host->PaintFrame();
  }
}

std::string TsuiTitleBar::FitCaption(fw::Canvas& canvas, const std::string& text, int limit) const {
  if (canvas.TextWidth(text) <= limit) return text;
  const std::u32string chars = platform::DecodeUtf8(text);
  for (size_t n = 1; n <= chars.size(); ++n) {
    std::string candidate = Prefix(chars, n) + kEllipsis;
    if (canvas.TextWidth(candidate) >= limit) return candidate;
  }
  return text;
}

TsuiTitleBar::ButtonLayout TsuiTitleBar::LayoutButtons(int width) const {
  ButtonLayout layout;
  const int a = LeftBorderWidth();
  int x = width + a - right_btn_x_offset_ + 3;
  for (int i = 0; i < buttons_.Count(); ++i) {
    const TsuiTitleBarButton& b = buttons_.Item(i);
    if (!b.Visible()) continue;
    const int w = b.PicNormal().Width(), h = b.PicNormal().Height();
    if (b.ButtonType() == TsuiTitleBarBtnType::suiControlBox) {
      layout.control_box = i;
      continue;
    }
    x -= w + button_interval_ + 1;
    // One pixel stays free at the right, however far the offset pushes the row.
    if (width < w + x + 1) x = width - w - 1;
    layout.row.push_back({i, {x, button_top_, x + w, button_top_ + h}});
  }
  layout.row_left = x;
  const int lx = std::max(0, left_btn_x_offset_ - a - 3);
  if (layout.control_box >= 0) {
    const fw::Bitmap& pic = buttons_.Item(layout.control_box).PicNormal();
    layout.control_box_rect = {lx, button_top_, lx + pic.Width(), button_top_ + pic.Height()};
  }
  return layout;
}

int TsuiTitleBar::ButtonAt(Point p) const {
  const ButtonLayout layout = LayoutButtons(ClientWidth());
  int hot = -1;
  for (const ButtonPlace& place : layout.row)
    if (Inside(place.rect, p)) hot = place.index;
  if (layout.control_box >= 0 && Inside(layout.control_box_rect, p)) hot = layout.control_box;
  return hot;
}

void TsuiTitleBar::DrawButtons(fw::Bitmap& t) {
  fw::Canvas& canvas = t.GetCanvas();
  const ButtonLayout layout = LayoutButtons(t.Width());
  const Point mouse = ScreenToClient(fw::App().Windows().CursorPos());
  hot_index_ = -1;

  fw::Bitmap scratch;
  if (ui_style_ == TsuiUIStyle::FromThemeFile)
    scratch.SetTransparentColor(trans_color_);
  else
    scratch.SetTransparentColor(fw::clDefault);
  auto draw_state = [&](const TsuiTitleBarButton& b, bool hot, int x, int y) {
    const fw::Bitmap& pic = !hot ? b.PicNormal() : pressed_ ? b.PicMouseDown() : b.PicMouseOn();
    scratch.SetSize(b.PicNormal().Width(), b.PicNormal().Height());
    scratch.SetTransparent(b.Transparent());
    scratch.GetCanvas().CopyRect({0, 0, pic.Width(), pic.Height()}, pic,
                                 {0, 0, pic.Width(), pic.Height()});
    canvas.Draw(x, y, scratch);
  };

  for (const ButtonPlace& place : layout.row) {
    const bool hot = Inside(place.rect, mouse);
    if (hot) hot_index_ = place.index;
    draw_state(buttons_.Item(place.index), hot, place.rect.left, place.rect.top);
  }

  int lx = std::max(0, left_btn_x_offset_ - LeftBorderWidth() - 3);
  if (layout.control_box >= 0) {
    const bool hot = Inside(layout.control_box_rect, mouse);
    if (hot) hot_index_ = layout.control_box;
    const TsuiTitleBarButton& box = buttons_.Item(layout.control_box);
    if (draw_app_icon_) {
      if (!ApplicationIcon().Empty()) canvas.Draw(lx + 3, button_top_, ApplicationIcon());
      lx += kIconAdvance;
    } else {
      draw_state(box, hot, lx, button_top_ - 1);
      lx += box.PicNormal().Width() + kControlBoxGap;
    }
  }
  if (lx == 0) lx = kDefaultCaptionLeft;

  fw::Font font = GetFont();
  if (!form_active_) font.SetColor(fw::clInactiveCaption);
  canvas.Font() = font;
  canvas.Brush().SetStyle(fw::BrushStyle::kClear);

  std::string text = cap_sec_text_;
  if (text.empty()) {
    text = Caption();
    const int room = layout.row_left - lx;
    if (canvas.TextWidth(text) > room) {
      std::u32string chars = platform::DecodeUtf8(text);
      // Shorten until the rest and the ellipsis fit; an empty rest ends it.
      while (!chars.empty()) {
        chars.pop_back();
        if (canvas.TextWidth(Prefix(chars, chars.size()) + kEllipsis) <= room) break;
      }
      text = Prefix(chars, chars.size()) + kEllipsis;
    }
  }
  const int drop = ui_style_ == TsuiUIStyle::Protein ? kProteinCaptionDrop : 0;
  canvas.TextOut(lx, button_top_ + drop, text);
}

}  // namespace somnara::skin
