// Conversion folders on Windows: a fresh folder under the work folder (which passes its owner-only
// access on to it), marked in use by "run.lock" held open without sharing. The system closes the
// handle when the process ends, however it ends, so a clean-up can then open the file and knows the
// folder is abandoned.
#ifdef _WIN32

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <cstdio>
#include <random>
#include <string>
#include <system_error>

#include "base/error.h"
#include "platform/platform.h"

namespace velkor::platform {

namespace {

constexpr wchar_t kPrefix[] = L"run-";
constexpr wchar_t kLockName[] = L"run.lock";
constexpr int kAttempts = 100;

Error RunFolderError(const std::filesystem::path& workFolder, DWORD code) {
  std::string why = std::system_category().message(static_cast<int>(code));
  while (!why.empty() && (why.back() == '\n' || why.back() == '\r' || why.back() == ' ' || why.back() == '.'))
    why.pop_back();
  return Error("Cannot make a conversion folder in " + PathToUtf8(workFolder) + ": " + why);
}

std::wstring RandomName() {
  static std::random_device device;
  wchar_t text[32];
  std::swprintf(text, 32, L"%ls%08x%08x", kPrefix, static_cast<unsigned>(device()), static_cast<unsigned>(device()));
  return text;
}

// Everything in the folder but its lock file, quietly; true when nothing else is left.
bool EmptyAllButLock(const std::filesystem::path& dir) {
  std::error_code ec;
  bool emptied = true;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    if (entry.path().filename() == kLockName) continue;
    std::error_code removal;
    std::filesystem::remove_all(entry.path(), removal);
    if (removal) emptied = false;
  }
  return !ec && emptied;
}

class HeldRunFolder : public RunFolder {
 public:
  HeldRunFolder(std::filesystem::path dir, HANDLE lock)
      : dir_(std::move(dir)), text_(PathToUtf8(dir_) + '\\'), lock_(lock) {}
  ~HeldRunFolder() override {
    const bool emptied = EmptyAllButLock(dir_);
    CloseHandle(lock_);
    if (!emptied) return;
    DeleteFileW((dir_ / kLockName).c_str());
    RemoveDirectoryW(dir_.c_str());
  }
  HeldRunFolder(const HeldRunFolder&) = delete;
  HeldRunFolder& operator=(const HeldRunFolder&) = delete;

  const std::string& path() const override { return text_; }

 private:
  std::filesystem::path dir_;
  std::string text_;
  HANDLE lock_;
};

}  // namespace

std::unique_ptr<RunFolder> CreateRunFolder(const std::filesystem::path& workFolder) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const std::filesystem::path dir = workFolder / RandomName();
    if (!CreateDirectoryW(dir.c_str(), nullptr)) {
      const DWORD code = GetLastError();
      if (code == ERROR_ALREADY_EXISTS) continue;
      throw RunFolderError(workFolder, code);
    }
    // Created and held in one step: nobody else can open it while this run lives.
    HANDLE lock = CreateFileW((dir / kLockName).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (lock != INVALID_HANDLE_VALUE) return std::make_unique<HeldRunFolder>(dir, lock);
    const DWORD code = GetLastError();
    // A clean-up took the folder away before the lock was in it.
    if (code == ERROR_PATH_NOT_FOUND || code == ERROR_FILE_NOT_FOUND) continue;
    RemoveDirectoryW(dir.c_str());
    throw RunFolderError(workFolder, code);
  }
  throw RunFolderError(workFolder, ERROR_ALREADY_EXISTS);
}

void RemoveAbandonedRunFolders(const std::filesystem::path& workFolder) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(workFolder, ec)) {
    const std::wstring name = entry.path().filename().wstring();
    std::error_code typeError;
    if (name.rfind(kPrefix, 0) != 0 || !entry.is_directory(typeError) || entry.is_symlink(typeError)) continue;
    const std::filesystem::path lock = entry.path() / kLockName;
    HANDLE held =
        CreateFileW(lock.c_str(), GENERIC_READ | DELETE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == INVALID_HANDLE_VALUE) {
      // A running conversion holds it (sharing violation), or the folder is still being made or was
      // abandoned at once: only an empty folder goes.
      const DWORD code = GetLastError();
      if (code == ERROR_FILE_NOT_FOUND) RemoveDirectoryW(entry.path().c_str());
      continue;
    }
    const bool emptied = EmptyAllButLock(entry.path());
    CloseHandle(held);
    if (!emptied) continue;
    DeleteFileW(lock.c_str());
    RemoveDirectoryW(entry.path().c_str());
  }
}

}  // namespace velkor::platform

#endif  // _WIN32
