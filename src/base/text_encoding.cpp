#include "base/text_encoding.h"

#include <cstdint>
#include <type_traits>

namespace velkor {
namespace {

constexpr char32_t kUndefined = 0;
constexpr char32_t kReplacement = 0xFFFD;

// Code page 1254 from 0x80 on: Windows' Latin-1 variant with the six Turkish letters in place of
// Icelandic ones.
constexpr char32_t kUpperHalf[128] = {
    0x20AC,     kUndefined, 0x201A, 0x0192, 0x201E, 0x2026,     0x2020,     0x2021,  // 80
    0x02C6,     0x2030,     0x0160, 0x2039, 0x0152, kUndefined, kUndefined, kUndefined,
    kUndefined, 0x2018,     0x2019, 0x201C, 0x201D, 0x2022,     0x2013,     0x2014,  // 90
    0x02DC,     0x2122,     0x0161, 0x203A, 0x0153, kUndefined, kUndefined, 0x0178,
    0x00A0,     0x00A1,     0x00A2, 0x00A3, 0x00A4, 0x00A5,     0x00A6,     0x00A7,  // A0
    0x00A8,     0x00A9,     0x00AA, 0x00AB, 0x00AC, 0x00AD,     0x00AE,     0x00AF,
    0x00B0,     0x00B1,     0x00B2, 0x00B3, 0x00B4, 0x00B5,     0x00B6,     0x00B7,  // B0
    0x00B8,     0x00B9,     0x00BA, 0x00BB, 0x00BC, 0x00BD,     0x00BE,     0x00BF,
    0x00C0,     0x00C1,     0x00C2, 0x00C3, 0x00C4, 0x00C5,     0x00C6,     0x00C7,  // C0
    0x00C8,     0x00C9,     0x00CA, 0x00CB, 0x00CC, 0x00CD,     0x00CE,     0x00CF,
    0x011E,     0x00D1,     0x00D2, 0x00D3, 0x00D4, 0x00D5,     0x00D6,     0x00D7,  // D0: Ğ
    0x00D8,     0x00D9,     0x00DA, 0x00DB, 0x00DC, 0x0130,     0x015E,     0x00DF,  // İ Ş
    0x00E0,     0x00E1,     0x00E2, 0x00E3, 0x00E4, 0x00E5,     0x00E6,     0x00E7,  // E0
    0x00E8,     0x00E9,     0x00EA, 0x00EB, 0x00EC, 0x00ED,     0x00EE,     0x00EF,
    0x011F,     0x00F1,     0x00F2, 0x00F3, 0x00F4, 0x00F5,     0x00F6,     0x00F7,  // F0: ğ
    0x00F8,     0x00F9,     0x00FA, 0x00FB, 0x00FC, 0x0131,     0x015F,     0x00FF,  // ı ş
};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The next character of UTF-8 text at `at`, which moves past it. A broken sequence gives kReplacement
// and is passed over as one: the bytes its lead announces, up to the first byte that does not continue
// it (that byte begins the next character).
char32_t NextCharacter(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = lead < 0x80                    ? 1
                       : lead >= 0xC2 && lead <= 0xDF ? 2
                       : lead >= 0xE0 && lead <= 0xEF ? 3
                       : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                      : 0;
  if (length == 0) {
    ++at;
    return kReplacement;
  }
  char32_t c = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
  for (std::size_t k = 1; k < length; ++k) {
    if (at + k >= text.size() || !IsContinuation(static_cast<unsigned char>(text[at + k]))) {
      at += k;
      return kReplacement;
    }
    c = (c << 6) | (static_cast<unsigned char>(text[at + k]) & 0x3F);
  }
  at += length;
  const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
  if (overlong || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return kReplacement;
  return c;
}

}  // namespace

std::string Cp1254ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (char byte : bytes) {
    const auto b = static_cast<unsigned char>(byte);
    if (b < 0x80) {
      out += byte;
    } else if (const char32_t c = kUpperHalf[b - 0x80]; c == kUndefined) {
      out += '?';
    } else {
      AppendUtf8(out, c);
    }
  }
  return out;
}

std::string Utf8ToCp1254(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    const char32_t c = NextCharacter(utf8, at);
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    char byte = '?';
    for (int i = 0; i < 128; ++i) {
      if (kUpperHalf[i] == c) {
        byte = static_cast<char>(0x80 + i);
        break;
      }
    }
    out += byte;
  }
  return out;
}

namespace {

// UTF-16, as Windows keeps paths.
[[maybe_unused]] std::wstring WidenUtf8(std::string_view utf8) {
  std::wstring wide;
  wide.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    const char32_t c = NextCharacter(utf8, at);
    if (c >= 0x10000) {
      wide += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
      wide += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      wide += static_cast<wchar_t>(c);
    }
  }
  return wide;
}

// A lone half of a surrogate pair is no character; it becomes the replacement character.
[[maybe_unused]] std::string NarrowUtf16(std::wstring_view wide) {
  std::string out;
  out.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    char32_t c = static_cast<char32_t>(wide[i]) & 0xFFFF;
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < wide.size()) {
      const char32_t low = static_cast<char32_t>(wide[i + 1]) & 0xFFFF;
      if (low >= 0xDC00 && low <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    AppendUtf8(out, c >= 0xD800 && c <= 0xDFFF ? kReplacement : c);
  }
  return out;
}

// Paths of either kind of system: UTF-16 (Windows) or bytes, which the desktop and the terminal of
// the other systems read as UTF-8.
template <typename Native>
std::filesystem::path PathOf(std::string_view utf8) {
  if constexpr (std::is_same_v<typename Native::value_type, wchar_t>) {
    return std::filesystem::path(WidenUtf8(utf8));
  } else {
    return std::filesystem::path(std::string(utf8));
  }
}

template <typename Native>
std::string TextOf(const Native& native) {
  if constexpr (std::is_same_v<typename Native::value_type, wchar_t>) {
    return NarrowUtf16(native);
  } else {
    return std::string(native);
  }
}

}  // namespace

std::filesystem::path PathFromUtf8(std::string_view utf8) { return PathOf<std::filesystem::path::string_type>(utf8); }

std::string PathToUtf8(const std::filesystem::path& path) { return TextOf(path.native()); }

}  // namespace velkor
