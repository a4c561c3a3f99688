#include "platform/linux/system/file_pages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace somnara::platform {

void ReleaseFilePages(const void* begin, std::size_t size) {
  const long page_size = sysconf(_SC_PAGESIZE);
  if (begin == nullptr || size == 0 || page_size <= 0) return;
  const auto page = std::uintptr_t(page_size);
  // Only whole pages: the parts of the first and last page outside the range may hold
  // other data that is in use.
  const std::uintptr_t first = (std::uintptr_t(begin) + page - 1) / page * page;
  const std::uintptr_t last = (std::uintptr_t(begin) + size) / page * page;
  if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED);
}

}  // namespace somnara::platform
