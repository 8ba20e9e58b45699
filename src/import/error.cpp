#include "import/error.h"

namespace velkor {

std::string NotAFloat(const std::string& text) { return "'" + text + "' is not a valid floating point value"; }
std::string NotAnInteger(const std::string& text) { return "'" + text + "' is not a valid integer value"; }
std::string IndexOutOfBounds(long index) { return "List index out of bounds (" + std::to_string(index) + ")"; }
std::string CannotOpen(const std::string& path) { return "Cannot open file " + path; }
std::string CannotCreate(const std::string& path) { return "Cannot create file " + path; }

}  // namespace velkor
