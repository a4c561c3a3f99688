#pragma once

#include <filesystem>

#include "datagen/byte_writer.h"

namespace somnara::datagen {

// The spoken guidance of the focus step: a calm voice that asks the listener to look at the
// red circle, relax and breathe, over a soft low drone. The voice is spoken by espeak-ng,
// which must be on PATH; scratch_file is where it may leave its recording (removed again).
// Throws std::runtime_error when the voice cannot be made.
Bytes RenderGuidance(const std::filesystem::path& scratch_file);

}  // namespace somnara::datagen
