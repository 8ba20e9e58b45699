// Plane-survey routines shared by the geometry writers. Points are (easting, northing) in metres;
// directions are azimuths from grid north, clockwise. Grads come out of Azimuth, LandXML takes degrees.
#pragma once

namespace velkor {

inline constexpr long double kPi = 3.141592653589793L;
inline constexpr long double kRadToGrad = 63.66197723675813L;  // 200/pi
inline constexpr long double kRadToDeg = 57.29577951308232L;   // 180/pi

// Direction from point 1 to point 2 in grads, in [0, 400).
double Azimuth(double e1, double n1, double e2, double n2);

// Distance rounded to the millimetre, ties to the even millimetre.
double PointDistance(double e1, double n1, double e2, double n2);

// x rounded to n decimals, ties to even.
double RoundDecimals(int n, double x);

struct PlanePoint {
  double e = 0;
  double n = 0;
};

// The point `along` metres from (e1, n1) towards (e2, n2) and `right` metres to its right.
PlanePoint PolarPoint(double e1, double n1, double e2, double n2, double along, double right);

// Grads to the decimal degrees LandXML carries: times 9, then divided by 10.
inline double GradToDeg(double grads) { return grads * 9 / 10; }

struct Clothoid {
  double theta = 0;  // degrees
  double A = 0;
  double X = 0;
  double Y = 0;
  double LT = 0;
  double piE = 0;
  double piN = 0;
};

// Clothoid of length L ending at radius R (only |R| counts) whose tangent-side end is (e0, n0) and
// whose tangent there points towards the PI in `directionDeg` degrees. Throws Error when L or R is 0.
Clothoid SpiralPI(double R, double L, double e0, double n0, double directionDeg);

}  // namespace velkor
