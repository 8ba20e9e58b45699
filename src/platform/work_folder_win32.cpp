// The work folder and report copies on Windows: a folder of the user's own under the system's
// temporary folder, readable by nobody else, and file copies through the system's copy routine.
#ifdef _WIN32

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
// These need the declarations of windows.h first.
#include <aclapi.h>
#include <sddl.h>

#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "base/error.h"
#include "platform/platform.h"

namespace velkor::platform {
namespace {

// The folder under the temporary folder; the temporary folder itself is shared by every program.
constexpr wchar_t kFolderName[] = L"Velkor";

struct HandleCloser {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

struct LocalFreer {
  void operator()(void* p) const { LocalFree(p); }
};

// Worded as on Linux, so the user reads the same message whichever system refuses the folder.
Error FolderError(const std::filesystem::path& dir, const std::string& why) {
  return Error("Cannot use work folder " + PathToUtf8(dir) + ": " + why);
}

std::string SystemMessage(DWORD code) {
  std::string text = std::system_category().message(static_cast<int>(code));
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
    text.pop_back();
  return text;
}

// The process token's information of one class (the user, or the default owner of new objects).
std::vector<unsigned char> TokenInfo(TOKEN_INFORMATION_CLASS kind) {
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return {};
  Handle token(raw);
  DWORD size = 0;
  GetTokenInformation(raw, kind, nullptr, 0, &size);
  std::vector<unsigned char> info(size);
  if (size == 0 || !GetTokenInformation(raw, kind, info.data(), size, &size)) return {};
  return info;
}

PSID UserSid(std::vector<unsigned char>& info) {
  return info.empty() ? nullptr : reinterpret_cast<TOKEN_USER*>(info.data())->User.Sid;
}

PSID DefaultOwnerSid(std::vector<unsigned char>& info) {
  return info.empty() ? nullptr : reinterpret_cast<TOKEN_OWNER*>(info.data())->Owner;
}

// Full access for the user alone, inherited by everything made inside: what mode 0700 is elsewhere.
bool CreateOwnerOnlyFolder(const std::filesystem::path& dir) {
  auto userInfo = TokenInfo(TokenUser);
  PSID user = UserSid(userInfo);
  LPWSTR sidText = nullptr;
  if (user == nullptr || !ConvertSidToStringSidW(user, &sidText)) return false;
  std::unique_ptr<void, LocalFreer> sidHolder(sidText);
  std::wstring sddl = L"D:P(A;OICI;FA;;;" + std::wstring(sidText) + L")";
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor, nullptr))
    return false;
  std::unique_ptr<void, LocalFreer> descriptorHolder(descriptor);
  SECURITY_ATTRIBUTES attributes{sizeof(SECURITY_ATTRIBUTES), descriptor, FALSE};
  return CreateDirectoryW(dir.c_str(), &attributes) != 0 || GetLastError() == ERROR_ALREADY_EXISTS;
}

// The folder must belong to this user: either the user's own account or, in an elevated process,
// the group the system makes owner of everything that process creates.
bool OwnedByThisUser(const std::filesystem::path& dir) {
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(dir.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr,
                            &descriptor) != ERROR_SUCCESS)
    return false;
  std::unique_ptr<void, LocalFreer> holder(descriptor);
  auto userInfo = TokenInfo(TokenUser);
  auto ownerInfo = TokenInfo(TokenOwner);
  PSID user = UserSid(userInfo);
  PSID defaultOwner = DefaultOwnerSid(ownerInfo);
  return owner != nullptr &&
         ((user != nullptr && EqualSid(owner, user)) || (defaultOwner != nullptr && EqualSid(owner, defaultOwner)));
}

// True when the folder's access list lets in anyone but this user, the system and the
// administrators (who can read every file anyway): what group and other bits are elsewhere.
bool OthersHaveAccess(const std::filesystem::path& dir) {
  PACL acl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(dir.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &acl, nullptr,
                            &descriptor) != ERROR_SUCCESS)
    return true;
  std::unique_ptr<void, LocalFreer> holder(descriptor);
  if (acl == nullptr) return true;  // no list at all: everyone has every right
  auto userInfo = TokenInfo(TokenUser);
  auto ownerInfo = TokenInfo(TokenOwner);
  PSID user = UserSid(userInfo);
  PSID defaultOwner = DefaultOwnerSid(ownerInfo);
  for (DWORD i = 0; i < acl->AceCount; ++i) {
    void* ace = nullptr;
    if (!GetAce(acl, i, &ace)) return true;
    auto* header = static_cast<ACE_HEADER*>(ace);
    if (header->AceType != ACCESS_ALLOWED_ACE_TYPE) continue;
    PSID sid = &static_cast<ACCESS_ALLOWED_ACE*>(ace)->SidStart;
    const bool trusted = (user != nullptr && EqualSid(sid, user)) ||
                         (defaultOwner != nullptr && EqualSid(sid, defaultOwner)) ||
                         IsWellKnownSid(sid, WinLocalSystemSid) || IsWellKnownSid(sid, WinBuiltinAdministratorsSid) ||
                         IsWellKnownSid(sid, WinCreatorOwnerSid);
    if (!trusted) return true;
  }
  return false;
}

// `refuseShared`: a folder the user names is used only if it is private already; it is never changed.
void CheckPrivateFolder(const std::filesystem::path& dir, bool refuseShared) {
  DWORD attributes = GetFileAttributesW(dir.c_str());
  bool made = false;
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    if (!CreateOwnerOnlyFolder(dir)) throw FolderError(dir, SystemMessage(GetLastError()));
    attributes = GetFileAttributesW(dir.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) throw FolderError(dir, SystemMessage(GetLastError()));
    made = true;
  }
  // A junction or symbolic link could lead the program's files anywhere another user chose.
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) throw FolderError(dir, "it is a symbolic link");
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) throw FolderError(dir, "it is not a folder");
  if (!OwnedByThisUser(dir)) throw FolderError(dir, "it belongs to another user");
  if (refuseShared && !made && OthersHaveAccess(dir)) throw FolderError(dir, "other users have access to it");
}

}  // namespace

void EnsurePrivateFolder(const std::filesystem::path& dir) { CheckPrivateFolder(dir, true); }

std::string PrivateWorkFolder() {
  // The wide form, so that a user folder with letters outside the system's code page still works.
  wchar_t buffer[MAX_PATH + 1];
  DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
  if (length == 0 || length > MAX_PATH) throw Error("Cannot find the temporary folder");
  std::wstring temp(buffer, length);
  if (temp.back() != L'\\' && temp.back() != L'/') temp += L'\\';
  std::filesystem::path dir(temp + kFolderName);
  CheckPrivateFolder(dir, false);
  return PathToUtf8(dir) + '\\';
}

void CopyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
  // Tell a missing or locked source from an unwritable target: the user needs to know which one.
  Handle source(CreateFileW(from.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (source.get() == INVALID_HANDLE_VALUE) {
    source.release();
    throw Error(CannotOpen(PathToUtf8(from)));
  }
  source.reset();
  // The system refuses to copy a file onto itself; the bytes are already where they should be.
  std::error_code ec;
  if (std::filesystem::equivalent(from, to, ec)) return;
  if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) throw Error(CannotCreate(PathToUtf8(to)));
}

}  // namespace velkor::platform

#endif  // _WIN32
