#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/media_command.h"
#include "platform/media_device.h"
#include "platform/media_service.h"

namespace somnara::platform {

// The part of a media service that every backend shares: it parses the commands, keeps
// the devices by alias and answers the status queries. A backend only opens devices.
class MediaDeviceTable : public MediaService {
 public:
  MediaResult SendCommand(const std::string& command) override;
  std::string ErrorText(int code) const override;

  // Aliases of the open devices, in lower case.
  std::vector<std::string> OpenAliases() const;
  // The element an alias was opened with, or nothing when it is not open.
  std::optional<std::string> OpenElement(const std::string& alias) const;

 protected:
  // Opens element (as written in the command) for playback. On success *device is set.
  virtual MediaError OpenDevice(const std::string& element,
                                std::unique_ptr<MediaDevice>* device) = 0;
  // Closes every device; a backend's destructor calls it while its own members still live.
  void CloseAllDevices();
  // Hands over a device closed on its own (not by "close all"); it is released when the
  // backend lets it go.
  virtual void DeviceClosed(std::unique_ptr<MediaDevice> /*device*/) {}

 private:
  struct Entry {
    std::string element;
    std::unique_ptr<MediaDevice> device;
    int volume = 1000;
  };

  MediaResult Execute(const MediaCommand& command);
  MediaResult Status(Entry& entry, MediaStatusItem item);

  std::map<std::string, Entry> devices_;
};

}  // namespace somnara::platform
