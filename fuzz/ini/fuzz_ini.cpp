// Feeds arbitrary bytes to the INI reader and one write, and checks what must hold for any
// file, UTF-16 ones included: parsing keeps every byte, a write reads back, and nothing
// else changes meaning.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/ini/ini_document.h"

namespace {

using somnara::platform::IniDocument;

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
  }
}

std::string Trim(const std::string& text) {
  const char* blanks = " \t\r\v\f";
  std::size_t begin = text.find_first_not_of(blanks);
  if (begin == std::string::npos) return "";
  return text.substr(begin, text.find_last_not_of(blanks) - begin + 1);
}

// A value as the desktop's profile-string service hands it back: no blanks around it, no
// end-of-file bytes at its end, no pair of matching quotes around it.
std::string ReadForm(const std::string& value) {
  std::size_t begin = value.find_first_not_of(" \t\r\v\f");
  if (begin == std::string::npos) return "";
  std::size_t end = value.find_last_not_of(" \t\r\v\f\x1A") + 1;
  if (end <= begin) return "";
  std::string read = value.substr(begin, end - begin);
  if (read.size() >= 2 && (read[0] == '"' || read[0] == '\'') && read.back() == read[0]) {
    read = read.substr(1, read.size() - 2);
  }
  return read;
}

bool SameName(const std::string& a, const std::string& b) {
  std::string x = Trim(a), y = Trim(b);
  if (x.size() != y.size()) return false;
  for (std::size_t i = 0; i < x.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; };
    if (lower(x[i]) != lower(y[i])) return false;
  }
  return true;
}

std::optional<std::string> Lookup(const IniDocument& doc, const std::string& section,
                                  const std::string& key) {
  auto value = doc.Find(section, key);
  return value ? std::optional<std::string>(std::string(*value)) : std::nullopt;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string section = input.ConsumeRandomLengthString(16);
  const std::string key = input.ConsumeRandomLengthString(16);
  const std::string value = input.ConsumeRandomLengthString(64);
  const std::string probe_section = input.ConsumeRandomLengthString(16);
  const std::string probe_key = input.ConsumeRandomLengthString(16);
  const std::string file = input.ConsumeRemainingBytesAsString();

  IniDocument doc = IniDocument::Parse(file);
  Check(doc.Serialize() == file, "parsing loses bytes");
  const std::optional<std::string> probe_before = Lookup(doc, probe_section, probe_key);
  const std::optional<std::string> option_before = Lookup(doc, "Option", "vol");

  const bool valid = doc.Accepts(section, key, value);
  Check(!valid || (IniDocument::ValidNames(section, key) && IniDocument::ValidValue(value)),
        "the document accepts what the checks refuse");
  Check(doc.Set(section, key, value) == valid, "Set disagrees with Accepts");
  const std::string written = doc.Serialize();
  if (!valid) {
    Check(written == file, "a refused write changed the file");
    return 0;
  }

  IniDocument reread = IniDocument::Parse(written);
  Check(reread.Serialize() == written, "reparsing loses bytes");
  Check(Lookup(reread, section, key) == ReadForm(value), "the written value does not read back");
  if (!(SameName(section, probe_section) && SameName(key, probe_key))) {
    Check(Lookup(reread, probe_section, probe_key) == probe_before, "another key changed");
  }
  if (!(SameName(section, "Option") && SameName(key, "vol"))) {
    Check(Lookup(reread, "Option", "vol") == option_before, "Option/vol changed");
  }
  return 0;
}
