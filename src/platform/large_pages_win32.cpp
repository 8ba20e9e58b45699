// Large pages on Windows need a privilege ordinary users lack, so buffers keep their ordinary pages.
#ifdef _WIN32

#include "platform/platform.h"

namespace velkor::platform {

void AdviseLargePages(const void*, std::size_t) {}

}  // namespace velkor::platform

#endif
