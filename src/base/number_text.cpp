#include "base/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <system_error>

#include "base/error.h"

namespace velkor {
namespace {

bool IsBlank(char c) { return c == ' '; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// For a number text of valid grammar (no sign): whether its value is at least 1, that is whether its
// first significant digit stands at the units or to their left once the exponent is applied.
bool ExceedsOne(std::string_view t) {
  size_t integerDigits = 0;
  while (integerDigits < t.size() && IsDigit(t[integerDigits])) ++integerDigits;
  long position = static_cast<long>(integerDigits) - 1;  // power of ten of the digit looked at
  long firstSignificant = 0;
  bool found = false;
  for (size_t k = 0; k < t.size() && !found; ++k) {
    if (t[k] == 'e' || t[k] == 'E') break;
    if (t[k] == '.') continue;
    if (t[k] != '0') {
      firstSignificant = position;
      found = true;
    }
    --position;
  }
  if (!found) return false;
  long exponent = 0;
  const size_t e = t.find_first_of("eE");
  if (e != std::string_view::npos) {
    size_t k = e + 1;
    const bool negative = k < t.size() && t[k] == '-';
    if (k < t.size() && (t[k] == '+' || t[k] == '-')) ++k;
    // Beyond a million the number is out of range whichever way; saturate rather than wrap.
    for (; k < t.size(); ++k) exponent = std::min(exponent * 10 + (t[k] - '0'), 1000000L);
    if (negative) exponent = -exponent;
  }
  return firstSignificant + exponent >= 0;
}

// Checks the grammar by hand so that nothing locale- or library-specific ("inf", "0x1p3", ",")
// slips through, then lets from_chars do the correctly rounded conversion.
bool ParseFloatImpl(std::string_view text, double& value) {
  std::string_view t = TrimBlanks(text);
  bool negative = false;
  if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
    negative = t.front() == '-';
    t.remove_prefix(1);
  }
  size_t i = 0, mantissaDigits = 0;
  while (i < t.size() && IsDigit(t[i])) ++i, ++mantissaDigits;
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && IsDigit(t[i])) ++i, ++mantissaDigits;
  }
  if (mantissaDigits == 0) return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    size_t expDigits = 0;
    while (i < t.size() && IsDigit(t[i])) ++i, ++expDigits;
    if (expDigits == 0) return false;
  }
  if (i != t.size()) return false;
  double parsed = 0;
  auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), parsed, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    // from_chars leaves the value as it was either way. Underflow reads as zero; overflow is
    // refused like any number the program cannot hold.
    if (ExceedsOne(t)) return false;
    parsed = 0;
  } else if (ec != std::errc() || end != t.data() + t.size()) {
    return false;
  }
  value = negative ? -parsed : parsed;
  return true;
}

}  // namespace

bool TryParseFloat(std::string_view text, double& value) { return ParseFloatImpl(text, value); }

double ParseFloat(std::string_view text) {
  double value = 0;
  if (!ParseFloatImpl(text, value)) throw Error(NotAFloat(std::string(text)));
  return value;
}

bool TryParseInt(std::string_view text, int& value) {
  std::string_view t = TrimBlanks(text);
  bool negative = false;
  if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
    negative = t.front() == '-';
    t.remove_prefix(1);
  }
  if (t.empty()) return false;
  std::int64_t magnitude = 0;
  for (char c : t) {
    if (!IsDigit(c)) return false;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > std::int64_t{std::numeric_limits<int>::max()} + 1) return false;
  }
  std::int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue > std::numeric_limits<int>::max()) return false;
  value = static_cast<int>(signedValue);
  return true;
}

int ParseInt(std::string_view text) {
  int value = 0;
  if (!TryParseInt(text, value)) throw Error(NotAnInteger(std::string(text)));
  return value;
}

std::int64_t RoundHalfEven(long double x) {
  // Beyond 64 bits (or not a number) there is no integer to give: an arithmetic error, not a wrap.
  if (!(std::fabs(x) < 9.2e18L)) throw Error(kInvalidFloatOperation);
  long double floor = std::floor(x);
  long double diff = x - floor;
  auto n = static_cast<std::int64_t>(floor);
  if (diff > 0.5L) return n + 1;
  if (diff < 0.5L) return n;
  return (n % 2 == 0) ? n : n + 1;
}

namespace {

// True when |value| lies exactly halfway between two neighbours with `decimals` decimals.
// value = m * 2^e with m odd; value * 10^d = m * 5^d * 2^(d+e) has fraction exactly 1/2 iff d+e == -1.
bool IsExactTie(double value, int decimals) {
  if (value == 0 || !std::isfinite(value)) return false;
  int exp = 0;
  double mant = std::frexp(std::abs(value), &exp);  // value = mant * 2^exp, mant in [0.5, 1)
  auto m = static_cast<std::uint64_t>(std::ldexp(mant, 53));
  int e = exp - 53;
  if (m == 0) return false;
  while ((m & 1u) == 0) {
    m >>= 1;
    ++e;
  }
  return decimals + e == -1;
}

}  // namespace

std::string FormatFixed(double value, int decimals, int width) {
  if (!std::isfinite(value)) {
    std::string text = std::isnan(value) ? "NAN" : (value > 0 ? "INF" : "-INF");
    return text.size() < static_cast<size_t>(width) ? std::string(width - text.size(), ' ') + text : text;
  }
  // to_chars is exact and rounds true ties to even; a tie is nudged one unit outwards so that it
  // goes away from zero, as the reports and the field software expect.
  double toPrint = IsExactTie(value, decimals) ? std::nextafter(value, value > 0 ? HUGE_VAL : -HUGE_VAL) : value;
  char buf[400];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, toPrint, std::chars_format::fixed, decimals);
  std::string text = ec == std::errc() ? std::string(buf, end) : std::string("0");
  // A negative value that rounds to zero keeps its sign, as the C library does ("-0.000").
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
  return text;
}

std::string FormatGeneral(double value) {
  if (value == 0) return "0";
  if (!std::isfinite(value)) return std::isnan(value) ? "NAN" : (value > 0 ? "INF" : "-INF");
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
  std::string sci(buf, ec == std::errc() ? end : buf);
  // sci: [-]d.dddddddddddddde[+-]XX
  bool negative = sci[0] == '-';
  size_t start = negative ? 1 : 0;
  size_t ePos = sci.find('e');
  std::string digits = sci.substr(start, 1) + sci.substr(start + 2, ePos - start - 2);
  int exponent = std::atoi(sci.c_str() + ePos + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = negative ? "-" : "";
  if (exponent >= 15 || exponent < -5) {
    out += digits.substr(0, 1);
    if (digits.size() > 1) out += "." + digits.substr(1);
    out += "E" + std::to_string(exponent);
    return out;
  }
  if (exponent < 0) {
    out += "0." + std::string(-exponent - 1, '0') + digits;
  } else if (static_cast<int>(digits.size()) <= exponent + 1) {
    out += digits + std::string(exponent + 1 - digits.size(), '0');
  } else {
    out += digits.substr(0, exponent + 1) + "." + digits.substr(exponent + 1);
  }
  return out;
}

namespace {

// Writes "%W.Df" right-aligned so that it ends at `end` and returns where it starts, or nullptr when
// the value needs the exact path (ties, huge or non-finite values, many decimals).
// |value| in units of the last decimal, rounded halves away from zero; false when the rounding is not
// certain in double arithmetic (near ties, huge or non-finite values, many decimals).
bool QuickUnits(double value, int decimals, std::uint64_t& units) {
  static constexpr double kScale[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};
  if (decimals < 0 || decimals > 6) return false;
  const double magnitude = std::fabs(value);
  // Below 2^40 the scaled value is off by at most 2^-14 from the exact product, so unless it lies
  // within 2^-10 of a half its rounding is certain.
  if (!(magnitude < 1e12 / kScale[decimals])) return false;
  const double scaled = magnitude * kScale[decimals];
  // Truncation is the floor here (positive, below 2^63), and the difference is exact.
  units = static_cast<std::uint64_t>(scaled);
  const double fraction = scaled - static_cast<double>(units);
  if (std::fabs(fraction - 0.5) <= 0x1p-10) return false;
  if (fraction > 0.5) ++units;
  return true;
}

char* FixedBackwards(char* end, double value, int decimals) {
  std::uint64_t units = 0;
  if (!QuickUnits(value, decimals, units)) return nullptr;
  static constexpr std::uint64_t kPowers[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
  static constexpr char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  char* p = end;
  if (decimals == 3) {  // the coordinates' format, by far the most used
    const std::uint64_t whole = units / 1000;
    const auto fraction = static_cast<std::uint32_t>(units - whole * 1000);
    p -= 4;
    p[0] = '.';
    p[1] = static_cast<char>('0' + fraction / 100);
    p[2] = kPairs[2 * (fraction % 100)];
    p[3] = kPairs[2 * (fraction % 100) + 1];
    units = whole;
  } else if (decimals > 0) {
    const std::uint64_t whole = units / kPowers[decimals];
    auto fraction = static_cast<std::uint32_t>(units - whole * kPowers[decimals]);
    for (int i = 0; i < decimals; ++i) {
      *--p = static_cast<char>('0' + fraction % 10);
      fraction /= 10;
    }
    *--p = '.';
    units = whole;
  }
  // The integer part mostly fits 32 bits, where the digit pairs come cheaper.
  while (units > 0xFFFFFFFFu) {
    const char* pair = kPairs + 2 * (units % 100);
    units /= 100;
    *--p = pair[1];
    *--p = pair[0];
  }
  auto small = static_cast<std::uint32_t>(units);
  while (small >= 100) {
    const char* pair = kPairs + 2 * (small % 100);
    small /= 100;
    *--p = pair[1];
    *--p = pair[0];
  }
  if (small >= 10) {
    *--p = kPairs[2 * small + 1];
    *--p = kPairs[2 * small];
  } else {
    *--p = static_cast<char>('0' + small);
  }
  if (std::signbit(value)) *--p = '-';
  return p;
}

}  // namespace

bool FixedThousandths(double value, std::uint64_t& key) {
  std::uint64_t units = 0;
  if (!QuickUnits(value, 3, units)) {
    // The exact path: the digits of the text itself, as long as they fit with room for the sign bit.
    const std::string text = FormatFixed(value, 3);
    units = 0;
    int digits = 0;
    for (char c : text) {
      if (c == '-' || c == '.') continue;
      if (!IsDigit(c) || ++digits > 18) return false;
      units = units * 10 + static_cast<std::uint64_t>(c - '0');
    }
  }
  key = units << 1 | (std::signbit(value) ? 1u : 0u);
  return true;
}

void AppendFixed(std::string& out, double value, int decimals, int width) {
  constexpr int kPadded = 24;  // blanks laid down in one go for the usual widths
  char digits[48];
  char* end = digits + sizeof digits;
  std::memset(end - kPadded, ' ', kPadded);
  char* start = FixedBackwards(end, value, decimals);
  if (start == nullptr) {
    out += FormatFixed(value, decimals, width);
    return;
  }
  const int length = static_cast<int>(end - start);
  if (length < width && width <= kPadded) {
    start = end - width;
  } else if (length < width) {
    out.append(static_cast<std::size_t>(width - length), ' ');
  }
  out.append(start, static_cast<std::size_t>(end - start));
}

}  // namespace velkor
