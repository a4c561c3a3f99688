#pragma once

#include <string>

namespace somnara::platform {

// The first audio sink factory that can reach a sound server or device right now, or
// "fakesink" when none can. Needs GStreamer initialised.
std::string ProbeAudioSink();

}  // namespace somnara::platform
