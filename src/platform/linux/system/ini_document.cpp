#include "platform/linux/system/ini_document.h"

namespace somnara::platform {
namespace {

constexpr std::string_view kBlanks = " \t\r\v\f";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

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

// Start and length of the trimmed part of text[begin, end).
void TrimmedRange(const std::string& text, std::size_t begin, std::size_t end,
                  std::size_t& out_begin, std::size_t& out_size) {
  std::string_view part = Trim(std::string_view(text).substr(begin, end - begin));
  out_begin = part.empty() ? begin : std::size_t(part.data() - text.data());
  out_size = part.size();
}

}  // namespace

IniDocument::Line IniDocument::Classify(std::string text, std::string end) {
  Line line;
  line.text = std::move(text);
  line.end = std::move(end);
  const std::string& t = line.text;
  std::size_t first = t.find_first_not_of(kBlanks);
  if (first == std::string::npos) {
    line.kind = Kind::kBlank;
  } else if (t[first] == ';') {
    line.kind = Kind::kComment;
  } else if (t[first] == '[') {
    // Whatever follows the closing bracket does not belong to the name.
    std::size_t close = t.find(']', first + 1);
    line.kind = Kind::kSection;
    TrimmedRange(t, first + 1, close == std::string::npos ? t.size() : close, line.name_begin,
                 line.name_size);
  } else if (std::size_t eq = t.find('=', first); eq != std::string::npos) {
    TrimmedRange(t, first, eq, line.name_begin, line.name_size);
    TrimmedRange(t, eq + 1, t.size(), line.value_begin, line.value_size);
    line.kind = line.name_size == 0 ? Kind::kOther : Kind::kKey;
  } else {
    line.kind = Kind::kOther;
  }
  return line;
}

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument doc;
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    doc.bom_ = std::string(kByteOrderMark);
    bytes.remove_prefix(kByteOrderMark.size());
  }
  while (!bytes.empty()) {
    std::size_t lf = bytes.find('\n');
    if (lf == std::string_view::npos) {
      doc.lines_.push_back(Classify(std::string(bytes), ""));
      break;
    }
    bool crlf = lf > 0 && bytes[lf - 1] == '\r';
    std::size_t text_size = crlf ? lf - 1 : lf;
    doc.lines_.push_back(Classify(std::string(bytes.substr(0, text_size)), crlf ? "\r\n" : "\n"));
    bytes.remove_prefix(lf + 1);
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
  if (HasLineBreakOrNul(section) || section.find(']') != std::string_view::npos) return false;
  if (HasLineBreakOrNul(key) || key.find('=') != std::string_view::npos) return false;
  return key.front() != '[' && key.front() != ';';
}

bool IniDocument::ValidValue(std::string_view value) {
  return !HasLineBreakOrNul(value);
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
  if (!ValidNames(section, key) || !ValidValue(value)) return false;
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
  // into the next section stay in front of it.
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
  std::size_t size = bom_.size();
  for (const Line& line : lines_) size += line.text.size() + line.end.size();
  std::string out;
  out.reserve(size);
  out += bom_;
  for (const Line& line : lines_) {
    out += line.text;
    out += line.end;
  }
  return out;
}

}  // namespace somnara::platform
