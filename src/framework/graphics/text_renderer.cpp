#include "framework/graphics/text_renderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <mutex>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "framework/exceptions.h"
#include "framework/graphics/font_catalogue.h"
#include "platform/utf8.h"

namespace somnara::fw {

using platform::DecodeUtf8;

namespace {

constexpr int kMaxEm = 1024;
constexpr size_t kMaxCachedGlyphs = 20000;
// Fixed so that the user's font settings cannot change what is drawn.
constexpr FT_Int32 kLoadFlags = FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP;

std::string Lower(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Names of the desktop platform's own faces, drawn with the installed faces of the same kind
// so that every machine draws them alike. The dialog faces go to faces of their widths (the
// small bitmap dialog face is narrower still than the others): texts were laid out for them,
// and a wider face would run past their boxes.
std::string MapFamily(const std::string& name) {
  static const std::map<std::string, std::string> kAliases = {
      {"ms sans serif", "Liberation Sans Narrow"},
      {"microsoft sans serif", "Liberation Sans Narrow"},
      {"tahoma", "Liberation Sans"},
      {"arial", "Liberation Sans"},
      {"verdana", "DejaVu Sans"},
      {"segoe ui", "DejaVu Sans"},
      {"system", "Liberation Sans Narrow"},
      {"ms shell dlg", "Liberation Sans Narrow"},
      {"ms shell dlg 2", "Liberation Sans Narrow"},
      {"sans-serif", "DejaVu Sans"},
      {"sans", "DejaVu Sans"},
      {"courier new", "DejaVu Sans Mono"},
      {"courier", "DejaVu Sans Mono"},
      {"fixedsys", "DejaVu Sans Mono"},
      {"monospace", "DejaVu Sans Mono"},
      {"times new roman", "DejaVu Serif"},
      {"ms serif", "DejaVu Serif"},
      {"serif", "DejaVu Serif"},
      {"宋体", "WenQuanYi Micro Hei"},
      {"simsun", "WenQuanYi Micro Hei"},
      {"微软雅黑", "WenQuanYi Micro Hei"},
      {"microsoft yahei", "WenQuanYi Micro Hei"},
  };
  auto it = kAliases.find(Lower(name));
  return it != kAliases.end() ? it->second : name;
}

struct FaceEntry {
  FT_Face face = nullptr;
  std::string file;
  int weight = kFaceWeightRegular;
  int slant = kFaceSlantRoman;
  int current_em = 0;
};

struct GlyphKey {
  const FaceEntry* face;
  int em;
  FT_UInt index;
  unsigned synth;
  friend bool operator==(const GlyphKey&, const GlyphKey&) = default;
};
struct GlyphKeyHash {
  size_t operator()(const GlyphKey& k) const {
    size_t h = std::hash<const void*>()(k.face);
    h = h * 1000003u ^ size_t(k.em);
    h = h * 1000003u ^ size_t(k.index);
    return h * 1000003u ^ size_t(k.synth);
  }
};

struct Glyph {
  int left = 0;  // from the pen position
  int top = 0;   // above the baseline
  int width = 0;
  int height = 0;
  int advance = 0;
  std::vector<uint8_t> coverage;
};

constexpr unsigned kSynthBold = 1, kSynthItalic = 2;

struct ResolvedFont {
  FaceEntry* face = nullptr;
  int em = 0;
  unsigned synth = 0;
  bool want_bold = false;
  bool want_italic = false;
  FontMetrics metrics;
  int strike_position = 0;  // above the baseline
  int strike_thickness = 1;
};

struct FontKey {
  std::string name;
  int height;
  unsigned style;
  friend bool operator<(const FontKey& a, const FontKey& b) {
    return std::tie(a.name, a.height, a.style) < std::tie(b.name, b.height, b.style);
  }
};

int ScaleRound(long value, int em, int units_per_em) {
  double v = double(value) * em / units_per_em;
  return int(std::lround(v));
}

uint8_t Blend(uint32_t d, uint32_t c, unsigned a) {
  return uint8_t((c * a + d * (255 - a) + 127) / 255);
}

void BlendPixel(uint32_t& dst, uint32_t rgb, unsigned a, uint32_t alpha) {
  if (a == 0) return;
  if (a >= 255) {
    dst = rgb | alpha;
    return;
  }
  uint32_t r = Blend((dst >> 16) & 0xFF, (rgb >> 16) & 0xFF, a);
  uint32_t g = Blend((dst >> 8) & 0xFF, (rgb >> 8) & 0xFF, a);
  uint32_t b = Blend(dst & 0xFF, rgb & 0xFF, a);
  dst = (r << 16) | (g << 8) | b | alpha;
}

void FillRow(const PixelBuffer& buf, const Rect& clip, int x0, int x1, int y, uint32_t rgb) {
  if (y < clip.top || y >= clip.bottom) return;
  x0 = std::max(x0, clip.left);
  x1 = std::min(x1, clip.right);
  uint32_t* row = buf.pixels + size_t(y) * size_t(buf.stride);
  for (int x = x0; x < x1; ++x) row[x] = rgb | buf.alpha;
}

}  // namespace

struct TextRenderer::Impl {
  std::mutex mutex;
  FT_Library library = nullptr;
  std::unique_ptr<FontCatalogue> catalogue;
  std::map<std::pair<std::string, int>, std::unique_ptr<FaceEntry>> faces;  // by file, index
  std::map<FontKey, ResolvedFont> fonts;
  // Fallback faces by code point and wanted style; null when nothing has the character.
  std::map<std::pair<char32_t, unsigned>, FaceEntry*> fallbacks;
  std::unordered_map<GlyphKey, Glyph, GlyphKeyHash> glyphs;

  Impl() {
    if (FT_Init_FreeType(&library) != 0) throw Exception("The font engine cannot start");
    catalogue = SystemFontCatalogue();
  }
  ~Impl() {
    glyphs.clear();
    for (auto& [key, entry] : faces)
      if (entry->face) FT_Done_Face(entry->face);
    if (library) FT_Done_FreeType(library);
  }

  FaceEntry* OpenFace(const std::string& file, int index, int weight, int slant) {
    auto key = std::make_pair(file, index);
    auto it = faces.find(key);
    if (it != faces.end()) return it->second->face ? it->second.get() : nullptr;
    auto entry = std::make_unique<FaceEntry>();
    entry->file = file;
    entry->weight = weight;
    entry->slant = slant;
    if (OpenFontFile(library, file, index, &entry->face) != 0) entry->face = nullptr;
    if (entry->face && !FT_IS_SCALABLE(entry->face)) {
      FT_Done_Face(entry->face);
      entry->face = nullptr;
    }
    FaceEntry* result = entry->face ? entry.get() : nullptr;
    faces.emplace(key, std::move(entry));
    return result;
  }

  // The installed face of exactly this family closest to the wanted weight and slant.
  FaceEntry* FindFamily(const std::string& family, bool bold, bool italic) {
    std::vector<FontFace> candidates = catalogue->Family(family);
    int want_weight = bold ? kFaceWeightBold : kFaceWeightRegular;
    // Regular width first, then the weight, then the slant.
    auto score = [&](const FontFace& f) {
      return std::abs(f.width - kFaceWidthNormal) * 1000 + std::abs(f.weight - want_weight) * 4 +
             ((f.slant != kFaceSlantRoman) != italic ? 1 : 0);
    };
    std::sort(candidates.begin(), candidates.end(), [&](const FontFace& a, const FontFace& b) {
      int score_a = score(a), score_b = score(b);
      return std::tie(score_a, a.file, a.index) < std::tie(score_b, b.file, b.index);
    });
    for (const FontFace& c : candidates)
      if (FaceEntry* face = OpenFace(c.file, c.index, c.weight, c.slant)) return face;
    return nullptr;
  }

  // Last resort when not even the main sans face is installed.
  FaceEntry* MatchAny(const std::string& family, bool bold, bool italic) {
    for (const FontFace& c : catalogue->Closest(family, bold, italic))
      if (FaceEntry* face = OpenFace(c.file, c.index, c.weight, c.slant)) return face;
    return nullptr;
  }

  FaceEntry* MainFace(const std::string& name, bool bold, bool italic) {
    std::string family = MapFamily(name);
    if (FaceEntry* f = FindFamily(family, bold, italic)) return f;
    if (family != "DejaVu Sans")
      if (FaceEntry* f = FindFamily("DejaVu Sans", bold, italic)) return f;
    return MatchAny("sans-serif", bold, italic);
  }

  static bool HasChar(FaceEntry* face, char32_t cp) {
    return face && FT_Get_Char_Index(face->face, FT_ULong(cp)) != 0;
  }

  FaceEntry* FallbackFace(char32_t cp, bool bold, bool italic) {
    unsigned style = (bold ? 1u : 0u) | (italic ? 2u : 0u);
    auto key = std::make_pair(cp, style);
    auto it = fallbacks.find(key);
    if (it != fallbacks.end()) return it->second;
    FaceEntry* found = nullptr;
    for (const char* family : {"DejaVu Sans", "WenQuanYi Micro Hei", "DejaVu Sans Mono"}) {
      FaceEntry* f = FindFamily(family, bold, italic);
      if (HasChar(f, cp)) {
        found = f;
        break;
      }
    }
    if (!found) {
      for (const FontFace& c : catalogue->ForCodePoint(cp)) {
        FaceEntry* f = OpenFace(c.file, c.index, c.weight, c.slant);
        if (HasChar(f, cp)) {
          found = f;
          break;
        }
      }
    }
    fallbacks.emplace(key, found);
    return found;
  }

  const ResolvedFont& Resolve(const Font& font) {
    FontKey key{font.Name(), font.Height(), font.Style() & (kFontBold | kFontItalic)};
    auto it = fonts.find(key);
    if (it != fonts.end()) return it->second;
    ResolvedFont r;
    r.want_bold = font.Bold();
    r.want_italic = font.Italic();
    r.face = MainFace(font.Name(), r.want_bold, r.want_italic);
    if (!r.face) throw Exception("No font is installed that can draw text");
    FT_Face face = r.face->face;
    int upem = face->units_per_EM > 0 ? face->units_per_EM : 2048;
    long asc = face->ascender, desc = -face->descender;
    long strike_pos = upem * 22 / 100, strike_size = upem / 20;
    long avg = 0;
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2))) {
      if (os2->usWinAscent + os2->usWinDescent > 0) {
        asc = os2->usWinAscent;
        desc = os2->usWinDescent;
      }
      if (os2->yStrikeoutSize > 0) {
        strike_pos = os2->yStrikeoutPosition;
        strike_size = os2->yStrikeoutSize;
      }
      avg = os2->xAvgCharWidth;
    }
    if (asc + desc <= 0) {
      asc = upem * 8 / 10;
      desc = upem - asc;
    }
    int height = font.Height();
    int em;
    if (height < 0)
      em = -height;
    else if (height > 0)
      em = int(std::lround(double(height) * upem / double(asc + desc)));
    else
      em = 11;
    em = std::clamp(em, 1, kMaxEm);
    r.em = em;
    r.synth = (r.want_bold && r.face->weight < kFaceWeightDemiBold ? kSynthBold : 0) |
              (r.want_italic && r.face->slant == kFaceSlantRoman ? kSynthItalic : 0);
    FontMetrics& m = r.metrics;
    m.ascent = ScaleRound(asc, em, upem);
    m.descent = ScaleRound(desc, em, upem);
    if (height > 0 && height <= kMaxEm * 2) m.descent = std::max(0, height - m.ascent);
    m.height = m.ascent + m.descent;
    m.internal_leading = std::max(0, m.height - em);
    m.underline_position = std::max(1, ScaleRound(-face->underline_position, em, upem));
    m.underline_thickness = std::max(1, ScaleRound(face->underline_thickness, em, upem));
    r.strike_position = ScaleRound(strike_pos, em, upem);
    r.strike_thickness = std::max(1, ScaleRound(strike_size, em, upem));
    m.average_char_width = avg > 0 ? ScaleRound(avg, em, upem) : 0;
    m.max_char_width = ScaleRound(face->max_advance_width, em, upem);
    if (m.average_char_width <= 0) {
      // No table value: the mean advance of the lower-case letters.
      int sum = 0;
      for (char c = 'a'; c <= 'z'; ++c) sum += GlyphFor(r, c).second->advance;
      m.average_char_width = std::max(1, sum / 26);
    }
    if (r.synth & kSynthBold) ++m.average_char_width;
    return fonts.emplace(key, r).first->second;
  }

  const Glyph* LoadGlyph(FaceEntry* entry, int em, FT_UInt index, unsigned synth) {
    GlyphKey key{entry, em, index, synth};
    auto it = glyphs.find(key);
    if (it != glyphs.end()) return &it->second;
    if (glyphs.size() >= kMaxCachedGlyphs) glyphs.clear();
    Glyph g;
    FT_Face face = entry->face;
    if (entry->current_em != em) {
      FT_Set_Pixel_Sizes(face, 0, FT_UInt(em));
      entry->current_em = em;
    }
    if (FT_Load_Glyph(face, index, kLoadFlags) == 0) {
      FT_GlyphSlot slot = face->glyph;
      if (synth & kSynthItalic) FT_GlyphSlot_Oblique(slot);
      if (synth & kSynthBold) FT_GlyphSlot_Embolden(slot);
      g.advance = int((slot->advance.x + 32) >> 6);
      if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0 &&
          slot->bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
        const FT_Bitmap& bm = slot->bitmap;
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.width = int(bm.width);
        g.height = int(bm.rows);
        g.coverage.resize(size_t(g.width) * size_t(g.height));
        for (int y = 0; y < g.height; ++y) {
          const unsigned char* src = bm.pitch >= 0
                                         ? bm.buffer + size_t(y) * size_t(bm.pitch)
                                         : bm.buffer + size_t(g.height - 1 - y) * size_t(-bm.pitch);
          std::copy_n(src, g.width, g.coverage.data() + size_t(y) * size_t(g.width));
        }
      }
    }
    return &glyphs.emplace(key, std::move(g)).first->second;
  }

  // The face and glyph that draw cp in this font.
  std::pair<FaceEntry*, const Glyph*> GlyphFor(const ResolvedFont& r, char32_t cp) {
    FaceEntry* face = r.face;
    FT_UInt index = FT_Get_Char_Index(face->face, FT_ULong(cp));
    if (index == 0) {
      if (FaceEntry* other = FallbackFace(cp, r.want_bold, r.want_italic)) {
        face = other;
        index = FT_Get_Char_Index(face->face, FT_ULong(cp));
      }
    }
    unsigned synth = (r.want_bold && face->weight < kFaceWeightDemiBold ? kSynthBold : 0) |
                     (r.want_italic && face->slant == kFaceSlantRoman ? kSynthItalic : 0);
    return {face, LoadGlyph(face, r.em, index, synth)};
  }

  static bool Invisible(char32_t cp) { return cp < 0x20 || cp == 0x7F; }

  int Width(const Font& font, std::string_view text) {
    const ResolvedFont& r = Resolve(font);
    int w = 0;
    for (char32_t cp : DecodeUtf8(text))
      if (!Invisible(cp)) w += GlyphFor(r, cp).second->advance;
    return w;
  }

  void Decorate(const PixelBuffer& buf, const Rect& clip, int x0, int x1, int y,
                const ResolvedFont& r, uint32_t rgb, bool underline, bool strike) {
    int baseline = y + r.metrics.ascent;
    if (underline) {
      int top = baseline + r.metrics.underline_position;
      for (int k = 0; k < r.metrics.underline_thickness; ++k)
        FillRow(buf, clip, x0, x1, top + k, rgb);
    }
    if (strike) {
      int top = baseline - r.strike_position;
      for (int k = 0; k < r.strike_thickness; ++k) FillRow(buf, clip, x0, x1, top + k, rgb);
    }
  }

  int Draw(const PixelBuffer& buf, const Rect& clip_in, int x, int y, const Font& font,
           std::string_view text, Color color) {
    Rect clip = clip_in.Intersect(Rect{0, 0, buf.width, buf.height});
    const ResolvedFont& r = Resolve(font);
    uint32_t rgb = ColorToRgb(color);
    int baseline = y + r.metrics.ascent;
    int pen = x;
    for (char32_t cp : DecodeUtf8(text)) {
      if (Invisible(cp)) continue;
      const Glyph* g = GlyphFor(r, cp).second;
      int gx = pen + g->left, gy = baseline - g->top;
      int y0 = std::max(gy, clip.top), y1 = std::min(gy + g->height, clip.bottom);
      int x0 = std::max(gx, clip.left), x1 = std::min(gx + g->width, clip.right);
      for (int py = y0; py < y1; ++py) {
        const uint8_t* cov = g->coverage.data() + size_t(py - gy) * size_t(g->width);
        uint32_t* row = buf.pixels + size_t(py) * size_t(buf.stride);
        for (int px = x0; px < x1; ++px) BlendPixel(row[px], rgb, cov[px - gx], buf.alpha);
      }
      pen += g->advance;
    }
    if (!clip.IsEmpty()) Decorate(buf, clip, x, pen, y, r, rgb, font.Underline(), font.StrikeOut());
    return pen - x;
  }
};

TextRenderer& TextRenderer::Instance() {
  static TextRenderer renderer;
  return renderer;
}

TextRenderer::TextRenderer() : impl_(std::make_unique<Impl>()) {}
TextRenderer::~TextRenderer() = default;

FontMetrics TextRenderer::Metrics(const Font& font) {
  std::lock_guard lock(impl_->mutex);
  return impl_->Resolve(font).metrics;
}

int TextRenderer::Width(const Font& font, std::string_view utf8) {
  std::lock_guard lock(impl_->mutex);
  return impl_->Width(font, utf8);
}

int TextRenderer::Draw(const PixelBuffer& buffer, const Rect& clip, int x, int y, const Font& font,
                       std::string_view utf8, Color color) {
  std::lock_guard lock(impl_->mutex);
  return impl_->Draw(buffer, clip, x, y, font, utf8, color);
}

void TextRenderer::DrawUnderline(const PixelBuffer& buffer, const Rect& clip_in, int x0, int x1,
                                 int y, const Font& font, Color color) {
  std::lock_guard lock(impl_->mutex);
  Rect clip = clip_in.Intersect(Rect{0, 0, buffer.width, buffer.height});
  if (clip.IsEmpty()) return;
  impl_->Decorate(buffer, clip, x0, x1, y, impl_->Resolve(font), ColorToRgb(color), true, false);
}

std::string TextRenderer::FaceFile(const Font& font) {
  std::lock_guard lock(impl_->mutex);
  return impl_->Resolve(font).face->file;
}

std::string TextRenderer::FileForCodePoint(const Font& font, char32_t code_point) {
  std::lock_guard lock(impl_->mutex);
  const ResolvedFont& r = impl_->Resolve(font);
  if (Impl::HasChar(r.face, code_point)) return r.face->file;
  FaceEntry* f = impl_->FallbackFace(code_point, r.want_bold, r.want_italic);
  return f ? f->file : std::string();
}

}  // namespace somnara::fw
