#pragma once

#include <string>

namespace somnara::sound {

// Every sound of the program plays on one device under this alias, opened with this type.
inline constexpr char kSoundAlias[] = "dd";
inline constexpr char kSoundDeviceType[] = "MPEGVideo";

// The sound channel: each operation sends one command text to the media service in force
// (platform::Current().media). Text results are "ok" or the service's error text; number
// results are the service's answer, or -1 when it reported an error. Calls come from the
// UI thread only.

std::string MediaOpen(const std::string& alias, const std::string& file_path,
                      const std::string& device_type);
std::string MediaPlay(const std::string& alias);
std::string MediaStop(const std::string& alias);
std::string MediaClose(const std::string& alias);
std::string MediaCloseAll();
// level 0 to 100; outside that range nothing is sent and "音量设置超出范围" comes back.
std::string MediaSetVolume(const std::string& alias, int level);

// The number results raise fw::ConvertError when the answer is not a whole number.
// 0 to 100.
int MediaGetVolume(const std::string& alias);
// Milliseconds; switches the device's time format to milliseconds first.
int MediaLength(const std::string& alias);
// In the device's current time format.
int MediaPosition(const std::string& alias);

// The blank-free short form of an existing file's path with A to Z in lower case, or
// "错误" when there is none.
std::string MediaShortPath(const std::string& path);

}  // namespace somnara::sound
