// The picture, the start-up tune and the help page in a freshly written program folder.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "tools/datagen/program_folder.h"
#include "framework/graphics/picture.h"

namespace somnara::testing {
namespace {

namespace fs = std::filesystem;

TEST_F(ProgramFolderTest, HoldsEveryDataFileAndNothingElse) {
  std::set<std::string> expected = {"pend.gif", "sound/start.mid", "help/help.html", kGuidanceFile};
  expected.insert(kNatureSoundFiles.begin(), kNatureSoundFiles.end());
  std::set<std::string> found;
  uintmax_t total = 0;
  for (const auto& entry : fs::recursive_directory_iterator(Folder())) {
    if (!entry.is_regular_file()) continue;
    found.insert(fs::relative(entry.path(), Folder()).generic_string());
    EXPECT_GT(entry.file_size(), 0u) << entry.path();
    total += entry.file_size();
  }
  EXPECT_EQ(found, expected) << "half-written or scratch files must not be left behind";
  EXPECT_LT(total, 15u << 20) << "the program folder should stay small";
}

// --- pend.gif -------------------------------------------------------------------------

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};

TEST_F(ProgramFolderTest, MoonPictureIsALoopingAnimatedGif) {
  int error = 0;
  std::unique_ptr<GifFileType, GifCloser> gif(DGifOpenFileName(File("pend.gif").c_str(), &error));
  ASSERT_TRUE(gif) << GifErrorString(error);
  ASSERT_EQ(DGifSlurp(gif.get()), GIF_OK) << GifErrorString(gif->Error);
  EXPECT_EQ(gif->SWidth, 64);
  EXPECT_EQ(gif->SHeight, 64);
  ASSERT_GE(gif->ImageCount, 4) << "a few frames make the animation";

  bool loops_forever = false;
  for (int i = 0; i < gif->ImageCount; ++i) {
    const SavedImage& frame = gif->SavedImages[i];
    EXPECT_EQ(frame.ImageDesc.Width, 64) << "frame " << i;
    EXPECT_EQ(frame.ImageDesc.Height, 64) << "frame " << i;
    GraphicsControlBlock control{};
    ASSERT_EQ(DGifSavedExtensionToGCB(gif.get(), i, &control), GIF_OK) << "frame " << i;
    EXPECT_GE(control.DelayTime, 5) << "frame " << i << " needs a delay in 1/100 s";
    for (int k = 0; k + 1 < frame.ExtensionBlockCount; ++k) {
      const ExtensionBlock& b = frame.ExtensionBlocks[k];
      const ExtensionBlock& next = frame.ExtensionBlocks[k + 1];
      if (b.Function == APPLICATION_EXT_FUNC_CODE && b.ByteCount == 11 &&
          std::memcmp(b.Bytes, "NETSCAPE2.0", 11) == 0 && next.ByteCount == 3 &&
          next.Bytes[0] == 1 && next.Bytes[1] == 0 && next.Bytes[2] == 0)
        loops_forever = true;
    }
    if (i > 0) {
      const SavedImage& before = gif->SavedImages[i - 1];
      EXPECT_NE(std::memcmp(frame.RasterBits, before.RasterBits, 64 * 64), 0)
          << "frame " << i << " repeats the one before";
    }
  }
  EXPECT_TRUE(loops_forever) << "no looping extension with a repeat count of 0";
}

TEST_F(ProgramFolderTest, MoonPictureShowsAnimatedInTheProgramsDecoder) {
  fw::Picture picture;
  picture.LoadFromFile(File("pend.gif").string());
  ASSERT_TRUE(picture.Animated());
  EXPECT_EQ(picture.Width(), 64);
  EXPECT_EQ(picture.Height(), 64);
  EXPECT_GE(picture.TotalDuration(), 1000) << "a calm pace, not a flicker";
  for (size_t i = 0; i < picture.FrameCount(); ++i) {
    const fw::Bitmap& bitmap = picture.Frame(i).bitmap;
    int opaque = 0, bright = 0;
    for (int p = 0; p < 64 * 64; ++p) {
      uint32_t c = bitmap.Pixels()[p];
      if ((c >> 24) == 0xFF) ++opaque;
      int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
      if ((r + g + b) / 3 > 180) ++bright;
    }
    EXPECT_EQ(opaque, 64 * 64) << "frame " << i << " has holes";
    EXPECT_GT(bright, 150) << "frame " << i << " shows no moon";
    EXPECT_LT(bright, 64 * 64 / 3) << "frame " << i << " is mostly bright, not a night sky";
  }
}

// --- sound/start.mid ------------------------------------------------------------------

struct MidiSummary {
  std::string error;
  double seconds = 0;
  int notes = 0;
  std::set<int> channels;
  int program_changes = 0;
  int hanging_notes = 0;
};

MidiSummary Broken(std::string why) {
  MidiSummary m;
  m.error = std::move(why);
  return m;
}

uint32_t Be(const std::vector<uint8_t>& b, size_t at, int width) {
  uint32_t v = 0;
  for (int i = 0; i < width; ++i) v = (v << 8) | b[at + size_t(i)];
  return v;
}

// Reads a format 0 Standard MIDI File strictly, event by event.
MidiSummary ReadMidi(const std::vector<uint8_t>& b) {
  MidiSummary m;
  if (b.size() < 22 || std::memcmp(b.data(), "MThd", 4) != 0) return Broken("no MThd header");
  if (Be(b, 4, 4) != 6) return Broken("header length is not 6");
  if (Be(b, 8, 2) != 0) return Broken("not format 0");
  if (Be(b, 10, 2) != 1) return Broken("format 0 has one track");
  uint32_t division = Be(b, 12, 2);
  if (division == 0 || (division & 0x8000)) return Broken("no ticks-per-quarter division");
  if (std::memcmp(b.data() + 14, "MTrk", 4) != 0) return Broken("no MTrk chunk");
  size_t end = 22 + Be(b, 18, 4);
  if (end != b.size()) return Broken("the track length does not match the file");

  size_t at = 22;
  uint8_t running = 0;
  double tempo = 500000;  // microseconds per quarter until a tempo event says otherwise
  double micros = 0;
  std::map<int, int> sounding;  // channel * 128 + key -> notes on
  bool ended = false;
  auto need = [&](size_t n) { return at + n <= end; };
  while (at < end) {
    if (ended) return Broken("events after the end of the track");
    uint32_t delta = 0;
    for (int i = 0;; ++i) {
      if (i == 4 || !need(1)) return Broken("bad delta time");
      uint8_t byte = b[at++];
      delta = (delta << 7) | (byte & 0x7F);
      if (!(byte & 0x80)) break;
    }
    micros += delta * tempo / division;
    if (!need(1)) return Broken("event cut off");
    uint8_t status = b[at];
    if (status & 0x80) {
      ++at;
    } else if (running) {
      status = running;
    } else {
      return Broken("data byte without a status");
    }
    if (status == 0xFF) {
      if (!need(2)) return Broken("meta event cut off");
      uint8_t type = b[at];
      uint8_t length = b[at + 1];  // all our meta events are short
      at += 2;
      if (!need(length)) return Broken("meta event cut off");
      if (type == 0x51) {
        if (length != 3) return Broken("bad tempo");
        tempo = Be(b, at, 3);
      }
      if (type == 0x2F) {
        if (length != 0) return Broken("bad end of track");
        ended = true;
      }
      at += length;
      running = 0;
      continue;
    }
    if (status == 0xF0 || status == 0xF7) return Broken("unexpected system exclusive");
    int kind = status >> 4, channel = status & 0x0F;
    int data = (kind == 0xC || kind == 0xD) ? 1 : 2;
    if (!need(size_t(data))) return Broken("channel event cut off");
    if (b[at] & 0x80 || (data == 2 && (b[at + 1] & 0x80))) return Broken("data byte above 127");
    int key = b[at], velocity = data == 2 ? b[at + 1] : 0;
    if (kind == 0x9 && velocity > 0) {
      ++m.notes;
      ++sounding[channel * 128 + key];
      m.channels.insert(channel);
    } else if (kind == 0x8 || kind == 0x9) {
      if (--sounding[channel * 128 + key] < 0) return Broken("a note ends that never began");
    } else if (kind == 0xC) {
      ++m.program_changes;
    }
    at += size_t(data);
    running = status;
  }
  if (!ended) return Broken("the track does not end with an end-of-track event");
  for (const auto& [note, count] : sounding) m.hanging_notes += count;
  m.seconds = micros / 1e6;
  return m;
}

TEST_F(ProgramFolderTest, StartTuneIsAShortCalmFormat0MidiFile) {
  MidiSummary tune = ReadMidi(ReadBytes(File("sound/start.mid")));
  ASSERT_EQ(tune.error, "");
  EXPECT_GE(tune.seconds, 8.0);
  EXPECT_LE(tune.seconds, 15.0);
  EXPECT_GE(tune.notes, 20) << "a melody with chords";
  EXPECT_GE(tune.channels.size(), 2u) << "melody and chords on their own instruments";
  EXPECT_GE(tune.program_changes, 2);
  EXPECT_EQ(tune.hanging_notes, 0) << "every note must end";
}

TEST(MidiReaderTest, RefusesBrokenFiles) {
  std::vector<uint8_t> good = {'M',  'T',  'h',  'd',  0,   0,   0, 6,    0,    0,  0, 1,
                               0x01, 0xE0, 'M',  'T',  'r', 'k', 0, 0,    0,    12, 0, 0x90,
                               60,   64,   0x60, 0x80, 60,  0,   0, 0xFF, 0x2F, 0};
  MidiSummary ok = ReadMidi(good);
  ASSERT_EQ(ok.error, "");
  EXPECT_NEAR(ok.seconds, 0.1, 1e-9);  // 96 ticks of 480 at 120 beats a minute

  std::vector<uint8_t> long_track = good;
  long_track[21] = 13;
  EXPECT_NE(ReadMidi(long_track).error, "");
  std::vector<uint8_t> no_end = good;
  no_end[32] = 0x01;  // a text event in place of the end of the track
  EXPECT_NE(ReadMidi(no_end).error, "");
  std::vector<uint8_t> hanging = good;
  hanging[27] = 0x90;
  hanging[29] = 0x40;  // the "off" is another "on"
  EXPECT_EQ(ReadMidi(hanging).hanging_notes, 2);
}

// --- help/help.html -------------------------------------------------------------------

std::string ReadText(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Checks that every element that is opened is closed in order; returns the first fault.
std::string CheckNesting(const std::string& html) {
  static const std::set<std::string> kVoid = {"meta", "br",    "hr",      "img",
                                              "link", "input", "!doctype"};
  std::vector<std::string> open;
  size_t at = 0;
  while ((at = html.find('<', at)) != std::string::npos) {
    size_t close = html.find('>', at);
    if (close == std::string::npos) return "a tag is not closed";
    std::string tag = html.substr(at + 1, close - at - 1);
    at = close + 1;
    if (tag.rfind("!--", 0) == 0) continue;
    bool ending = !tag.empty() && tag[0] == '/';
    std::string name = tag.substr(ending ? 1 : 0);
    name = name.substr(0, name.find_first_of(" \t\n/"));
    std::transform(name.begin(), name.end(), name.begin(), ::tolower);
    if (name.empty()) return "an empty tag";
    if (kVoid.count(name)) continue;
    if (!ending) {
      open.push_back(name);
      if (name == "style") {
        size_t end = html.find("</style>", at);
        if (end == std::string::npos) return "style is not closed";
        at = end;
      }
    } else {
      if (open.empty() || open.back() != name)
        return "</" + name + "> closes " + (open.empty() ? "nothing" : "<" + open.back() + ">");
      open.pop_back();
    }
  }
  return open.empty() ? "" : "<" + open.back() + "> is never closed";
}

TEST(HtmlNestingTest, FindsMisnestedAndUnclosedElements) {
  EXPECT_EQ(CheckNesting("<html><body><p>a<br>b</p></body></html>"), "");
  EXPECT_NE(CheckNesting("<html><body><p>a</body></p></html>"), "");
  EXPECT_NE(CheckNesting("<html><body><p>a</body></html>"), "");
  EXPECT_NE(CheckNesting("<html><body"), "");
}

TEST_F(ProgramFolderTest, HelpPageIsSelfContainedAndWellFormed) {
  std::string html = ReadText(File("help/help.html"));
  ASSERT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_EQ(CheckNesting(html), "");
  EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
  size_t title = html.find("<title>"), title_end = html.find("</title>");
  ASSERT_LT(title, title_end);
  EXPECT_NE(html.substr(title, title_end - title).find("Somnara"), std::string::npos);
  // Opened from the program folder, perhaps with no network: nothing may come from outside.
  for (const char* outside : {"http:", "https:", "src=", "url(", "@import", "<link", "<script"})
    EXPECT_EQ(html.find(outside), std::string::npos) << outside;
  // Every link inside the page leads somewhere.
  int links = 0;
  const std::string kLink = "href=\"#";
  for (size_t at = html.find(kLink); at != std::string::npos; at = html.find(kLink, at)) {
    at += kLink.size();
    std::string target = html.substr(at, html.find('"', at) - at);
    EXPECT_NE(html.find("id=\"" + target + "\""), std::string::npos) << target;
    ++links;
  }
  EXPECT_GE(links, 5) << "a table of contents";
}

TEST_F(ProgramFolderTest, HelpPageUsesTheProgramsOwnWords) {
  std::string html = ReadText(File("help/help.html"));
  for (const char* words : {"Start Somnara",
                            "Menu",
                            "Help Contents",
                            "Home Page",
                            "About...",
                            "Support Or Feedback",
                            "Exit",
                            "OK",
                            "Cancel",
                            "Next",
                            "Test Sound",
                            "Stop",
                            "Fading out effect",
                            "Natural sound",
                            "Natural sound(stereo)",
                            "Ocean wave",
                            "Seabird",
                            "Bicker",
                            "Drip",
                            "Bird",
                            "DoNothing",
                            "StandBy",
                            "Hibernate",
                            "ShutDown",
                            "ShutDown(force)",
                            "Somnara has been finished. Good night...",
                            "option.ini",
                            "[Option]",
                            "music=",
                            "vol=",
                            "fout=",
                            "exe=",
                            "volume="})
    EXPECT_NE(html.find(words), std::string::npos) << words;
  for (const char* step : {"Step 1", "Step 2", "Step 3", "Step 4", "Step 5"})
    EXPECT_NE(html.find(step), std::string::npos) << step;
}

}  // namespace
}  // namespace somnara::testing
