#include "platform/platform.h"

namespace somnara::platform {
namespace {
Services g_services;
}

Services& Current() { return g_services; }
void Install(const Services& services) { g_services = services; }

}  // namespace somnara::platform
