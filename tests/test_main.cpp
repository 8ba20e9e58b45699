// Test entry point: adopts the locale of the environment so that a second run under a
// decimal-comma locale catches any number text that leaks through the C or C++ locale.
#include <gtest/gtest.h>

#include <clocale>
#include <locale>

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  try {
    std::locale::global(std::locale(""));
  } catch (const std::exception&) {
    // An unknown locale name leaves the classic one; the C library run above still counts.
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
