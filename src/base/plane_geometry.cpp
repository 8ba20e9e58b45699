#include "base/plane_geometry.h"

#include <cmath>

#include "base/error.h"
#include "base/number_text.h"

namespace velkor {
namespace {

// Arithmetic faults end the conversion like any other conversion error.
double Checked(long double value) {
  if (!std::isfinite(value)) throw Error(kInvalidFloatOperation);
  return static_cast<double>(value);
}

}  // namespace

double Azimuth(double e1, double n1, double e2, double n2) {
  long double dE = static_cast<long double>(e2) - e1;
  long double dN = static_cast<long double>(n2) - n1;
  if (dN == 0) dN = 1e-21L;
  long double t = std::atan(dE / dN) * kRadToGrad;
  if (dN < 0) t += 200;
  if (t < 0) t += 400;
  // Held wider than a double, a hair below 400 can still become 400 when handed back.
  double result = static_cast<double>(t);
  return result >= 400 ? 0.0 : Checked(result);
}

double RoundDecimals(int n, double x) {
  long double p = std::pow(10.0L, n);
  long double scaled = x * p;
  if (!std::isfinite(scaled)) throw Error(kInvalidFloatOperation);
  return static_cast<double>(static_cast<long double>(RoundHalfEven(scaled)) / p);
}

double PointDistance(double e1, double n1, double e2, double n2) {
  long double a = std::fabs(static_cast<long double>(e1) - e2);
  long double b = std::fabs(static_cast<long double>(n1) - n2);
  if (a < b) std::swap(a, b);
  long double h = a == 0 ? 0.0L : a * std::sqrt(1 + (b / a) * (b / a));
  return RoundDecimals(3, static_cast<double>(h));
}

PlanePoint PolarPoint(double e1, double n1, double e2, double n2, double along, double right) {
  long double a = along == 0 ? 1e-17L : static_cast<long double>(along);
  long double phi = std::atan(right / a);
  if (phi < 0) phi += 2 * kPi;
  long double alpha = Azimuth(e1, n1, e2, n2) / kRadToGrad;
  long double beta = alpha + phi;
  if (beta > 2 * kPi) beta -= 2 * kPi;
  long double r = std::sqrt(a * a + static_cast<long double>(right) * right);
  if (a < 0) r = -r;
  return {Checked(e1 + r * std::sin(beta)), Checked(n1 + r * std::cos(beta))};
}

Clothoid SpiralPI(double R, double L, double e0, double n0, double directionDeg) {
  long double r = std::fabs(static_cast<long double>(R));
  long double l = L;
  if (r == 0 || l == 0) throw Error(kInvalidFloatOperation);
  long double thetaRad = l / (2 * r);
  long double A = std::sqrt(l * r);
  long double A2 = A * A, A4 = A2 * A2, A6 = A4 * A2;
  long double X = l - std::pow(l, 5) / (40 * A4);
  long double Y = std::pow(l, 3) / (6 * A * A) - std::pow(l, 7) / (336 * A6);
  long double LT = X - Y / std::tan(thetaRad);
  long double dir = directionDeg / kRadToDeg;
  Clothoid c;
  c.theta = Checked(thetaRad * kRadToDeg);
  c.A = Checked(A);
  c.X = Checked(X);
  c.Y = Checked(Y);
  c.LT = Checked(LT);
  c.piE = Checked(e0 + LT * std::sin(dir));
  c.piN = Checked(n0 + LT * std::cos(dir));
  return c;
}

}  // namespace velkor
