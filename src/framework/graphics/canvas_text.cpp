// Text output of the canvas: TextOut, TextRect, measuring and DrawText's layout.
#include <algorithm>
#include <vector>

#include "framework/graphics/canvas.h"
#include "framework/graphics/canvas_raster.h"
#include "framework/graphics/text_renderer.h"

namespace somnara::fw {

namespace {

// Text after "&" processing: the byte offsets of the characters to underline.
struct PreparedText {
  std::string text;
  std::vector<size_t> marks;
};

size_t Utf8Length(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

PreparedText ApplyPrefixes(std::string_view s, bool keep) {
  PreparedText out;
  if (keep) {
    out.text = std::string(s);
    return out;
  }
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '&') {
      out.text += s[i];
      continue;
    }
    if (i + 1 >= s.size()) break;  // a lone "&" at the end shows nothing
    if (s[i + 1] == '&') {
      out.text += '&';
      ++i;
      continue;
    }
    out.marks.push_back(out.text.size());
  }
  return out;
}

struct Line {
  size_t begin = 0;  // in PreparedText::text
  size_t end = 0;
  std::string ellipsized;  // set when the line was cut and ends in "..."
};

class Layout {
 public:
  Layout(const Font& font, bool expand_tabs)
      : font_(font), renderer_(TextRenderer::Instance()), expand_tabs_(expand_tabs) {
    FontMetrics m = renderer_.Metrics(font);
    line_height_ = m.height;
    tab_width_ = std::max(1, 8 * m.average_char_width);
  }

  int LineHeight() const { return line_height_; }

  // Width of one line; tabs jump to the next multiple of eight average characters.
  int Width(std::string_view s) const {
    if (!expand_tabs_) return renderer_.Width(font_, s);
    int x = 0;
    size_t start = 0;
    while (true) {
      size_t tab = s.find('\t', start);
      x += renderer_.Width(font_,
                           s.substr(start, tab == std::string_view::npos ? s.npos : tab - start));
      if (tab == std::string_view::npos) return x;
      x = (x / tab_width_ + 1) * tab_width_;
      start = tab + 1;
    }
  }

  int Draw(const PixelBuffer& buf, const Rect& clip, int x, int y, std::string_view s,
           Color color) const {
    if (!expand_tabs_) return renderer_.Draw(buf, clip, x, y, font_, s, color);
    int pos = 0;
    size_t start = 0;
    while (true) {
      size_t tab = s.find('\t', start);
      std::string_view part = s.substr(start, tab == s.npos ? s.npos : tab - start);
      pos += renderer_.Draw(buf, clip, x + pos, y, font_, part, color);
      if (tab == s.npos) return pos;
      pos = (pos / tab_width_ + 1) * tab_width_;
      start = tab + 1;
    }
  }

 private:
  const Font& font_;
  TextRenderer& renderer_;
  bool expand_tabs_;
  int line_height_ = 0;
  int tab_width_ = 1;
};

// Splits at line breaks (unless single-line) and, with word breaking, at spaces so that
// each line fits max_width; a word wider than that stays whole on a line of its own.
std::vector<Line> BreakLines(const std::string& text, const Layout& layout, bool single_line,
                             bool word_break, int max_width) {
  std::vector<Line> lines;
  std::vector<std::pair<size_t, size_t>> paragraphs;
  if (single_line) {
    paragraphs.emplace_back(0, text.size());
  } else {
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
      if (i == text.size()) {
        paragraphs.emplace_back(start, i);
        break;
      }
      if (text[i] == '\r' || text[i] == '\n') {
        paragraphs.emplace_back(start, i);
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
      }
    }
  }
  for (auto [begin, end] : paragraphs) {
    if (!word_break || single_line) {
      lines.push_back({begin, end, {}});
      continue;
    }
    size_t pos = begin;
    while (true) {
      size_t best = std::string::npos;
      size_t i = pos;
      while (i < end) {
        size_t j = i;
        while (j < end && text[j] != ' ') ++j;
        bool fits = layout.Width(std::string_view(text).substr(pos, j - pos)) <= max_width;
        if (fits || best == std::string::npos || best == pos) best = j;
        if (!fits) break;
        size_t k = j;
        while (k < end && text[k] == ' ') ++k;
        i = k;
      }
      if (best == std::string::npos) best = end;
      lines.push_back({pos, best, {}});
      pos = best;
      while (pos < end && text[pos] == ' ') ++pos;
      if (pos >= end) break;
    }
  }
  return lines;
}

// Cuts a line and appends "..." so that it fits max_width (at least the dots stay).
std::string Ellipsize(std::string_view s, const Layout& layout, int max_width) {
  std::string cut(s);
  while (!cut.empty()) {
    // Drop one whole UTF-8 character from the end.
    size_t n = cut.size() - 1;
    while (n > 0 && (static_cast<unsigned char>(cut[n]) & 0xC0) == 0x80) --n;
    cut.resize(n);
    if (layout.Width(cut + "...") <= max_width) break;
  }
  return cut + "...";
}

}  // namespace

void Canvas::TextOut(int x, int y, std::string_view text) {
  x = raster::Limit(x);
  y = raster::Limit(y);
  TextRenderer& renderer = TextRenderer::Instance();
  PixelBuffer buf = Buffer();
  Rect clip = DeviceClip();
  int dx = x + origin_.x, dy = y + origin_.y;
  int width = renderer.Width(font_, text);
  if (!brush_.IsClear() && !clip.IsEmpty()) {
    raster::Target t{buf, clip};
    raster::Paint p{ColorToRgb(brush_.Color()), nullptr, {}};
    int h = renderer.Metrics(font_).height;
    for (int row = std::max(dy, clip.top); row < std::min(dy + h, clip.bottom); ++row)
      raster::FillSpan(t, row, dx, dx + width, p);
  }
  if (!clip.IsEmpty()) renderer.Draw(buf, clip, dx, dy, font_, text, font_.Color());
  pen_pos_ = {x + width, y};
}

void Canvas::TextRect(const Rect& area, int x, int y, std::string_view text) {
  Rect r = raster::Limit(area);
  x = raster::Limit(x);
  y = raster::Limit(y);
  TextRenderer& renderer = TextRenderer::Instance();
  PixelBuffer buf = Buffer();
  Rect clip = DeviceClip().Intersect(r.Offset(origin_.x, origin_.y));
  if (clip.IsEmpty()) return;
  if (!brush_.IsClear()) {
    raster::Target t{buf, clip};
    raster::Paint p{ColorToRgb(brush_.Color()), nullptr, {}};
    for (int row = clip.top; row < clip.bottom; ++row)
      raster::FillSpan(t, row, clip.left, clip.right, p);
  }
  renderer.Draw(buf, clip, x + origin_.x, y + origin_.y, font_, text, font_.Color());
}

int Canvas::TextWidth(std::string_view text) {
  return TextRenderer::Instance().Width(font_, text);
}

int Canvas::TextHeight(std::string_view) {
  return TextRenderer::Instance().Metrics(font_).height;
}

Size Canvas::TextExtent(std::string_view text) {
  return {TextWidth(text), TextHeight(text)};
}

int Canvas::DrawText(std::string_view raw, Rect& io_rect, unsigned flags) {
  Rect rect = raster::Limit(io_rect);
  bool single = flags & DT_SINGLELINE;
  PreparedText prepared = ApplyPrefixes(raw, flags & DT_NOPREFIX);
  const std::string& text = prepared.text;
  Layout layout(font_, flags & DT_EXPANDTABS);
  int max_width = rect.right - rect.left;
  std::vector<Line> lines =
      BreakLines(text, layout, single, (flags & DT_WORDBREAK) != 0, max_width);

  std::vector<int> widths;
  int widest = 0;
  for (Line& line : lines) {
    std::string_view s = std::string_view(text).substr(line.begin, line.end - line.begin);
    int w = layout.Width(s);
    if ((flags & DT_END_ELLIPSIS) && w > max_width) {
      line.ellipsized = Ellipsize(s, layout, max_width);
      w = layout.Width(line.ellipsized);
    }
    widths.push_back(w);
    widest = std::max(widest, w);
  }
  int line_height = layout.LineHeight();
  int total = line_height * int(lines.size());

  if (flags & DT_CALCRECT) {
    io_rect = rect;
    io_rect.right = rect.left + widest;
    io_rect.bottom = rect.top + total;
    return total;
  }

  int y = rect.top;
  if (single && (flags & DT_VCENTER))
    y = rect.top + (rect.Height() - line_height) / 2;
  else if (single && (flags & DT_BOTTOM))
    y = rect.bottom - line_height;

  PixelBuffer buf = Buffer();
  Rect clip = DeviceClip();
  if (!(flags & DT_NOCLIP)) clip = clip.Intersect(rect.Offset(origin_.x, origin_.y));
  TextRenderer& renderer = TextRenderer::Instance();
  bool underline_marks = !(flags & DT_HIDEPREFIX);
  for (size_t i = 0; i < lines.size() && !clip.IsEmpty(); ++i) {
    const Line& line = lines[i];
    int w = widths[i];
    int x = rect.left;
    if (flags & DT_CENTER)
      x = rect.left + (max_width - w) / 2;
    else if (flags & DT_RIGHT)
      x = rect.right - w;
    int ly = y + int(i) * line_height;
    int dx = x + origin_.x, dy = ly + origin_.y;
    if (!brush_.IsClear()) {
      raster::Target t{buf, clip};
      raster::Paint p{ColorToRgb(brush_.Color()), nullptr, {}};
      for (int row = std::max(dy, clip.top); row < std::min(dy + line_height, clip.bottom); ++row)
        raster::FillSpan(t, row, dx, dx + w, p);
    }
    std::string_view s = line.ellipsized.empty()
                             ? std::string_view(text).substr(line.begin, line.end - line.begin)
                             : std::string_view(line.ellipsized);
    layout.Draw(buf, clip, dx, dy, s, font_.Color());
    if (!underline_marks) continue;
    for (size_t mark : prepared.marks) {
      if (mark < line.begin || mark >= line.end) continue;
      size_t offset = mark - line.begin;
      if (offset >= s.size()) continue;  // cut away by the ellipsis
      size_t len = Utf8Length(static_cast<unsigned char>(s[offset]));
      int x0 = layout.Width(s.substr(0, offset));
      int x1 = layout.Width(s.substr(0, std::min(s.size(), offset + len)));
      renderer.DrawUnderline(buf, clip, dx + x0, dx + x1, dy, font_, font_.Color());
    }
  }
  return (y - rect.top) + total;
}

}  // namespace somnara::fw
