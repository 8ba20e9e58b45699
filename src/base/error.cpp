#include "base/error.h"

#include <cerrno>

#include "base/text_encoding.h"

namespace velkor {

namespace {

constexpr size_t kQuotedCharacters = 80;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

std::string QuotedText(const std::string& text) {
  // The user's files are code page 1254, one byte a character; the message is UTF-8 from here on.
  const std::string utf8 = Cp1254ToUtf8(text);
  std::string quoted;
  size_t characters = 0, i = 0;
  for (; i < utf8.size() && characters < kQuotedCharacters; ++characters) {
    size_t length = 1;
    while (i + length < utf8.size() && IsContinuation(static_cast<unsigned char>(utf8[i + length]))) ++length;
    const auto c = static_cast<unsigned char>(utf8[i]);
    // A terminal or a message box must not act on bytes of the user's file.
    quoted += (c < 0x20 || c == 0x7F) ? std::string("?") : utf8.substr(i, length);
    i += length;
  }
  if (i < utf8.size()) quoted += "\xE2\x80\xA6";  // "…"
  return quoted;
}

std::string NotAFloat(const std::string& text) {
  return "'" + QuotedText(text) + "' is not a valid floating point value";
}
std::string NotAnInteger(const std::string& text) { return "'" + QuotedText(text) + "' is not a valid integer value"; }
std::string IndexOutOfBounds(long index) { return "List index out of bounds (" + std::to_string(index) + ")"; }
std::string CannotOpen(const std::string& path) { return "Cannot open file " + path; }
std::string CannotCreate(const std::string& path) { return "Cannot create file " + path; }

// The system's own texts follow the user's language and differ between systems; these read the same
// wherever the program runs, like the rest of its messages.
std::string SystemReason(int errnoValue) {
  switch (errnoValue) {
    case 0:
      return {};
    case ENOENT:
      return "No such file or directory";
    case EACCES:
      return "Permission denied";
    case EPERM:
      return "Operation not permitted";
    case EEXIST:
      return "File exists";
    case ENOTDIR:
      return "Not a directory";
    case EISDIR:
      return "Is a directory";
    case ENOTEMPTY:
      return "Directory not empty";
    case ENOSPC:
      return "No space left on device";
    case EROFS:
      return "Read-only file system";
    case EBUSY:
      return "Device or resource busy";
    case EMFILE:
      return "Too many open files";
    case ENAMETOOLONG:
      return "File name too long";
    case EFBIG:
      return "File too large";
    case EIO:
      return "Input/output error";
    case EINVAL:
      return "Invalid argument";
    case ELOOP:
      return "Too many levels of symbolic links";
    case ENXIO:
      return "No such device or address";
    default:
      return "System error " + std::to_string(errnoValue);
  }
}

// Windows reports its own codes; their portable meaning is what the reason says.
std::string SystemReason(const std::error_code& code) {
  if (!code) return {};
  const std::error_condition portable = code.default_error_condition();
  if (portable.category() == std::generic_category()) return SystemReason(portable.value());
  std::string text = code.message();
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
    text.pop_back();
  return text.empty() ? "System error " + std::to_string(code.value()) : text;
}

}  // namespace velkor
