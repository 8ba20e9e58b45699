#include "export/gsi_records.h"

#include <gtest/gtest.h>

#include "base/error.h"

namespace velkor {
namespace {

struct ValueCase {
  const char* text;
  const char* word;
};

class GsiValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(GsiValueTest, ThousandthsHalvesToEven) { EXPECT_EQ(GsiValue(GetParam().text), GetParam().word); }

INSTANTIATE_TEST_SUITE_P(
    Cases, GsiValueTest,
    ::testing::Values(ValueCase{"0", "+0000000000000000"}, ValueCase{"0.000", "+0000000000000000"},
                      ValueCase{"-0.000", "+0000000000000000"}, ValueCase{"1234.5678", "+0000000001234568"},
                      ValueCase{"-250.000", "-0000000000250000"}, ValueCase{"0.0625", "+0000000000000062"},
                      ValueCase{"0.1875", "+0000000000000188"}, ValueCase{"-0.0004", "-0000000000000000"},
                      ValueCase{"4500000.456", "+0000004500000456"}, ValueCase{"10000000000000", "+10000000000000000"},
                      ValueCase{" 12.5 ", "+0000000000012500"}));

TEST(GsiValue, RefusesTextThatIsNoNumber) {
  try {
    GsiValue("12,5");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), "'12,5' is not a valid floating point value");
  }
}

TEST(GsiRecords, LayoutsWrittenOut) {
  EXPECT_EQ(GsiAlignmentHeader(), "*41....+0000000000000ALN 42....+00000000HZALIGNM 43....+00000000STACOORD ");
  EXPECT_EQ(GsiProfileHeader(), "*41....+0000000000000ALN 42....+000000000VALIGNM 43....+00000000STACOORD ");
  EXPECT_EQ(GsiSectionHeader(), "*41....+000000000SECTION 42....+00000000TEMPLATE");
  EXPECT_EQ(GsiAlignmentElement("0", GsiElement::Straight, std::nullopt, "500000.123", "4500000.456"),
            "*11....+0000000000000000 71....+00000000STRAIGHT 72....+0000000000000NON 73....+0000000000000000"
            " 81..10+0000000500000123 82..10+0000004500000456 ");
  EXPECT_EQ(GsiAlignmentElement("250", GsiElement::Curve, "-250.000", "1", "2"),
            "*11....+0000000000250000 71....+00000000000CURVE 72....-0000000000250000 73....+0000000000000000"
            " 81..10+0000000000001000 82..10+0000000000002000 ");
  EXPECT_EQ(GsiAlignmentElement("1", GsiElement::SpiralIn, "111.803", "1", "2").substr(24, 24),
            " 71....+0000000000SPIRIN");
  EXPECT_EQ(GsiAlignmentElement("1", GsiElement::SpiralOut, "111.803", "1", "2").substr(24, 24),
            " 71....+000000000SPIROUT");
  EXPECT_EQ(GsiAlignmentElement("1", GsiElement::EndOfPath, std::nullopt, "1", "2").substr(24, 24),
            " 71....+0000000000000EOP");
  EXPECT_EQ(GsiProfileElement("1234.5", GsiElement::Parabola, "-950", "105.25"),
            "*11....+0000000001234500 71....+00000000PARABOLA 72....-0000000000950000 83..10+0000000000105250 ");
  EXPECT_EQ(GsiSectionPoint("120.000", "-3.5", "101.25"),
            "*11....+0000000000120000 35..10-0000000000003500 36..10+0000000000101250");
}

}  // namespace
}  // namespace velkor
