#pragma once

#include <cstddef>

namespace somnara::platform {

// Gives up this process's hold on the whole pages within [begin, begin + size) of a
// read-only mapping of a file. The data must never have been written: a page that is read
// again comes back from the file.
void ReleaseFilePages(const void* begin, std::size_t size);

}  // namespace somnara::platform
