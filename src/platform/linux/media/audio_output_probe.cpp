#include "platform/linux/media/audio_output_probe.h"

#include <gst/gst.h>

namespace somnara::platform {

std::string ProbeAudioSink() {
  // A sink connects to its server or opens its device on the way to READY, so this
  // answers at once whether sound can go out, without the automatic sink's search.
  for (const char* factory : {"pulsesink", "alsasink"}) {
    GstElement* sink = gst_element_factory_make(factory, nullptr);
    if (sink == nullptr) continue;
    gst_object_ref_sink(sink);
    bool works = gst_element_set_state(sink, GST_STATE_READY) == GST_STATE_CHANGE_SUCCESS;
    gst_element_set_state(sink, GST_STATE_NULL);
    gst_object_unref(sink);
    if (works) return factory;
  }
  return "fakesink";
}

}  // namespace somnara::platform
