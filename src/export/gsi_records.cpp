#include "export/gsi_records.h"

#include <cmath>

#include "base/number_text.h"

namespace velkor {

std::string GsiValue(const std::string& text) {
  double x = ParseFloat(text) * 1000;
  // The sign is taken before rounding: -0.0004 m is "-" and sixteen zeros; -0.0 counts as >= 0.
  std::string sign = x >= 0 ? "+" : "-";
  std::string digits = std::to_string(RoundHalfEven(std::fabs(x)));
  if (digits.size() < 16) digits.insert(0, 16 - digits.size(), '0');
  return sign + digits;
}

namespace {

std::string Word(const char* index, const char* info, const std::string& data) {
  return std::string(index) + info + data;
}

std::string ElementData(GsiElement type) {
  switch (type) {
    case GsiElement::Straight:
      return "+00000000STRAIGHT";
    case GsiElement::Curve:
      return "+00000000000CURVE";
    case GsiElement::SpiralIn:
      return "+0000000000SPIRIN";
    case GsiElement::SpiralOut:
      return "+000000000SPIROUT";
    case GsiElement::Parabola:
      return "+00000000PARABOLA";
    case GsiElement::EndOfPath:
      return "+0000000000000EOP";
  }
  return "+00000000STRAIGHT";
}

std::string Parameter(const std::optional<std::string>& parameter) {
  return parameter ? GsiValue(*parameter) : std::string("+0000000000000NON");
}

}  // namespace

std::string GsiAlignmentHeader() {
  return "*" + Word("41", "....", "+0000000000000ALN") + " " + Word("42", "....", "+00000000HZALIGNM") + " " +
         Word("43", "....", "+00000000STACOORD") + " ";
}

std::string GsiProfileHeader() {
  return "*" + Word("41", "....", "+0000000000000ALN") + " " + Word("42", "....", "+000000000VALIGNM") + " " +
         Word("43", "....", "+00000000STACOORD") + " ";
}

std::string GsiSectionHeader() {
  return "*" + Word("41", "....", "+000000000SECTION") + " " + Word("42", "....", "+00000000TEMPLATE");
}

std::string GsiAlignmentElement(const std::string& chainage, GsiElement type,
                                const std::optional<std::string>& parameter, const std::string& easting,
                                const std::string& northing) {
  // Every value is converted before the line is put together, so a bad number writes nothing.
  std::string station = GsiValue(chainage), param = Parameter(parameter), e = GsiValue(easting), n = GsiValue(northing);
  return "*" + Word("11", "....", station) + " " + Word("71", "....", ElementData(type)) + " " +
         Word("72", "....", param) + " " + Word("73", "....", "+0000000000000000") + " " + Word("81", "..10", e) + " " +
         Word("82", "..10", n) + " ";
}

std::string GsiProfileElement(const std::string& chainage, GsiElement type, const std::optional<std::string>& parameter,
                              const std::string& elevation) {
  std::string station = GsiValue(chainage), param = Parameter(parameter), z = GsiValue(elevation);
  return "*" + Word("11", "....", station) + " " + Word("71", "....", ElementData(type)) + " " +
         Word("72", "....", param) + " " + Word("83", "..10", z) + " ";
}

std::string GsiSectionPoint(const std::string& first, const std::string& second, const std::string& third) {
  std::string a = GsiValue(first), b = GsiValue(second), c = GsiValue(third);
  return "*" + Word("11", "....", a) + " " + Word("35", "..10", b) + " " + Word("36", "..10", c);
}

}  // namespace velkor
