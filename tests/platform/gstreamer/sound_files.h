#pragma once

#include <string>

namespace somnara::testing {

// Small sound files for the tests, made on the spot.

// 16-bit mono PCM at 44.1 kHz: a sine of the given frequency, or silence at 0 Hz.
void WriteWav(const std::string& path, int duration_ms, double frequency_hz = 440.0,
              double amplitude = 0.5);

// A standard MIDI file (format 0) of piano notes, 250 ms each: two of them by default,
// 500 ms in all.
void WriteMidi(const std::string& path, int notes = 2);
inline constexpr int kMidiLengthMs = 500;

// Encodes a sine of duration_ms at 44.1 kHz with the given GStreamer encoder pipeline
// tail, for example "vorbisenc ! oggmux" or "lamemp3enc". False when gst-launch-1.0 failed.
bool EncodeTone(const std::string& path, int duration_ms, const std::string& encoder,
                int channels = 1);

void WriteText(const std::string& path, const std::string& text);

}  // namespace somnara::testing
