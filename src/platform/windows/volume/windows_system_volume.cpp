#include "platform/windows/volume/windows_system_volume.h"

#include <windows.h>
// After windows.h, which they need.
#include <endpointvolume.h>
#include <mmdeviceapi.h>
#include <mmsystem.h>

#include <algorithm>
#include <cmath>

namespace somnara::platform {
namespace {

template <typename T>
void Release(T*& object) {
  if (object != nullptr) object->Release();
  object = nullptr;
}

// The endpoint volume of the default output, for the length of one call.
class Endpoint {
 public:
  Endpoint() {
    com_ = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    IMMDeviceEnumerator* devices = nullptr;
    IMMDevice* device = nullptr;
    if (SUCCEEDED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                                   __uuidof(IMMDeviceEnumerator),
                                   reinterpret_cast<void**>(&devices))) &&
        SUCCEEDED(devices->GetDefaultAudioEndpoint(eRender, eConsole, &device))) {
      if (FAILED(device->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_ALL, nullptr,
                                  reinterpret_cast<void**>(&volume_)))) {
        volume_ = nullptr;
      }
    }
    Release(device);
    Release(devices);
    if (volume_ == nullptr) return;
    // An endpoint without control of its channels still has its master level.
    UINT count = 0;
    float level = 0;
    if (SUCCEEDED(volume_->GetChannelCount(&count)) && count > 0 &&
        SUCCEEDED(volume_->GetChannelVolumeLevelScalar(0, &level))) {
      channels_ = count;
    } else if (FAILED(volume_->GetMasterVolumeLevelScalar(&level))) {
      Release(volume_);
    }
  }
  Endpoint(const Endpoint&) = delete;
  Endpoint& operator=(const Endpoint&) = delete;
  ~Endpoint() {
    Release(volume_);
    if (SUCCEEDED(com_)) CoUninitialize();
  }

  bool ready() const { return volume_ != nullptr; }

  bool Get(uint32_t* value) {
    float left = 0, right = 0;
    if (channels_ == 0) {
      if (FAILED(volume_->GetMasterVolumeLevelScalar(&left))) return false;
      const uint16_t level = WindowsSystemVolume::ScalarToLevel(left);
      *value = SystemVolume::Pack(level, level);
      return true;
    }
    if (FAILED(volume_->GetChannelVolumeLevelScalar(0, &left))) return false;
    right = left;
    if (channels_ > 1 && FAILED(volume_->GetChannelVolumeLevelScalar(1, &right))) return false;
    *value = SystemVolume::Pack(WindowsSystemVolume::ScalarToLevel(left),
                                WindowsSystemVolume::ScalarToLevel(right));
    return true;
  }

  bool Set(uint32_t value) {
    const uint16_t left = SystemVolume::Left(value), right = SystemVolume::Right(value);
    const uint16_t louder = std::max(left, right);
    if (channels_ == 0) {
      return SUCCEEDED(
          volume_->SetMasterVolumeLevelScalar(WindowsSystemVolume::LevelToScalar(louder), nullptr));
    }
    for (UINT channel = 0; channel < channels_; ++channel) {
      const uint16_t level = channels_ == 1 ? louder
                             : channel == 0 ? left
                             : channel == 1 ? right
                                            : louder;
      if (FAILED(volume_->SetChannelVolumeLevelScalar(
              channel, WindowsSystemVolume::LevelToScalar(level), nullptr))) {
        return false;
      }
    }
    return true;
  }

 private:
  HRESULT com_ = E_FAIL;
  IAudioEndpointVolume* volume_ = nullptr;
  // 0: the master level alone.
  UINT channels_ = 0;
};

// The first wave-out device's volume, where no endpoint answers.
bool WaveOutGet(uint32_t* value) {
  DWORD volume = 0;
  if (waveOutGetVolume(reinterpret_cast<HWAVEOUT>(UINT_PTR(0)), &volume) != MMSYSERR_NOERROR) {
    return false;
  }
  *value = volume;
  return true;
}

bool WaveOutSet(uint32_t value) {
  return waveOutSetVolume(reinterpret_cast<HWAVEOUT>(UINT_PTR(0)), value) == MMSYSERR_NOERROR;
}

}  // namespace

uint16_t WindowsSystemVolume::ScalarToLevel(float scalar) {
  if (!(scalar > 0.0f)) return 0;
  if (scalar >= 1.0f) return 65535;
  return uint16_t(std::lround(double(scalar) * 65535.0));
}

bool WindowsSystemVolume::GetVolume(uint32_t* value) {
  uint32_t seen = 0;
  Endpoint endpoint;
  if (!(endpoint.ready() ? endpoint.Get(&seen) : WaveOutGet(&seen))) return false;
  *value = have_written_ && seen == written_seen_ ? written_ : seen;
  return true;
}

bool WindowsSystemVolume::SetVolume(uint32_t value) {
  have_written_ = false;
  Endpoint endpoint;
  const bool set = endpoint.ready() ? endpoint.Set(value) : WaveOutSet(value);
  if (!set) return false;
  uint32_t seen = 0;
  if (endpoint.ready() ? endpoint.Get(&seen) : WaveOutGet(&seen)) {
    have_written_ = true;
    written_ = value;
    written_seen_ = seen;
  }
  return true;
}

bool WindowsSystemVolume::PlayFeedback() {
  // Returns at once; the system plays the sound on its own.
  return MessageBeep(MB_OK) != FALSE;
}

}  // namespace somnara::platform
