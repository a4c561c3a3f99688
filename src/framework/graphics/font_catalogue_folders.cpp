#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SFNT_NAMES_H
#include FT_TRUETYPE_IDS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "framework/graphics/font_catalogue.h"
#include "platform/utf8.h"

namespace somnara::fw {

namespace {

// A font file read through the standard library, which opens UTF-8 names on every system.
struct FileStream {
  FT_StreamRec record{};
  std::ifstream file;
};

unsigned long ReadStream(FT_Stream stream, unsigned long offset, unsigned char* buffer,
                         unsigned long count) {
  auto* self = static_cast<FileStream*>(stream->descriptor.pointer);
  self->file.clear();
  self->file.seekg(std::streamoff(offset));
  if (count == 0) return self->file ? 0 : 1;  // a seek: non-zero reports failure
  self->file.read(reinterpret_cast<char*>(buffer), std::streamsize(count));
  return static_cast<unsigned long>(self->file.gcount());
}

void CloseStream(FT_Stream stream) {
  delete static_cast<FileStream*>(stream->descriptor.pointer);
}

std::string Normalised(std::string_view name) {
  std::string out;
  for (char c : name)
    if (c != ' ') out += char(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// A name-table string as UTF-8: UTF-16 (big-endian) on the Unicode and Microsoft
// platforms, one byte per character (read as Latin-1) on the Macintosh one.
std::string NameText(const FT_SfntName& name) {
  std::string out;
  if (name.platform_id == TT_PLATFORM_MACINTOSH) {
    for (FT_UInt i = 0; i < name.string_len; ++i) platform::AppendUtf8(out, name.string[i]);
    return out;
  }
  for (FT_UInt i = 0; i + 1 < name.string_len; i += 2) {
    char32_t unit = char32_t(name.string[i] << 8 | name.string[i + 1]);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < name.string_len) {
      char32_t low = char32_t(name.string[i + 2] << 8 | name.string[i + 3]);
      if (low >= 0xDC00 && low < 0xE000) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    platform::AppendUtf8(out, unit);
  }
  return out;
}

// OpenType's weight classes on fontconfig's scale, straight between the named points.
int WeightOf(int open_type) {
  static constexpr int kPoints[][2] = {{0, 0},     {100, 0},   {200, 40},  {300, 50},  {350, 55},
                                       {380, 75},  {400, 80},  {500, 100}, {600, 180}, {700, 200},
                                       {800, 205}, {900, 210}, {1000, 215}};
  if (open_type >= 1 && open_type <= 9) open_type *= 100;  // some fonts count in hundreds
  open_type = std::clamp(open_type, 0, 1000);
  for (size_t i = 1; i < std::size(kPoints); ++i)
    if (open_type <= kPoints[i][0]) {
      auto [x0, y0] = std::pair(kPoints[i - 1][0], kPoints[i - 1][1]);
      auto [x1, y1] = std::pair(kPoints[i][0], kPoints[i][1]);
      return y0 + (open_type - x0) * (y1 - y0) / (x1 - x0);
    }
  return 215;
}

int WidthOf(int width_class) {
  static constexpr int kWidths[] = {50, 63, 75, 87, 100, 113, 125, 150, 200};
  return width_class >= 1 && width_class <= 9 ? kWidths[width_class - 1] : kFaceWidthNormal;
}

std::filesystem::path PathOf(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Of(const std::filesystem::path& path) {
  std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

bool Contains(std::string_view text, std::string_view word) {
  return Normalised(text).find(word) != std::string::npos;
}

}  // namespace

FT_Error OpenFontFile(FT_Library library, const std::string& file, int index, FT_Face* face) {
  auto* stream = new FileStream;
  std::error_code ignored;
  std::filesystem::path path = PathOf(file);
  auto size = std::filesystem::file_size(path, ignored);
  stream->file.open(path, std::ios::binary);
  if (!stream->file || ignored || size == 0) {
    delete stream;
    return FT_Err_Cannot_Open_Resource;
  }
  stream->record.size = static_cast<unsigned long>(size);
  stream->record.descriptor.pointer = stream;
  stream->record.read = ReadStream;
  stream->record.close = CloseStream;
  FT_Open_Args args{};
  args.flags = FT_OPEN_STREAM;
  args.stream = &stream->record;
  // FreeType closes the stream, so frees it, when the face goes or cannot be opened.
  return FT_Open_Face(library, &args, index, face);
}

FolderFontCatalogue::FolderFontCatalogue(Folders folders) : folders_(std::move(folders)) {
  if (FT_Init_FreeType(&library_) != 0) library_ = nullptr;
}

FolderFontCatalogue::~FolderFontCatalogue() {
  if (library_) FT_Done_FreeType(library_);
}

const std::vector<FolderFontCatalogue::Entry>& FolderFontCatalogue::Scan(
    const std::string& folder) {
  auto found = scanned_.find(folder);
  if (found != scanned_.end()) return found->second;
  std::vector<Entry>& entries = scanned_[folder];
  if (!library_) return entries;
  std::vector<std::string> files;
  std::error_code error;
  std::filesystem::recursive_directory_iterator it(PathOf(folder), error), end;
  for (; !error && it != end; it.increment(error)) {
    std::string extension = Normalised(it->path().extension().string());
    if (extension == ".ttf" || extension == ".ttc" || extension == ".otf" || extension == ".otc")
      files.push_back(Utf8Of(it->path()));
  }
  std::sort(files.begin(), files.end());
  for (const std::string& file : files) {
    int count = 1;
    for (int index = 0; index < count; ++index) {
      FT_Face face = nullptr;
      if (OpenFontFile(library_, file, index, &face) != 0) break;
      count = int(face->num_faces);
      if (FT_IS_SCALABLE(face)) {
        Entry entry;
        entry.face.file = file;
        entry.face.index = index;
        std::string style = face->style_name ? face->style_name : "";
        if (face->family_name) entry.families.push_back(Normalised(face->family_name));
        for (FT_UInt i = 0, n = FT_Get_Sfnt_Name_Count(face); i < n; ++i) {
          FT_SfntName name;
          if (FT_Get_Sfnt_Name(face, i, &name) != 0) continue;
          if (name.name_id == TT_NAME_ID_FONT_FAMILY ||
              name.name_id == TT_NAME_ID_TYPOGRAPHIC_FAMILY ||
              name.name_id == TT_NAME_ID_WWS_FAMILY)
            entry.families.push_back(Normalised(NameText(name)));
        }
        std::sort(entry.families.begin(), entry.families.end());
        entry.families.erase(std::unique(entry.families.begin(), entry.families.end()),
                             entry.families.end());
        auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        if (os2 && os2->usWeightClass != 0)
          entry.face.weight = WeightOf(os2->usWeightClass);
        else if (face->style_flags & FT_STYLE_FLAG_BOLD)
          entry.face.weight = kFaceWeightBold;
        if (os2) entry.face.width = WidthOf(os2->usWidthClass);
        if (Contains(style, "oblique"))
          entry.face.slant = kFaceSlantOblique;
        else if (Contains(style, "italic") || (face->style_flags & FT_STYLE_FLAG_ITALIC))
          entry.face.slant = kFaceSlantItalic;
        entries.push_back(std::move(entry));
      }
      FT_Done_Face(face);
    }
  }
  return entries;
}

std::vector<const FolderFontCatalogue::Entry*> FolderFontCatalogue::Entries() {
  std::vector<const Entry*> all;
  for (const std::string& folder : folders_())
    for (const Entry& entry : Scan(folder)) all.push_back(&entry);
  return all;
}

std::vector<FontFace> FolderFontCatalogue::Family(const std::string& family) {
  std::string wanted = Normalised(family);
  std::vector<FontFace> faces;
  for (const Entry* entry : Entries())
    if (std::find(entry->families.begin(), entry->families.end(), wanted) != entry->families.end())
      faces.push_back(entry->face);
  return faces;
}

std::vector<FontFace> FolderFontCatalogue::Closest(const std::string& family, bool bold,
                                                   bool italic) {
  std::vector<FontFace> faces = Family(family);
  if (faces.empty())
    for (const Entry* entry : Entries()) faces.push_back(entry->face);
  int want_weight = bold ? kFaceWeightBold : kFaceWeightRegular;
  auto score = [&](const FontFace& f) {
    return std::abs(f.weight - want_weight) * 4 + ((f.slant != kFaceSlantRoman) != italic ? 1 : 0);
  };
  auto best = std::min_element(faces.begin(), faces.end(),
                               [&](const auto& a, const auto& b) { return score(a) < score(b); });
  if (best == faces.end()) return {};
  return {*best};
}

std::vector<FontFace> FolderFontCatalogue::ForCodePoint(char32_t code_point) {
  // Only the first face that has it, so the renderer does not keep every file open.
  for (const Entry* entry : Entries()) {
    FT_Face face = nullptr;
    if (OpenFontFile(library_, entry->face.file, entry->face.index, &face) != 0) continue;
    bool has = FT_Get_Char_Index(face, FT_ULong(code_point)) != 0;
    FT_Done_Face(face);
    if (has) return {entry->face};
  }
  return {};
}

}  // namespace somnara::fw
