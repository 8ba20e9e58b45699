#include "import/error.h"

#include <cerrno>

namespace velkor {

std::string NotAFloat(const std::string& text) { return "'" + text + "' is not a valid floating point value"; }
std::string NotAnInteger(const std::string& text) { return "'" + text + "' is not a valid integer value"; }
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
  return "System error " + std::to_string(code.value());
}

}  // namespace velkor
