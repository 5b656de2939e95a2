#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "basic/number_format.h"

namespace orvano::basic {
namespace {

struct FormatCase {
  double value;
  int digits;
  std::string text;
};

const FormatCase kFormatCases[] = {
    {0.0, 7, "0"},
    {-0.0, 7, "0"},
    {1.5, 7, "1.5"},
    {-2.5, 7, "-2.5"},
    {40000.0, 7, "40000"},
    {1234567.75, 7, "1234568"},
    {1234567.0, 7, "1234567"},
    {12345678.0, 7, "1.234568E7"},
    {1e10, 7, "1E10"},
    {1e-5, 7, "0.00001"},
    {0.00001234, 7, "0.00001234"},
    {9.9e-6, 7, "9.9E-6"},
    {1e-6, 7, "1E-6"},
    {-1.5e-20, 7, "-1.5E-20"},
    {0.1, 7, "0.1"},
    {100.0, 7, "100"},
    {123.456, 7, "123.456"},
    // Rounding carries into a new leading digit, and the exponent is the
    // one after rounding: 999999.96 is 1E6, still fixed; 9999999.6 becomes
    // 1E7 and so scientific.
    {999999.96, 7, "1000000"},
    {9999999.6, 7, "1E7"},
    {0.0000099999996, 7, "0.00001"},
    // Exact ties go away from zero; just below a tie goes down.
    {16777205.0, 7, "1.677721E7"},
    {-16777205.0, 7, "-1.677721E7"},
    {2.5, 1, "3"},
    {0.125, 2, "0.13"},
    {0.625, 2, "0.63"},
    {std::nextafter(0.125, 0.0), 2, "0.12"},
    // A decimal that is no binary fraction: its binary value decides.
    {0.15, 1, "0.1"},
    {1.0 / 3.0, 15, "0.333333333333333"},
    {2.0 / 3.0, 15, "0.666666666666667"},
    {123456789012345.0, 15, "123456789012345"},
    {1234567890123456.0, 15, "1.23456789012346E15"},
    {1e-7, 15, "1E-7"},
    {std::ldexp(1.0, -128), 7, "2.938736E-39"},
    {std::ldexp(1.0, 126), 15, "8.50705917302346E37"},
};

TEST(GeneralFormat, WritesSignificantDigitsAsBasicDoes) {
  for (const auto& [value, digits, text] : kFormatCases) {
    EXPECT_EQ(GeneralFormat(value, digits), text) << value << " with " << digits << " digits";
  }
}

struct ConstantCase {
  double value;
  std::string single_text;
  std::string double_text;
};

const ConstantCase kConstantCases[] = {
    {0.0, "0!", "0"},
    {4.0, "4!", "4"},
    {-3.0, "-3!", "-3"},
    {1e10, "1E10!", "10000000000"},
    {1.5, "1.5", "1.5"},
    // Shown as a whole number, but the value has a fraction.
    {1234567.75, "1234568", "1234567.75"},
    {0.1, "0.1", "0.1"},
};

TEST(ConstantText, MarksWholeSinglesOnly) {
  for (const auto& [value, single_text, double_text] : kConstantCases) {
    EXPECT_EQ(SingleConstantText(value), single_text) << value;
    EXPECT_EQ(DoubleConstantText(value), double_text) << value;
  }
}

}  // namespace
}  // namespace orvano::basic
