#include "import/error.h"

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
std::string CannotOpen(const std::string& path, const std::string& reason) { return CannotOpen(path) + "\n" + reason; }
std::string CannotCreate(const std::string& path) { return "Cannot create file " + path; }

}  // namespace velkor
