// The small text routines the report conversions and the route file readers rest on.
// Texts are code page 1254 bytes; every byte but the separators is an ordinary character.
#pragma once

#include <string>

namespace velkor {

// Cuts the first field off `line` (modified in place). Tabs, commas, semicolons, double quotes and
// ".." pairs become blanks in the caller's line; fields are separated by runs of blanks.
std::string NextField(std::string& line);

// The text preceded by blanks up to `width`; never cut.
std::string PadLeft(const std::string& text, int width = 15);

// "0+000.000": whole kilometres, "+" (or "-" when negative), three-digit metres, three decimals.
std::string FormatChainage(double metres);

// Every occurrence of `from`, compared without regard to ASCII letter case, replaced by `to`.
std::string ReplaceAllNoCase(const std::string& text, const std::string& from, const std::string& to);
// Every occurrence of `from` (exact bytes) replaced by `to`.
std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to);

}  // namespace velkor
