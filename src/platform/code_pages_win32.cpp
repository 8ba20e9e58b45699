// Code page 1254 and path text on Windows: the system's own conversion tables, with the gaps of
// code page 1254 and anything it cannot hold turned into '?' exactly as on Linux.
#ifdef _WIN32

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <string>

#include "platform/platform.h"

namespace velkor::platform {
namespace {

constexpr UINT kTurkishCodePage = 1254;

// Bytes code page 1254 leaves undefined. Windows passes them through as C1 controls; Linux refuses
// them, so both systems agree on '?' only if they are replaced before the conversion.
bool UndefinedIn1254(unsigned char byte) {
  switch (byte) {
    case 0x81:
    case 0x8D:
    case 0x8E:
    case 0x8F:
    case 0x90:
    case 0x9D:
    case 0x9E:
      return true;
    default:
      return false;
  }
}

std::wstring Widen(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return {};
  int size = static_cast<int>(bytes.size());
  int wide = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  std::wstring out(static_cast<size_t>(wide), L'\0');
  if (wide > 0) MultiByteToWideChar(codePage, 0, bytes.data(), size, out.data(), wide);
  return out;
}

std::string Narrow(UINT codePage, std::wstring_view text) {
  if (text.empty()) return {};
  // Best-fit mapping would turn letters into look-alikes ("ă" into "a"); the user's text must not change
  // silently, so anything code page 1254 cannot hold becomes the default character '?'.
  DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const char* fallback = codePage == CP_UTF8 ? nullptr : "?";
  int size = static_cast<int>(text.size());
  int bytes = WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, fallback, nullptr);
  std::string out(static_cast<size_t>(bytes), '\0');
  if (bytes > 0) WideCharToMultiByte(codePage, flags, text.data(), size, out.data(), bytes, fallback, nullptr);
  return out;
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::string Cp1254ToUtf8(std::string_view bytes) {
  std::string defined(bytes);
  for (char& c : defined)
    if (UndefinedIn1254(static_cast<unsigned char>(c))) c = '?';
  return Narrow(CP_UTF8, Widen(kTurkishCodePage, defined));
}

std::string Utf8ToCp1254(std::string_view utf8) {
  std::wstring wide = Widen(CP_UTF8, utf8);
  // A character beyond the 16-bit range takes two UTF-16 units; it is still one '?', not two.
  std::wstring single;
  single.reserve(wide.size());
  for (size_t i = 0; i < wide.size(); ++i) {
    if (IsHighSurrogate(wide[i]) && i + 1 < wide.size() && IsLowSurrogate(wide[i + 1])) {
      single += L'?';
      ++i;
    } else {
      single += wide[i];
    }
  }
  return Narrow(kTurkishCodePage, single);
}

std::filesystem::path PathFromUtf8(const std::string& utf8) { return std::filesystem::path(Widen(CP_UTF8, utf8)); }

std::string PathToUtf8(const std::filesystem::path& path) { return Narrow(CP_UTF8, path.native()); }

}  // namespace velkor::platform

#endif  // _WIN32
