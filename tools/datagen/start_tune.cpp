#include "datagen/start_tune.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace somnara::datagen {

namespace {

constexpr int kDivision = 480;  // ticks per quarter note
constexpr int kBeatsPerMinute = 84;
constexpr int kBar = 3 * kDivision;
constexpr int kMelody = 0;  // channel of the celesta
constexpr int kChords = 1;  // channel of the piano

struct Event {
  int tick;
  // Note-offs sort before note-ons at the same tick, so a repeated note is not cut.
  int order;
  Bytes bytes;
};

class TrackBuilder {
 public:
  void Add(int tick, int order, Bytes bytes) {
    events_.push_back(Event{tick, order, std::move(bytes)});
  }
  void Meta(int tick, uint8_t type, Bytes data) {
    Bytes b = {0xFF, type};
    PutVarLen(b, uint32_t(data.size()));
    b.insert(b.end(), data.begin(), data.end());
    Add(tick, 0, std::move(b));
  }
  void Note(int channel, int key, int velocity, int start, int length) {
    Add(start, 2, {uint8_t(0x90 | channel), uint8_t(key), uint8_t(velocity)});
    Add(start + length, 1, {uint8_t(0x80 | channel), uint8_t(key), 0x40});
  }
  Bytes Finish(int end_tick) {
    Meta(end_tick, 0x2F, {});
    std::stable_sort(events_.begin(), events_.end(), [](const Event& a, const Event& b) {
      return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    Bytes track;
    int now = 0;
    for (const Event& e : events_) {
      PutVarLen(track, uint32_t(e.tick - now));
      track.insert(track.end(), e.bytes.begin(), e.bytes.end());
      now = e.tick;
    }
    return track;
  }

  static void PutVarLen(Bytes& out, uint32_t value) {
    uint8_t groups[5];
    int n = 0;
    do {
      groups[n++] = uint8_t(value & 0x7F);
      value >>= 7;
    } while (value != 0);
    while (n > 1) out.push_back(uint8_t(groups[--n] | 0x80));
    out.push_back(groups[0]);
  }

 private:
  std::vector<Event> events_;
};

Bytes TextBytes(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

// MIDI key numbers.
enum Key : int {
  F2 = 41,
  A2 = 45,
  Bb2 = 46,
  C3 = 48,
  D3 = 50,
  F3 = 53,
  G3 = 55,
  A3 = 57,
  Bb3 = 58,
  C4 = 60,
  D4 = 62,
  E4 = 64,
  F4 = 65,
  G4 = 67,
  A4 = 69,
  Bb4 = 70,
  C5 = 72,
  D5 = 74,
};

}  // namespace

Bytes RenderStartTune() {
  TrackBuilder t;
  const uint32_t tempo = 60000000u / kBeatsPerMinute;  // microseconds per quarter note
  t.Meta(0, 0x03, TextBytes("Somnara lullaby"));
  t.Meta(0, 0x51, {uint8_t(tempo >> 16), uint8_t(tempo >> 8), uint8_t(tempo)});
  t.Meta(0, 0x58, {3, 2, 24, 8});         // 3/4
  t.Meta(0, 0x59, {0xFF, 0});             // one flat: F major
  t.Add(0, 0, {0xC0 | kMelody, 8});       // celesta
  t.Add(0, 0, {0xC0 | kChords, 0});       // acoustic grand piano
  t.Add(0, 0, {0xB0 | kChords, 7, 72});   // the chords stay under the melody
  t.Add(0, 0, {0xB0 | kMelody, 91, 70});  // some reverb on both
  t.Add(0, 0, {0xB0 | kChords, 91, 70});

  // Melody: (key, length in beats) per note, bar after bar.
  const int q = kDivision;
  struct Note {
    int key;
    int beats;
  };
  const std::vector<std::vector<Note>> melody = {
      {{A4, 2}, {C5, 1}},           {{D5, 1}, {C5, 1}, {Bb4, 1}}, {{A4, 2}, {F4, 1}},
      {{G4, 1}, {A4, 1}, {Bb4, 1}}, {{A4, 1}, {G4, 1}, {E4, 1}},  {{F4, 4}},
  };
  // Chords: the root low on the first beat, the other notes after it, all held to the bar's end.
  const std::vector<std::vector<int>> chords = {
      {F2, F3, A3, C4},  {Bb2, F3, Bb3, D4}, {F2, F3, A3, C4},
      {C3, G3, Bb3, E4}, {C3, G3, Bb3, E4},  {F2, C3, F3, A3},
  };

  int bar_start = 0;
  for (size_t bar = 0; bar < melody.size(); ++bar) {
    bool last = bar + 1 == melody.size();
    int at = bar_start;
    for (const Note& n : melody[bar]) {
      // Notes overlap a little for a smooth line; the last one rings out.
      int length = n.beats * q + (last ? 0 : q / 8);
      t.Note(kMelody, n.key, bar == 0 ? 62 : 70 - int(bar), at, length);
      at += n.beats * q;
    }
    const std::vector<int>& chord = chords[bar];
    int bar_length = last ? 4 * q : kBar;
    if (last) {
      for (int key : chord) t.Note(kChords, key, 40, bar_start, bar_length);
    } else {
      t.Note(kChords, chord[0], 46, bar_start, bar_length);
      t.Note(kChords, chord[1], 38, bar_start + q, bar_length - q);
      t.Note(kChords, chord[2], 36, bar_start + q + q / 2, bar_length - q - q / 2);
      t.Note(kChords, chord[3], 36, bar_start + 2 * q, bar_length - 2 * q);
    }
    bar_start += kBar;
  }
  // A beat of quiet after the last chord lets it fade.
  Bytes track = t.Finish(bar_start - kBar + 5 * q);

  Bytes file;
  PutText(file, "MThd");
  PutBe32(file, 6);
  PutBe16(file, 0);  // format 0: one track
  PutBe16(file, 1);
  PutBe16(file, kDivision);
  PutText(file, "MTrk");
  PutBe32(file, uint32_t(track.size()));
  file.insert(file.end(), track.begin(), track.end());
  return file;
}

}  // namespace somnara::datagen
