#include "base/error.h"

#include <cerrno>

namespace velkor {

namespace {

constexpr size_t kQuotedCharacters = 80;

// Length of the UTF-8 sequence starting at `i`, or 0 when there is none.
size_t Utf8SequenceAt(const std::string& text, size_t i) {
  const auto c = static_cast<unsigned char>(text[i]);
  const size_t length = c < 0x80                 ? 1
                        : c >= 0xC2 && c <= 0xDF ? 2
                        : c >= 0xE0 && c <= 0xEF ? 3
                        : c >= 0xF0 && c <= 0xF4 ? 4
                                                 : 0;
  if (length == 0 || i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
  }
  return length;
}

bool IsUtf8(const std::string& text) {
  for (size_t i = 0, n; i < text.size(); i += n) {
    if ((n = Utf8SequenceAt(text, i)) == 0) return false;
  }
  return true;
}

}  // namespace

std::string QuotedText(const std::string& text) {
  // Report text is code page 1254, one byte a character; text that reads as UTF-8 is counted by its
  // characters, so that the cut never splits one.
  const bool utf8 = IsUtf8(text);
  std::string quoted;
  size_t characters = 0, i = 0;
  for (; i < text.size() && characters < kQuotedCharacters; ++characters) {
    const size_t length = utf8 ? Utf8SequenceAt(text, i) : 1;
    const auto c = static_cast<unsigned char>(text[i]);
    // A terminal or a message box must not act on bytes of the user's file.
    quoted += (c < 0x20 || c == 0x7F) ? std::string("?") : text.substr(i, length);
    i += length;
  }
  if (i < text.size()) quoted += utf8 ? "\xE2\x80\xA6" : "\x85";  // "…" in the text's own encoding
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
