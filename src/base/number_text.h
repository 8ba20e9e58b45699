// Number text for the whole program: "." is the decimal separator whatever the user's locale,
// fixed formats round halves away from zero, and the GSI/distance rounding goes halves to even.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velkor {

// Optional blanks, optional sign, digits with an optional "." and fraction, optional exponent,
// optional blanks. Anything else throws Error("'%s' is not a valid floating point value").
double ParseFloat(std::string_view text);
bool TryParseFloat(std::string_view text, double& value);

// Optional blanks, optional sign, decimal digits, optional blanks, within 32 bits.
// Anything else throws Error("'%s' is not a valid integer value").
int ParseInt(std::string_view text);
bool TryParseInt(std::string_view text, int& value);

// "%W.Df": D decimals, halves away from zero (0.0625 -> "0.063"), padded with blanks on the left to W.
std::string FormatFixed(double value, int decimals, int width = 0);
// Three decimals, halves away from zero, no blanks ("-250.000"): how the program writes coordinates,
// elevations and lengths it computes.
inline std::string FixedNumber(double value) { return FormatFixed(value, 3); }
// The same text as FormatFixed appended to `out`, without a temporary: for the million-line writers.
void AppendFixed(std::string& out, double value, int decimals, int width = 0);

// The digits "%.3f" prints for `value` as one integer, the sign in its lowest bit ("0.000" -> 0,
// "-0.000" -> 1, "-1.250" -> 2501): two keys are equal exactly when the two texts are. False for a
// text that does not fit (more than 18 digits, or no number at all).
bool FixedThousandths(double value, std::uint64_t& key);

// The general form: at most 15 significant digits, trailing zeros dropped, fixed notation from
// 0.00001 up to 10^15 ("14.3239448782706", "60", "-60", "0.00001"), an exponent outside it ("1E15").
std::string FormatGeneral(double value);

// x rounded to the nearest integer, ties to the even one.
std::int64_t RoundHalfEven(long double x);

}  // namespace velkor
