#pragma once

// The desktop's API as the backend's sources include it: without the min and max macros,
// and without the CreateWindow macro, which would rename WindowSystem::CreateWindow.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#undef CreateWindow
