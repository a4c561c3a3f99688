#include "platform/media_device_table.h"

namespace somnara::platform {
namespace {

MediaResult Fail(MediaError error) {
  return MediaResult{static_cast<int>(error), {}};
}

bool KnownDeviceType(const std::string& type) {
  // The format is found from the file's content, so every sound device type plays alike.
  std::string t = AsciiLower(type);
  return t.empty() || t == "mpegvideo" || t == "waveaudio" || t == "sequencer";
}

}  // namespace

MediaResult MediaDeviceTable::SendCommand(const std::string& command) {
  for (auto& [alias, entry] : devices_) entry.device->Poll();
  MediaCommand parsed;
  if (MediaError e = ParseMediaCommand(command, &parsed); e != MediaError::kNone) return Fail(e);
  return Execute(parsed);
}

std::string MediaDeviceTable::ErrorText(int code) const {
  return MediaErrorText(code);
}

std::vector<std::string> MediaDeviceTable::OpenAliases() const {
  std::vector<std::string> aliases;
  for (const auto& [alias, entry] : devices_) aliases.push_back(alias);
  return aliases;
}

std::optional<std::string> MediaDeviceTable::OpenElement(const std::string& alias) const {
  auto it = devices_.find(AsciiLower(alias));
  if (it == devices_.end()) return std::nullopt;
  return it->second.element;
}

void MediaDeviceTable::CloseAllDevices() {
  devices_.clear();
}

MediaResult MediaDeviceTable::Execute(const MediaCommand& command) {
  if (command.verb == MediaVerb::kCloseAll) {
    devices_.clear();
    return {};
  }
  std::string key = AsciiLower(command.alias);
  auto it = devices_.find(key);
  if (command.verb == MediaVerb::kOpen) {
    if (it != devices_.end()) return Fail(MediaError::kAliasInUse);
    if (!KnownDeviceType(command.device_type)) return Fail(MediaError::kUnknownDeviceType);
    std::unique_ptr<MediaDevice> device;
    if (MediaError e = OpenDevice(command.element, &device); e != MediaError::kNone) return Fail(e);
    devices_.emplace(key, Entry{command.element, std::move(device), 1000});
    return {};
  }
  if (it == devices_.end()) return Fail(MediaError::kAliasNotOpen);
  Entry& entry = it->second;
  switch (command.verb) {
    case MediaVerb::kPlay:
      return Fail(entry.device->Play());
    case MediaVerb::kStop:
      return Fail(entry.device->Stop());
    case MediaVerb::kClose: {
      std::unique_ptr<MediaDevice> closed = std::move(entry.device);
      devices_.erase(it);
      DeviceClosed(std::move(closed));
      return {};
    }
    case MediaVerb::kSetVolume:
      if (MediaError e = entry.device->SetVolume(command.volume); e != MediaError::kNone) {
        return Fail(e);
      }
      entry.volume = command.volume;
      return {};
    case MediaVerb::kSetTimeFormat:
      // Milliseconds is the only format there is; the parser refused the others.
      return {};
    case MediaVerb::kStatus:
      return Status(entry, command.item);
    case MediaVerb::kOpen:
    case MediaVerb::kCloseAll:
      break;
  }
  return Fail(MediaError::kUnknownCommand);
}

MediaResult MediaDeviceTable::Status(Entry& entry, MediaStatusItem item) {
  switch (item) {
    case MediaStatusItem::kLength:
      return {0, std::to_string(entry.device->LengthMs())};
    case MediaStatusItem::kPosition:
      return {0, std::to_string(entry.device->PositionMs())};
    case MediaStatusItem::kVolume:
      return {0, std::to_string(entry.volume)};
    case MediaStatusItem::kMode:
      return {0, entry.device->Playing() ? "playing" : "stopped"};
  }
  return Fail(MediaError::kUnknownStatusItem);
}

}  // namespace somnara::platform
