// The program's own code page 1254 table and path text: the same on every system, and on Linux the
// same as the C library's converter says.
#include "base/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

#ifndef _WIN32
#include <iconv.h>
#endif

namespace velkor {
namespace {

#ifndef _WIN32
// One byte through iconv; empty when it has no equivalent.
std::string IconvUtf8(unsigned char byte) {
  iconv_t cd = ::iconv_open("UTF-8", "CP1254");
  if (cd == reinterpret_cast<iconv_t>(-1)) return "no converter";
  char in[1] = {static_cast<char>(byte)};
  char out[8];
  char* inPtr = in;
  char* outPtr = out;
  size_t inLeft = 1, outLeft = sizeof out;
  const size_t done = ::iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  ::iconv_close(cd);
  return done == static_cast<size_t>(-1) ? std::string() : std::string(out, static_cast<size_t>(outPtr - out));
}

TEST(TextEncoding, EveryByteAsTheCLibraryConvertsIt) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const std::string expected = IconvUtf8(static_cast<unsigned char>(b));
    EXPECT_EQ(Cp1254ToUtf8(byte), expected.empty() ? "?" : expected) << "byte " << b;
    if (!expected.empty()) {
      EXPECT_EQ(Utf8ToCp1254(expected), byte) << "byte " << b;
    }
  }
}
#endif

TEST(TextEncoding, PathsKeepEveryLetter) {
  const std::string names[] = {
      "G\xC3\xBCzergah/D\xC3\xBC\xC5\x9F"
      "ey.cks",                                               // Güzergah/Düşey.cks
      "\xC3\x87\xC4\xB1kt\xC4\xB1 \xC4\xB0\xC4\x9F\xC4\x9F",  // Çıktı İğğ
      "\xE2\x82\xAC \xF0\x9F\x98\x80",                        // beyond code page 1254 and beyond 16 bits
      "plain.xml",
  };
  for (const std::string& name : names) EXPECT_EQ(PathToUtf8(PathFromUtf8(name)), name);
}

}  // namespace
}  // namespace velkor
