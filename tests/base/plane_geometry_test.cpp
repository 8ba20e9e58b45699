#include "base/plane_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/error.h"

namespace velkor {
namespace {

struct AzimuthCase {
  double e2, n2, grads;
};

class AzimuthTest : public ::testing::TestWithParam<AzimuthCase> {};

TEST_P(AzimuthTest, CompassDirections) {
  EXPECT_DOUBLE_EQ(Azimuth(0, 0, GetParam().e2, GetParam().n2), GetParam().grads);
}

INSTANTIATE_TEST_SUITE_P(Compass, AzimuthTest,
                         ::testing::Values(AzimuthCase{0, 1, 0}, AzimuthCase{1, 0, 100}, AzimuthCase{0, -1, 200},
                                           AzimuthCase{-1, 0, 300}, AzimuthCase{1, 1, 50}, AzimuthCase{-1, 1, 350},
                                           AzimuthCase{1, -1, 150}, AzimuthCase{-1, -1, 250}, AzimuthCase{0, 0, 0}));

TEST(Azimuth, AHairWestOfNorthIsZeroNeverFourHundred) {
  for (double hair : {1e-15, 1e-16, 1e-17, 1e-18, 1e-25}) {
    double a = Azimuth(0, 0, -hair, 1);
    EXPECT_GE(a, 0);
    EXPECT_LT(a, 400) << hair;
  }
  EXPECT_EQ(Azimuth(0, 0, -1e-18, 1), 0);
  EXPECT_LT(Azimuth(500000, 4500000, 500000 - 1e-10, 4500100), 400);  // a real, tiny westing stays below 400
}

TEST(PointDistance, MillimetreTiesGoToEven) {
  EXPECT_EQ(PointDistance(0, 0, 3, 4), 5);
  EXPECT_EQ(PointDistance(0, 0, 0.0625, 0), 0.062);
  EXPECT_EQ(PointDistance(0, 0, 0.1875, 0), 0.188);
  EXPECT_EQ(PointDistance(1, 1, 1, 1), 0);
  EXPECT_EQ(PointDistance(0, 0, 3e12, 4e12), 5e12);
  EXPECT_THROW(PointDistance(0, 0, 1e200, 1e200), Error);  // no millimetre count that large
}

TEST(RoundDecimals, HalvesToEven) {
  EXPECT_EQ(RoundDecimals(3, 0.0625), 0.062);
  EXPECT_EQ(RoundDecimals(0, 2.5), 2);
  EXPECT_EQ(RoundDecimals(0, 3.5), 4);
  EXPECT_EQ(RoundDecimals(2, -1.005), -1.0);  // -1.005 is held just above -1.005 in binary
}

TEST(PolarPoint, AlongAndRightOfTheReference) {
  auto p = PolarPoint(0, 0, 0, 10, 1, 1);
  EXPECT_NEAR(p.e, 1, 1e-12);
  EXPECT_NEAR(p.n, 1, 1e-12);
  p = PolarPoint(0, 0, 0, 10, -1, 1);
  EXPECT_NEAR(p.e, 1, 1e-12);
  EXPECT_NEAR(p.n, -1, 1e-12);
  p = PolarPoint(0, 0, 0, 10, 0, 2);
  EXPECT_NEAR(p.e, 2, 1e-15);
  EXPECT_NEAR(p.n, 0, 1e-15);
  p = PolarPoint(100, 200, 110, 200, 5, 0);  // reference due east
  EXPECT_NEAR(p.e, 105, 1e-9);
  EXPECT_NEAR(p.n, 200, 1e-9);
}

TEST(SpiralPI, QuantitiesOfTheClothoid) {
  for (double R : {100.0, -100.0}) {
    Clothoid c = SpiralPI(R, 50, 0, 0, 0);
    EXPECT_NEAR(c.theta, 14.32394, 5e-6) << R;
    EXPECT_NEAR(c.A, 70.71068, 5e-6);
    EXPECT_NEAR(c.X, 49.6875, 5e-6);
    EXPECT_NEAR(c.Y, 4.14807, 5e-6);
    EXPECT_NEAR(c.LT, 33.44236, 5e-6);
    EXPECT_NEAR(c.piE, 0, 1e-9);
    EXPECT_NEAR(c.piN, 33.44236, 5e-6);
  }
  Clothoid east = SpiralPI(100, 50, 10, 20, 90);
  EXPECT_NEAR(east.piE, 10 + 33.44236, 5e-6);
  EXPECT_NEAR(east.piN, 20, 1e-9);
}

TEST(SpiralPI, ZeroLengthOrRadiusIsAnArithmeticError) {
  for (auto [R, L] : {std::pair{100.0, 0.0}, std::pair{0.0, 50.0}}) {
    try {
      SpiralPI(R, L, 0, 0, 0);
      ADD_FAILURE() << "R=" << R << " L=" << L;
    } catch (const Error& e) {
      EXPECT_EQ(e.message(), "Invalid floating point operation");
    }
  }
}

TEST(GradToDeg, NineTenths) {
  EXPECT_EQ(GradToDeg(100), 90);
  EXPECT_EQ(GradToDeg(15.915494309189533), 15.915494309189533 * 9 / 10);
}

}  // namespace
}  // namespace velkor
