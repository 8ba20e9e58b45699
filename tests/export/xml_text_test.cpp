// Escaping and code pages of the texts that reach the LandXML document.
#include "export/xml_text.h"

#include <gtest/gtest.h>

#include "platform/platform.h"

namespace velkor {
namespace {

TEST(XmlEscape, MarkupCharactersBecomeEntitiesOtherBytesStay) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""}, {"K_1", "K_1"}, {"\xDE&K<1>", "\xDE&amp;K&lt;1&gt;"}, {"a\"b'c", "a&quot;b'c"}, {"&amp;", "&amp;amp;"},
  };
  for (const auto& [text, escaped] : cases) EXPECT_EQ(XmlEscape(text), escaped) << text;
}

TEST(CodePages, TurkishLettersBothWays) {
  const std::pair<std::string, std::string> cases[] = {
      {"G\xDDR\xDD\xDE", "G\xC4\xB0R\xC4\xB0\xC5\x9E"},  // GİRİŞ
      {"\xC7IKI\xDE", "\xC3\x87IKI\xC5\x9E"},            // ÇIKIŞ
      {"E\xF0im (%)", "E\xC4\x9Fim (%)"},                // Eğim
      {"\xFD\xFE\xF0\xFC\xF6\xE7", "\xC4\xB1\xC5\x9F\xC4\x9F\xC3\xBC\xC3\xB6\xC3\xA7"},
      {"\x80", "\xE2\x82\xAC"},  // euro sign
      {"plain ASCII", "plain ASCII"},
  };
  for (const auto& [cp1254, utf8] : cases) {
    EXPECT_EQ(Cp1254ToUtf8(cp1254), utf8);
    EXPECT_EQ(Utf8ToCp1254(utf8), cp1254);
  }
}

TEST(CodePages, WhatHasNoEquivalentBecomesAQuestionMark) {
  EXPECT_EQ(Cp1254ToUtf8("a\x81"
                         "b"),
            "a?b");
  EXPECT_EQ(Utf8ToCp1254("a\xE4\xB8\xAD"
                         "b"),
            "a?b");  // a CJK letter
  EXPECT_EQ(Utf8ToCp1254("a\xFF"
                         "b"),
            "a?b");                        // not UTF-8 at all
  EXPECT_EQ(Utf8ToCp1254("a\xC5"), "a?");  // cut short
}

}  // namespace
}  // namespace velkor
