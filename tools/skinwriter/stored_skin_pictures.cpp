#include "skinwriter/stored_skin_pictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

namespace somnara::skinwriter {

namespace {

using namespace palette;

constexpr Rgb kWhite{255, 255, 255};
constexpr int kTitleHeight = 32;
constexpr int kTitleButton = 17;  // each of the 18 title-button frames is square

enum class State { kNormal, kHot, kPressed };

// --- Title bar -----------------------------------------------------------------------------

// The glossy caption band: an upper half lit from above and a deeper lower half.
void TitleBand(Canvas& c, int x0, int x1) {
  c.VerticalGradient(x0, 1, x1, 15, {206, 154, 100}, {182, 128, 78});
  c.VerticalGradient(x0, 15, x1, kTitleHeight - 2, {164, 110, 64}, {130, 86, 50});
  c.HLine(x0, x1 - 1, 1, {226, 184, 132});
  c.HLine(x0, x1 - 1, kTitleHeight - 2, {112, 74, 42});
  c.HLine(x0, x1 - 1, 0, kOutline);
  c.HLine(x0, x1 - 1, kTitleHeight - 1, kOutline);
}

Canvas TitleLeft() {
  Canvas c(28, kTitleHeight);
  TitleBand(c, 0, 28);
  // Only the top-left corner is round: the rectangle reaches past the other three sides.
  c.ClearOutsideRoundRect(0, 0, 40, 44, 6, kMagenta, false);
  c.RoundRectBorder(0, 0, 40, 44, 6, kOutline);
  c.VLine(1, 5, kTitleHeight - 3, {196, 146, 94});
  return c;
}

Canvas TitleClient() {
  Canvas c(16, kTitleHeight);
  TitleBand(c, 0, 16);
  return c;
}

Canvas TitleRight() {
  Canvas c(23, kTitleHeight);
  TitleBand(c, 0, 23);
  c.ClearOutsideRoundRect(-12, 0, 23, 44, 6, kMagenta, false);
  c.RoundRectBorder(-12, 0, 23, 44, 6, kOutline);
  c.VLine(21, 5, kTitleHeight - 3, {112, 74, 42});
  return c;
}

Canvas MinimizedTitle() {
  Canvas c(160, kTitleHeight);
  TitleBand(c, 0, 160);
  c.ClearOutsideRoundRect(0, 0, 160, kTitleHeight, 6, kMagenta, false);
  c.RoundRectBorder(0, 0, 160, kTitleHeight, 6, kOutline);
  return c;
}

// Glyphs of the title buttons, drawn centred on a 17 x 17 face.
using Glyph = std::function<void(Canvas&, int x, int y, Rgb colour)>;

void DrawPattern(Canvas& c, int x, int y, Rgb colour, const std::vector<const char*>& rows) {
  const int h = static_cast<int>(rows.size());
  const int w = static_cast<int>(std::char_traits<char>::length(rows[0]));
  const int ox = x + (kTitleButton - w) / 2;
  const int oy = y + (kTitleButton - h) / 2;
  for (int r = 0; r < h; ++r)
    for (int k = 0; k < w; ++k)
      if (rows[r][k] == 'X') c.Put(ox + k, oy + r, colour);
}

const std::array<Glyph, 6> kGlyphs = {
    // control box: a little menu
    [](Canvas& c, int x, int y, Rgb k) {
      DrawPattern(c, x, y, k, {"XXXXXXX", ".......", "XXXXXXX", ".......", "XXXXXXX"});
    },
    // help
    [](Canvas& c, int x, int y, Rgb k) {
      DrawPattern(c, x, y, k,
                  {".XXXX.", "XX..XX", "....XX", "...XX.", "..XX..", "..XX..", "......", "..XX..",
                   "..XX.."});
    },
    // maximise
    [](Canvas& c, int x, int y, Rgb k) {
      DrawPattern(c, x, y, k,
                  {"XXXXXXXXX", "XXXXXXXXX", "X.......X", "X.......X", "X.......X", "X.......X",
                   "X.......X", "XXXXXXXXX"});
    },
    // restore
    [](Canvas& c, int x, int y, Rgb k) {
      DrawPattern(c, x, y, k,
                  {"..XXXXXXX", "..XXXXXXX", "..X.....X", "XXXXXXX.X", "XXXXXXX.X", "X.....XXX",
                   "X.....X..", "X.....X..", "XXXXXXX.."});
    },
    // minimise
    [](Canvas& c, int x, int y, Rgb k) {
      DrawPattern(c, x, y, k,
                  {".........", ".........", ".........", ".........", ".........", ".........",
                   "XXXXXXXXX", "XXXXXXXXX"});
    },
    // close
    [](Canvas& c, int x, int y, Rgb k) {
      c.Line(x + 4.5, y + 4.5, x + 12.5, y + 12.5, 2.0, k);
      c.Line(x + 12.5, y + 4.5, x + 4.5, y + 12.5, 2.0, k);
    },
};

struct Face {
  Rgb top, bottom, border, highlight;
};

Face TitleButtonFace(State s, bool close) {
  if (close) {
    switch (s) {
      case State::kNormal:
        return {{198, 116, 82}, {150, 70, 46}, {96, 42, 26}, {222, 160, 130}};
      case State::kHot:
        return {{236, 132, 92}, {190, 72, 44}, {110, 44, 26}, {250, 190, 160}};
      case State::kPressed:
        return {{124, 48, 30}, {170, 86, 58}, {70, 28, 16}, {110, 40, 24}};
    }
  }
  switch (s) {
    case State::kNormal:
      return {{204, 156, 104}, {150, 102, 60}, kOutline, {226, 190, 146}};
    case State::kHot:
      return {{236, 200, 146}, {186, 136, 84}, {110, 72, 42}, {252, 230, 196}};
    case State::kPressed:
      return {{118, 78, 44}, {158, 112, 68}, {66, 42, 24}, {100, 64, 36}};
  }
  return {};
}

Canvas TitleButtons() {
  Canvas strip(kTitleButton * 18, kTitleButton);
  for (int frame = 0; frame < 18; ++frame) {
    const int glyph = frame / 3;
    const State state = static_cast<State>(frame % 3);
    const Face face = TitleButtonFace(state, glyph == 5);
    Canvas c(kTitleButton, kTitleButton);
    c.VerticalGradient(0, 0, kTitleButton, kTitleButton, face.top, face.bottom);
    c.HLine(2, kTitleButton - 3, 1, face.highlight);
    c.ClearOutsideRoundRect(0, 0, kTitleButton, kTitleButton, 4, kMagenta, false);
    c.RoundRectBorder(0, 0, kTitleButton, kTitleButton, 4, face.border);
    const int shift = state == State::kPressed ? 1 : 0;
    kGlyphs[glyph](c, shift + 1, shift + 1, Mix(face.bottom, {40, 24, 12}, 0.6));
    kGlyphs[glyph](c, shift, shift, kGlyph);
    strip.Blit(c, frame * kTitleButton, 0);
  }
  return strip;
}

// --- Window border -------------------------------------------------------------------------

// The border's colour at a given depth from the window's outer edge.
Rgb BorderRing(int depth) {
  static constexpr std::array<Rgb, 4> kRing = {kOutline, kCaramel, kLightCaramel, kSand};
  return kRing[static_cast<size_t>(std::clamp(depth, 0, 3))];
}

Canvas SideBorder(bool left) {
  Canvas c(4, 16);
  for (int x = 0; x < 4; ++x) c.VLine(x, 0, 15, BorderRing(left ? x : 3 - x));
  return c;
}

// One slice of the bottom border: `left_cap` / `right_cap` bend the ring round the corner.
Canvas BottomBorder(int width, bool left_cap, bool right_cap) {
  Canvas c(width, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < width; ++x) {
      int depth = 3 - y;
      if (left_cap) depth = std::min(depth, x);
      if (right_cap) depth = std::min(depth, width - 1 - x);
      c.Put(x, y, BorderRing(depth));
    }
  }
  return c;
}

Canvas BottomBorderThreeSlices() {
  Canvas c(30, 4);
  c.Blit(BottomBorder(10, true, false), 0, 0);
  c.Blit(BottomBorder(10, false, false), 10, 0);
  c.Blit(BottomBorder(10, false, true), 20, 0);
  return c;
}

// --- Push button ---------------------------------------------------------------------------

Canvas PushButtonFrame(State s) {
  constexpr int kW = 75;
  constexpr int kH = 23;
  Canvas c(kW, kH, kForm);
  switch (s) {
    case State::kNormal:
      c.VerticalGradient(0, 0, kW, kH / 2, {190, 140, 90}, {166, 116, 70});
      c.VerticalGradient(0, kH / 2, kW, kH, {148, 100, 58}, {128, 84, 48});
      c.HLine(3, kW - 4, 1, {220, 180, 130});
      break;
    case State::kHot:
      c.VerticalGradient(0, 0, kW, kH / 2, {224, 180, 122}, {202, 152, 96});
      c.VerticalGradient(0, kH / 2, kW, kH, {184, 132, 80}, {164, 112, 66});
      c.HLine(3, kW - 4, 1, {246, 218, 174});
      c.HLine(3, kW - 4, kH - 3, {206, 160, 108});
      break;
    case State::kPressed:
      c.VerticalGradient(0, 0, kW, kH, {108, 70, 40}, {140, 96, 58});
      c.HLine(2, kW - 3, 1, {84, 54, 30});
      c.VLine(1, 2, kH - 3, {96, 62, 36});
      break;
  }
  const Rgb border = s == State::kPressed ? Rgb{66, 42, 24} : kOutline;
  c.RoundRectBorder(0, 0, kW, kH, 4, border);
  // The corners fade into the window colour: the button is drawn without transparency.
  c.ClearOutsideRoundRect(0, 0, kW, kH, 4, kForm, true);
  return c;
}

Canvas PushButton() {
  Canvas c(225, 23, kForm);
  c.Blit(PushButtonFrame(State::kNormal), 0, 0);
  c.Blit(PushButtonFrame(State::kHot), 75, 0);
  c.Blit(PushButtonFrame(State::kPressed), 150, 0);
  return c;
}

// --- Track bar -----------------------------------------------------------------------------

Canvas TrackBar() {
  // One rounded groove, cut by the track bar into a left cap, a middle it stretches and a
  // right cap, 20 pixels each.
  Canvas c(60, 6);
  c.VerticalGradient(0, 0, 60, 6, {176, 140, 98}, {236, 224, 196});
  c.ClearOutsideRoundRect(0, 0, 60, 6, 3, kMagenta, false);
  c.RoundRectBorder(0, 0, 60, 6, 3, {128, 90, 54});
  c.HLine(3, 56, 1, {150, 112, 72});
  return c;
}

// The horizontal slider: a rounded body with a point at the bottom, on magenta.
bool SliderInside(int x, int y) {
  if (y < 0 || y > 20 || x < 0 || x > 10) return false;
  if (y < 15) {
    const bool corner = (y == 0 && (x == 0 || x == 10));
    return !corner;
  }
  return std::abs(x - 5) <= 20 - y;
}

Canvas SliderHorizontal() {
  Canvas c(11, 21);
  for (int y = 0; y < 21; ++y) {
    for (int x = 0; x < 11; ++x) {
      if (!SliderInside(x, y)) continue;
      const bool edge = !SliderInside(x - 1, y) || !SliderInside(x + 1, y) ||
                        !SliderInside(x, y - 1) || !SliderInside(x, y + 1);
      if (edge) {
        c.Put(x, y, kOutline);
      } else {
        c.Put(x, y, Mix({232, 188, 130}, {146, 98, 56}, x / 10.0));
      }
    }
  }
  // Grip: three grooves across the body.
  for (int y : {5, 8, 11}) {
    c.HLine(3, 7, y, {120, 80, 46});
    c.HLine(3, 7, y + 1, {240, 210, 168});
  }
  return c;
}

Canvas SliderVertical() {
  // The same slider turned on its side, pointing right.
  const Canvas h = SliderHorizontal();
  Canvas c(21, 11);
  for (int y = 0; y < 11; ++y)
    for (int x = 0; x < 21; ++x) c.Put(x, y, h.Get(y, x));
  return c;
}

// --- Small controls ------------------------------------------------------------------------

void CheckMark(Canvas& c, int x, int y, Rgb k, double thickness) {
  c.Line(x + 2.5, y + 6.5, x + 5, y + 9.5, thickness, k);
  c.Line(x + 5, y + 9.5, x + 10.5, y + 3, thickness, k);
}

Canvas CheckBoxFrame(bool hot, bool checked) {
  Canvas c(13, 13);
  c.VerticalGradient(0, 0, 13, 13, hot ? Rgb{255, 246, 226} : kWhite,
                     hot ? Rgb{236, 212, 168} : Rgb{236, 226, 202});
  c.ClearOutsideRoundRect(0, 0, 13, 13, 2, kMagenta, false);
  c.RoundRectBorder(0, 0, 13, 13, 2, hot ? Rgb{196, 132, 70} : Rgb{150, 105, 65});
  if (checked) CheckMark(c, 0, 0, {96, 62, 36}, 1.8);
  return c;
}

Canvas CheckBoxes(int frames) {
  Canvas c(13 * frames, 13);
  for (int i = 0; i < frames; ++i) {
    const bool checked = frames == 2 ? i == 1 : i >= 2;
    const bool hot = frames == 2 ? false : i % 2 == 1;
    c.Blit(CheckBoxFrame(hot, checked), 13 * i, 0);
  }
  return c;
}

Canvas RadioButtons() {
  Canvas c(52, 13);
  for (int i = 0; i < 4; ++i) {
    const bool hot = i % 2 == 1;
    Canvas f(13, 13);
    f.VerticalGradient(0, 0, 13, 13, hot ? Rgb{255, 246, 226} : kWhite,
                       hot ? Rgb{236, 212, 168} : Rgb{236, 226, 202});
    f.ClearOutsideRoundRect(0, 0, 13, 13, 6.5, kMagenta, false);
    f.RoundRectBorder(0, 0, 13, 13, 6.5, hot ? Rgb{196, 132, 70} : Rgb{150, 105, 65});
    if (i >= 2) {
      Canvas dot(5, 5, {120, 78, 44});
      dot.ClearOutsideRoundRect(0, 0, 5, 5, 2.5, kMagenta, false);
      for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
          if (!(dot.Get(x, y) == kMagenta)) f.Put(4 + x, 4 + y, dot.Get(x, y));
    }
    c.Blit(f, 13 * i, 0);
  }
  return c;
}

Canvas CheckedMenuIcon() {
  Canvas c(16, 16);
  CheckMark(c, 2, 2, {96, 62, 36}, 2.0);
  return c;
}

Canvas Band(int w, int h, Rgb top, Rgb bottom, Rgb line) {
  Canvas c(w, h);
  c.VerticalGradient(0, 0, w, h, top, bottom);
  c.HLine(0, w - 1, h - 1, line);
  return c;
}

Canvas ProgressPart(int w, bool chunk, bool left_cap, bool right_cap) {
  Canvas c(w, 14);
  if (chunk) {
    c.VerticalGradient(0, 0, w, 7, {214, 170, 112}, {190, 140, 86});
    c.VerticalGradient(0, 7, w, 14, {162, 112, 66}, {184, 134, 82});
  } else {
    c.VerticalGradient(0, 0, w, 14, {222, 208, 178}, {248, 243, 228});
    c.HLine(0, w - 1, 0, {150, 116, 78});
    c.HLine(0, w - 1, 13, {150, 116, 78});
    if (left_cap) c.VLine(0, 0, 13, {150, 116, 78});
    if (right_cap) c.VLine(w - 1, 0, 13, {150, 116, 78});
  }
  return c;
}

Canvas ScrollButtons(bool up) {
  Canvas c(51, 17);
  for (int i = 0; i < 3; ++i) {
    const State s = static_cast<State>(i);
    Canvas f(17, 17);
    const Rgb top = s == State::kPressed ? Rgb{200, 168, 122} : (s == State::kHot ? kCream : kSand);
    const Rgb bottom = s == State::kPressed
                           ? Rgb{226, 206, 170}
                           : (s == State::kHot ? Rgb{228, 204, 160} : kLightCaramel);
    f.VerticalGradient(0, 0, 17, 17, top, bottom);
    f.RoundRectBorder(0, 0, 17, 17, 2, {150, 105, 65});
    const Rgb arrow = s == State::kHot ? Rgb{150, 80, 30} : kOutline;
    for (int row = 0; row < 4; ++row) {
      const int y = up ? 6 + row : 10 - row;
      f.HLine(8 - row, 8 + row, y, arrow);
    }
    c.Blit(f, 17 * i, 0);
  }
  return c;
}

Canvas ScrollTrack() {
  Canvas c(17, 8);
  c.HorizontalGradient(0, 0, 17, 8, {222, 208, 176}, {246, 240, 222});
  c.VLine(0, 0, 7, {196, 176, 140});
  return c;
}

Canvas Tabs() {
  Canvas c(180, 22);
  const std::array<std::pair<Rgb, Rgb>, 3> faces = {{
      {kCream, {242, 236, 216}},           // active
      {{228, 214, 182}, {210, 192, 156}},  // inactive
      {{244, 230, 198}, {226, 206, 166}},  // hot
  }};
  for (int i = 0; i < 3; ++i) {
    Canvas f(60, 22);
    f.VerticalGradient(0, 0, 60, 22, faces[i].first, faces[i].second);
    f.ClearOutsideRoundRect(0, 0, 60, 30, 4, kMagenta, false);
    f.RoundRectBorder(0, 0, 60, 30, 4, {176, 150, 110});
    if (i == 0) f.HLine(3, 56, 1, {206, 150, 90});  // a warm accent on the active tab
    c.Blit(f, 60 * i, 0);
  }
  return c;
}

Canvas TabLine() {
  Canvas c(8, 3, kCream);
  c.HLine(0, 7, 0, {176, 150, 110});
  return c;
}

Canvas SideChannelBar() {
  Canvas c(12, 120);
  c.HorizontalGradient(0, 0, 12, 120, {214, 196, 160}, kForm);
  c.VLine(0, 0, 119, {176, 150, 110});
  return c;
}

Canvas SideChannelTitle() {
  Canvas c(120, 24);
  c.VerticalGradient(0, 0, 120, 24, {196, 146, 94}, {150, 102, 60});
  c.ClearOutsideRoundRect(0, 0, 120, 34, 4, kMagenta, false);
  c.RoundRectBorder(0, 0, 120, 34, 4, kOutline);
  return c;
}

}  // namespace

std::vector<std::pair<std::string, Canvas>> DrawStoredSkinPictures() {
  std::vector<std::pair<std::string, Canvas>> p;
  // This skin's title is made of three sections, so it has no fourth and fifth title picture,
  // and it carries no scroll button.
  p.emplace_back("SKIN2_TITLEBAR1", TitleLeft());
  p.emplace_back("SKIN2_TITLEBAR2", TitleClient());
  p.emplace_back("SKIN2_TITLEBAR3", TitleRight());
  p.emplace_back("SKIN2_FORMLEFTBORDER", SideBorder(true));
  p.emplace_back("SKIN2_FORMRIGHTBORDER", SideBorder(false));
  p.emplace_back("SKIN2_FORMBOTTOMBORDER1", BottomBorderThreeSlices());
  p.emplace_back("SKIN2_FORMBOTTOMBORDER2", BottomBorder(10, false, false));
  p.emplace_back("SKIN2_FORMBOTTOMBORDER3", BottomBorder(10, false, true));
  p.emplace_back("SKIN2_MINIMIZEDTITLE", MinimizedTitle());
  p.emplace_back("SKIN2_TITLEBUTTONS", TitleButtons());
  p.emplace_back("SKIN2_CHECKEDMENUICON", CheckedMenuIcon());
  p.emplace_back("SKIN2_MENUBAR", Band(8, 22, {242, 234, 214}, {218, 202, 170}, {190, 168, 130}));
  p.emplace_back("SKIN2_TOOLBAR", Band(8, 26, {244, 238, 220}, {214, 198, 166}, {186, 164, 126}));
  p.emplace_back("SKIN2_BUTTON", PushButton());
  p.emplace_back("SKIN2_CHECKBOX", CheckBoxes(4));
  p.emplace_back("SKIN2_CHECKBOXLIST", CheckBoxes(2));
  p.emplace_back("SKIN2_RADIOBUTTON", RadioButtons());
  p.emplace_back("SKIN2_PROGRESSBAR1", ProgressPart(4, false, true, false));
  p.emplace_back("SKIN2_PROGRESSBAR2", ProgressPart(8, false, false, false));
  p.emplace_back("SKIN2_PROGRESSBAR3", ProgressPart(4, false, false, true));
  p.emplace_back("SKIN2_PROGRESSBAR4", ProgressPart(8, true, false, false));
  p.emplace_back("SKIN2_TRACKBAR", TrackBar());
  p.emplace_back("SKIN2_TRACKBARSLIDER", SliderHorizontal());
  p.emplace_back("SKIN2_TRACKBARVSLIDER", SliderVertical());
  p.emplace_back("SKIN2_SCROLLBARUPBUTTON", ScrollButtons(true));
  p.emplace_back("SKIN2_SCROLLBAR", ScrollTrack());
  p.emplace_back("SKIN2_SCROLLBARDOWNBUTTON", ScrollButtons(false));
  p.emplace_back("SKIN2_TABCONTROL", Tabs());
  p.emplace_back("SKIN2_TABCONTROLLINE", TabLine());
  p.emplace_back("SKIN2_SIDECHANNELBAR", SideChannelBar());
  p.emplace_back("SKIN2_SIDECHANNELTITLE", SideChannelTitle());
  return p;
}

}  // namespace somnara::skinwriter
