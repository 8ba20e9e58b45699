// The single-instance mark on Windows: a small named mapping of the paging file, which the system
// removes with the last process holding it, however that process ends.
#ifdef _WIN32

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "base/error.h"
#include "platform/platform.h"

namespace velkor::platform {
namespace {

constexpr DWORD kMarkSize = 32;

class MappingMark : public SingleInstance {
 public:
  MappingMark(HANDLE mapping, bool existed) : mapping_(mapping), existed_(existed) {}
  ~MappingMark() override {
    if (mapping_ != nullptr) CloseHandle(mapping_);
  }
  MappingMark(const MappingMark&) = delete;
  MappingMark& operator=(const MappingMark&) = delete;

  bool AlreadyRunning() const override { return existed_; }

 private:
  HANDLE mapping_;
  bool existed_;
};

}  // namespace

std::unique_ptr<SingleInstance> ClaimSingleInstance(const std::string& name, const std::string& /*workFolder*/) {
  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READONLY, 0, kMarkSize, name.c_str());
  // Read at once: anything in between may change the last error.
  DWORD error = GetLastError();
  if (mapping == nullptr) throw Error("Error memory allocation.");
  if (error == ERROR_ALREADY_EXISTS) {
    // A copy that found the mark is on its way out and must not keep the mark alive for others.
    CloseHandle(mapping);
    return std::make_unique<MappingMark>(nullptr, true);
  }
  return std::make_unique<MappingMark>(mapping, false);
}

}  // namespace velkor::platform

#endif  // _WIN32
