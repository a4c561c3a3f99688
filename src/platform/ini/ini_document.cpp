#include "platform/ini/ini_document.h"

#include "platform/utf8.h"

namespace somnara::platform {
namespace {

constexpr std::string_view kBlanks = " \t\r\v\f";
// A value, or a line, may end in the DOS end-of-file byte as well.
constexpr std::string_view kBlanksAndEndOfFile = " \t\r\v\f\x1A";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

std::string_view Trim(std::string_view text) {
  std::size_t begin = text.find_first_not_of(kBlanks);
  if (begin == std::string_view::npos) return {};
  std::size_t end = text.find_last_not_of(kBlanks);
  return text.substr(begin, end - begin + 1);
}

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

bool HasLineBreakOrNul(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool IsUtf8(std::string_view text) {
  while (!text.empty()) {
    char32_t code_point = 0;
    std::size_t length = DecodeUtf8Char(text, code_point);
    if (length == 0) return false;
    text.remove_prefix(length);
  }
  return true;
}

// text[begin, end) without leading blanks and without trailing `trailing` characters.
void TrimmedRange(std::string_view text, std::size_t begin, std::size_t end,
                  std::string_view trailing, std::size_t& out_begin, std::size_t& out_size) {
  while (begin < end && kBlanks.find(text[begin]) != std::string_view::npos) ++begin;
  while (end > begin && trailing.find(text[end - 1]) != std::string_view::npos) --end;
  out_begin = begin;
  out_size = end - begin;
}

bool IsQuote(char c) {
  return c == '"' || c == '\'';
}

}  // namespace

IniDocument::Line IniDocument::Classify(std::string text, std::string end) {
  Line line;
  line.text = std::move(text);
  line.end = std::move(end);
  const std::string& t = line.text;
  std::size_t first = t.find_first_not_of(kBlanks);
  std::size_t close = t.rfind(']');
  if (t.find_first_not_of(kBlanksAndEndOfFile) == std::string::npos) {
    line.kind = Kind::kBlank;
  } else if (t[first] == ';') {
    line.kind = Kind::kComment;
  } else if (t[first] == '[' && close != std::string::npos && close > first) {
    // The name runs to the last bracket, so "[Option]]" names "Option]"; a bracket line
    // that never closes is no section line and stays with the section before it.
    line.kind = Kind::kSection;
    TrimmedRange(t, first + 1, close, kBlanks, line.name_begin, line.name_size);
  } else if (std::size_t eq = t.find('=', first); eq != std::string::npos) {
    TrimmedRange(t, first, eq, kBlanks, line.name_begin, line.name_size);
    TrimmedRange(t, eq + 1, t.size(), kBlanksAndEndOfFile, line.value_begin, line.value_size);
    if (line.value_size >= 2 && IsQuote(t[line.value_begin]) &&
        t[line.value_begin + line.value_size - 1] == t[line.value_begin]) {
      line.value_begin += 1;
      line.value_size -= 2;
    }
    line.kind = line.name_size == 0 ? Kind::kOther : Kind::kKey;
  } else {
    line.kind = Kind::kOther;
  }
  return line;
}

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument doc;
  std::string utf16_text;
  for (auto [mark, order] : {std::pair(kUtf16LittleEndianMark, Utf16Order::kLittleEndian),
                             std::pair(kUtf16BigEndianMark, Utf16Order::kBigEndian)}) {
    if (bytes.substr(0, mark.size()) != mark) continue;
    doc.bom_ = std::string(mark);
    doc.utf16_ = order;
    bytes.remove_prefix(mark.size());
    if (bytes.size() % 2 != 0) doc.odd_byte_ = std::string(bytes.substr(bytes.size() - 1));
    utf16_text = Utf16ToUtf8(bytes, order);
    bytes = utf16_text;
    break;
  }
  if (!doc.utf16_ && bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
    doc.bom_ = std::string(kUtf8Mark);
    bytes.remove_prefix(kUtf8Mark.size());
  }
  while (!bytes.empty()) {
    std::size_t brk = bytes.find_first_of("\r\n");
    if (brk == std::string_view::npos) {
      doc.lines_.push_back(Classify(std::string(bytes), ""));
      break;
    }
    std::size_t end_size = bytes.substr(brk, 2) == "\r\n" ? 2 : 1;
    doc.lines_.push_back(
        Classify(std::string(bytes.substr(0, brk)), std::string(bytes.substr(brk, end_size))));
    bytes.remove_prefix(brk + end_size);
  }
  return doc;
}

std::size_t IniDocument::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == Kind::kSection && EqualNoCase(Name(lines_[i]), section)) return i;
  }
  return lines_.size();
}

std::optional<std::string_view> IniDocument::Find(std::string_view section,
                                                  std::string_view key) const {
  section = Trim(section);
  key = Trim(key);
  if (section.empty() || key.empty()) return std::nullopt;
  for (std::size_t i = FindSection(section) + 1;
       i < lines_.size() && lines_[i].kind != Kind::kSection; ++i) {
    const Line& line = lines_[i];
    if (line.kind == Kind::kKey && EqualNoCase(Name(line), key)) {
      return std::string_view(line.text).substr(line.value_begin, line.value_size);
    }
  }
  return std::nullopt;
}

bool IniDocument::ValidNames(std::string_view section, std::string_view key) {
  section = Trim(section);
  key = Trim(key);
  if (section.empty() || key.empty()) return false;
  if (HasLineBreakOrNul(section)) return false;
  if (HasLineBreakOrNul(key) || key.find('=') != std::string_view::npos) return false;
  return key.front() != '[' && key.front() != ';';
}

bool IniDocument::ValidValue(std::string_view value) {
  return !HasLineBreakOrNul(value);
}

bool IniDocument::Accepts(std::string_view section, std::string_view key,
                          std::string_view value) const {
  if (!ValidNames(section, key) || !ValidValue(value)) return false;
  // Text for a UTF-16 file must say which characters it means.
  return !utf16_ || (IsUtf8(section) && IsUtf8(key) && IsUtf8(value));
}

std::string_view IniDocument::Newline() const {
  for (const Line& line : lines_) {
    if (!line.end.empty()) return line.end;
  }
  return "\n";
}

void IniDocument::EnsureEnded(std::size_t index) {
  if (lines_[index].end.empty()) lines_[index].end = std::string(Newline());
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  if (!Accepts(section, key, value)) return false;
  section = Trim(section);
  key = Trim(key);
  std::string entry = std::string(key) + "=" + std::string(value);

  std::size_t header = FindSection(section);
  if (header == lines_.size()) {
    if (!lines_.empty()) EnsureEnded(lines_.size() - 1);
    std::string newline(Newline());
    lines_.push_back(Classify("[" + std::string(section) + "]", newline));
    lines_.push_back(Classify(std::move(entry), newline));
    return true;
  }

  // A new key goes after the section's last entry, so blank lines and comments that lead
  // into the next section, or an end-of-file byte, stay in front of it.
  std::size_t last_entry = header;
  for (std::size_t i = header + 1; i < lines_.size() && lines_[i].kind != Kind::kSection; ++i) {
    Line& line = lines_[i];
    if (line.kind == Kind::kKey && EqualNoCase(Name(line), key)) {
      line = Classify(std::move(entry), std::move(line.end));
      return true;
    }
    if (line.kind == Kind::kKey || line.kind == Kind::kOther) last_entry = i;
  }
  EnsureEnded(last_entry);
  lines_.insert(lines_.begin() + std::ptrdiff_t(last_entry + 1),
                Classify(std::move(entry), std::string(Newline())));
  return true;
}

std::string IniDocument::Serialize() const {
  std::size_t size = 0;
  for (const Line& line : lines_) size += line.text.size() + line.end.size();
  std::string text;
  text.reserve(size);
  for (const Line& line : lines_) {
    text += line.text;
    text += line.end;
  }
  if (utf16_) return bom_ + Utf8ToUtf16(text, *utf16_) + odd_byte_;
  return bom_ + text;
}

}  // namespace somnara::platform
