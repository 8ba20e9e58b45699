// Texts taken from input files on their way into the LandXML document: escaped so that a name
// holding "&" or "<" never breaks the document. Works on bytes (code page 1254 or UTF-8 alike).
#pragma once

#include <string>
#include <string_view>

namespace velkor {

// Replaces & < > " by their entities and control bytes other than tab, CR and LF by '?'; every
// other byte passes unchanged.
std::string XmlEscape(std::string_view text);

}  // namespace velkor
