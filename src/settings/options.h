#pragma once

#include <cstdint>

namespace somnara::settings {

// The routine's settings file, and its one section.
inline constexpr char kSettingsFileName[] = "option.ini";
inline constexpr char kOptionSection[] = "Option";

// An entry of section "Option": its key, and what reading it gives when the entry is
// missing or does not hold a value of its type.
template <typename T>
struct Option {
  const char* key;
  T fallback;
};
using TextOption = Option<const char*>;
using NumberOption = Option<int32_t>;
using SwitchOption = Option<bool>;

// The night's sound, as an index into the sound catalogue.
inline constexpr NumberOption kMusic{"music", 0};
// The volume track bar's last position: kept for the record and never read back, so its
// fallback is never used.
inline constexpr NumberOption kVolume{"volume", 0};
// The play time in minutes, kept as typed; the sleep window makes sense of it.
inline constexpr TextOption kPlayMinutes{"vol", "25"};
// The same entry as the wizard proposes it when nothing is stored: a longer night than the
// sleep window assumes for a missing entry.
inline constexpr TextOption kProposedPlayMinutes{"vol", "30"};
// Whether the sound fades out over the last hundred seconds.
inline constexpr SwitchOption kFadeOut{"fout", true};
// The command after the play time: 0 "DoNothing" .. 4 "ShutDown(force)".
inline constexpr NumberOption kFinishCommand{"exe", 3};

}  // namespace somnara::settings
