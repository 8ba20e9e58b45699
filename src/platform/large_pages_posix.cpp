// Large pages on Linux: transparent huge pages asked for per range. Where the system has no such
// advice (or refuses it) the buffer simply keeps its ordinary pages.
#ifndef _WIN32

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

#include "platform/platform.h"

namespace velkor::platform {

void AdviseLargePages(const void* data, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
  constexpr std::size_t kWorthIt = std::size_t{8} << 20;
  if (data == nullptr || bytes < kWorthIt) return;
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto start = (reinterpret_cast<std::uintptr_t>(data) + page - 1) / page * page;
  const auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) / page * page;
  if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
#else
  (void)data;
  (void)bytes;
#endif
}

}  // namespace velkor::platform

#endif
