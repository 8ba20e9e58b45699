// GSI-16 records for the field instruments: 23-character words, "*" before the first, one blank
// between words. Alignment and profile lines end with a blank, section lines do not.
#pragma once

#include <optional>
#include <string>

namespace velkor {

// Sign and 16 digits of the value in thousandths (halves to even); the text is parsed as a number.
std::string GsiValue(const std::string& text);

enum class GsiElement { Straight, Curve, SpiralIn, SpiralOut, Parabola, EndOfPath };

std::string GsiAlignmentHeader();
std::string GsiProfileHeader();
std::string GsiSectionHeader();

// Without a parameter, word 72 carries "+0000000000000NON".
std::string GsiAlignmentElement(const std::string& chainage, GsiElement type,
                                const std::optional<std::string>& parameter, const std::string& easting,
                                const std::string& northing);
std::string GsiProfileElement(const std::string& chainage, GsiElement type, const std::optional<std::string>& parameter,
                              const std::string& elevation);
std::string GsiSectionPoint(const std::string& first, const std::string& second, const std::string& third);

}  // namespace velkor
