// Settings files as desktop editors and old tools leave them, read and written on disk the
// way the desktop's profile-string service reads them. One case a line: the file, the
// operation, and the value read or the whole file after the write.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/linux/system/ini_profile_store.h"
#include "temp_folder.h"

namespace somnara::platform {
namespace {

using somnara::testing::ReadBytes;
using somnara::testing::TempFolder;
using somnara::testing::WriteBytes;

enum class Op { kRead, kWrite, kRefusedWrite };

struct FileCase {
  const char* what;
  std::string file;
  Op op;
  std::string section, key;
  std::string value;     // the value written
  std::string expected;  // the value read ("<default>" when missing) or the file afterwards
};

// A file saved as "Unicode": a byte-order mark, then the text's code units.
std::string Utf16(std::u16string_view text, bool big_endian) {
  std::string bytes;
  for (char16_t unit : std::u16string(u"\uFEFF") + std::u16string(text)) {
    char high = char(unit >> 8), low = char(unit & 0xFF);
    bytes += big_endian ? high : low;
    bytes += big_endian ? low : high;
  }
  return bytes;
}
std::string Le(std::u16string_view text) {
  return Utf16(text, false);
}
std::string Be(std::u16string_view text) {
  return Utf16(text, true);
}

std::vector<FileCase> Cases() {
  const std::string quoted = "[Option]\r\nvol=\"45\"\r\nmusic='4'\r\nfout=\"\"\r\n";
  const std::string odd_quotes =
      "[Option]\r\na= \"45\" \r\nb=\" 45 \"\r\nc=\"\"45\"\"\r\nd=\"45'\r\ne=\"\r\n";
  const std::string brackets = "[Option]]\r\nvol=1\r\n[Option]\r\nvol=2\r\n[Other\r\nexe=3\r\n";
  const std::string utf16_option = "[Option]\r\nvol=45\r\n";
  return {
      {"double quotes", quoted, Op::kRead, "Option", "vol", "", "45"},
      {"single quotes", quoted, Op::kRead, "Option", "music", "", "4"},
      {"empty quotes", quoted, Op::kRead, "Option", "fout", "", ""},
      {"blanks outside quotes", odd_quotes, Op::kRead, "Option", "a", "", "45"},
      {"blanks inside quotes", odd_quotes, Op::kRead, "Option", "b", "", " 45 "},
      {"one pair of quotes only", odd_quotes, Op::kRead, "Option", "c", "", "\"45\""},
      {"quotes that differ", odd_quotes, Op::kRead, "Option", "d", "", "\"45'"},
      {"a lone quote", odd_quotes, Op::kRead, "Option", "e", "", "\""},
      {"quotes written unchanged", "[Option]\r\nvol=30\r\n", Op::kWrite, "Option", "vol", "'45'",
       "[Option]\r\nvol='45'\r\n"},

      {"CR line ends", "[Option]\rvol=45\rexe=2\r", Op::kRead, "Option", "exe", "", "2"},
      {"a CR ends a section line", "[Other]\rvol=1\r[Option]\rvol=45", Op::kRead, "Option", "vol",
       "", "45"},
      {"mixed line ends", "[Option]\nmusic=1\r\nvol=45\rexe=2\n", Op::kRead, "Option", "vol", "",
       "45"},
      {"CR file, replaced line", "[Option]\rvol=45\rexe=1\r", Op::kWrite, "Option", "vol", "60",
       "[Option]\rvol=60\rexe=1\r"},
      {"CR file, new key", "[Option]\rvol=45\r", Op::kWrite, "Option", "exe", "3",
       "[Option]\rvol=45\rexe=3\r"},
      {"CR file, new section", "[Other]\rx=1", Op::kWrite, "Option", "vol", "30",
       "[Other]\rx=1\r[Option]\rvol=30\r"},

      {"end-of-file byte after a value", "[Option]\r\nvol=45\x1A", Op::kRead, "Option", "vol", "",
       "45"},
      {"end-of-file byte after quotes", "[Option]\r\nvol=\"45\"\x1A", Op::kRead, "Option", "vol",
       "", "45"},
      {"end-of-file byte stays last", "[Option]\r\nvol=45\r\n\x1A", Op::kWrite, "Option", "exe",
       "3", "[Option]\r\nvol=45\r\nexe=3\r\n\x1A"},

      {"UTF-16 little-endian", Le(u"[Option]\r\nvol=45\r\n"), Op::kRead, "Option", "vol", "", "45"},
      {"UTF-16 big-endian, CR, quotes", Be(u"[Option]\rvol='45'\r"), Op::kRead, "Option", "vol", "",
       "45"},
      {"UTF-16 beyond ASCII", Le(u"[Option]\r\nvol=Gr\u00FC\u00DFe \U0001F319\r\n"), Op::kRead,
       "Option", "vol", "",
       "Gr\xC3\xBC\xC3\x9F"
       "e \xF0\x9F\x8C\x99"},
      {"UTF-16 little-endian, new key", Le(u"[Option]\r\nvol=45\r\n"), Op::kWrite, "Option", "exe",
       "3", Le(u"[Option]\r\nvol=45\r\nexe=3\r\n")},
      {"UTF-16 big-endian, replaced line", Be(u"[Option]\nvol=45\n"), Op::kWrite, "Option", "vol",
       "\xC3\xBC", Be(u"[Option]\nvol=\u00FC\n")},
      {"UTF-16 keeps a lone surrogate", Le(u"[Option]\r\nold=\xD800\r\n"), Op::kWrite, "Option",
       "vol", "1", Le(u"[Option]\r\nold=\xD800\r\nvol=1\r\n")},
      {"UTF-16 takes no broken UTF-8", Le(u"[Option]\r\nvol=45\r\n"), Op::kRefusedWrite, "Option",
       "vol", "\xFF", Le(u"[Option]\r\nvol=45\r\n")},

      {"a section name to the last bracket", brackets, Op::kRead, "Option]", "vol", "", "1"},
      {"the bracketed name is another section", brackets, Op::kRead, "Option", "vol", "", "2"},
      {"an unclosed bracket line is no header", brackets, Op::kRead, "Option", "exe", "", "3"},
      {"an unclosed header opens nothing", "[Option\r\nvol=1\r\n", Op::kRead, "Option", "vol", "",
       "<default>"},
      {"a section name with a bracket", "", Op::kWrite, "Opt]ion", "vol", "1",
       "[Opt]ion]\nvol=1\n"},
      {"a key under an unclosed bracket line", "[Option]\r\n[Other\r\nvol=1\r\n", Op::kWrite,
       "Option", "vol", "5", "[Option]\r\n[Other\r\nvol=5\r\n"},
  };
}

TEST(IniFileFormsTest, ReadsAndWritesFilesAsTheyAre) {
  TempFolder folder;
  const std::string path = folder.File("option.ini");
  IniProfileStore store;
  for (const FileCase& c : Cases()) {
    SCOPED_TRACE(c.what);
    WriteBytes(path, c.file);
    if (c.op == Op::kRead) {
      EXPECT_EQ(store.ReadString(c.section, c.key, "<default>", path), c.expected);
      continue;
    }
    ProfileWriteResult result = store.WriteString(c.section, c.key, c.value, path);
    EXPECT_EQ(result.ok, c.op == Op::kWrite);
    if (c.op == Op::kRefusedWrite) {
      EXPECT_EQ(result.error, EINVAL);
    }
    EXPECT_EQ(ReadBytes(path), c.expected);
  }
}

}  // namespace
}  // namespace somnara::platform
