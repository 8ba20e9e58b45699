// The one error type of the conversions: the message exactly as the user sees it in the error box,
// with the place it happened (file, line) kept apart so each front end can show it its own way.
#pragma once

#include <stdexcept>
#include <string>
#include <system_error>

namespace velkor {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message, std::string file = {}, long line = 0)
      : std::runtime_error(message), file_(std::move(file)), line_(line) {}

  std::string message() const { return what(); }
  const std::string& file() const { return file_; }
  long line() const { return line_; }  // 1-based; 0 when unknown

  // "ELEMAN.cks:214" or "ELEMAN.cks" or "" — the place for the line under the message.
  std::string where() const {
    if (file_.empty()) return line_ > 0 ? "line " + std::to_string(line_) : std::string();
    return line_ > 0 ? file_ + ":" + std::to_string(line_) : file_;
  }

  // Why the system refused a file operation ("Permission denied"); empty when it is not known. Shown
  // under the message, where the place goes.
  const std::string& reason() const { return reason_; }
  Error& because(std::string reason) {
    reason_ = std::move(reason);
    return *this;
  }

  // Adds the place unless an inner step already named a more precise one.
  Error& at(const std::string& file, long line = 0) {
    if (file_.empty()) {
      file_ = file;
      line_ = line;
    } else if (line_ == 0 && file_ == file) {
      line_ = line;
    }
    return *this;
  }

 private:
  std::string file_;
  long line_ = 0;
  std::string reason_;
};

// The system's reason in the words every system uses for it ("No such file or directory"), from an
// errno value or an error code of the file system library.
std::string SystemReason(int errnoValue);
std::string SystemReason(const std::error_code& code);

// Text of the user's file (code page 1254) as a message quotes it, in UTF-8 like every message:
// control characters shown as "?" and anything past 80 characters cut off and replaced by "…".
std::string QuotedText(const std::string& text);

// The messages that several parts of the program raise, worded as users know them.
std::string NotAFloat(const std::string& text);     // "'%s' is not a valid floating point value"
std::string NotAnInteger(const std::string& text);  // "'%s' is not a valid integer value"
std::string IndexOutOfBounds(long index);           // "List index out of bounds (%d)"
std::string CannotOpen(const std::string& path);    // "Cannot open file %s"
// "Cannot open file %s" with the reason the system or the program gives on the line under it.
std::string CannotCreate(const std::string& path);  // "Cannot create file %s"
inline constexpr const char* kInvalidFloatOperation = "Invalid floating point operation";

}  // namespace velkor
