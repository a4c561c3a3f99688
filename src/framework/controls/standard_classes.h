#pragma once

namespace somnara::fw {

// Registers every class of the framework that window descriptions create by name (forms,
// timers and the standard controls), so that all are known before the first description
// is loaded.
void RegisterStandardClasses();

}  // namespace somnara::fw
