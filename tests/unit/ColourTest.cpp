#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "TestSupport.h"
#include "platform/ColourForm.h"
#include "settings/Colour.h"
#include "settings/NumberText.h"

namespace orvex {
namespace {

using test::Attempt;

// A number text and the value it must give, or the failure it must raise.
struct NumberCase {
  const char* text;
  std::optional<std::int32_t> value;
  FailureKind failure = FailureKind::Internal;  // when there is no value
};

std::ostream& operator<<(std::ostream& out, const NumberCase& c) {
  return out << '"' << c.text << '"';
}

NumberCase Gives(const char* text, std::int32_t value) { return {text, value}; }
NumberCase Fails(const char* text, FailureKind kind) { return {text, std::nullopt, kind}; }

template <typename Parse>
void ExpectCase(const NumberCase& c, Parse&& parse) {
  std::int32_t result = 0;
  const auto outcome = Attempt([&] { result = parse(c.text); });
  if (c.value) {
    ASSERT_TRUE(outcome.Returned()) << FailureName(outcome.failure->Kind());
    EXPECT_EQ(result, *c.value);
  } else {
    ASSERT_TRUE(outcome.failure) << "gave " << result;
    EXPECT_EQ(FailureName(outcome.failure->Kind()), std::string(FailureName(c.failure)));
  }
}

class ParseNumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(ParseNumberTest, GivesTheValueOrFails) { ExpectCase(GetParam(), ParseNumber); }

INSTANTIATE_TEST_SUITE_P(
    Decimal, ParseNumberTest,
    testing::Values(
        Gives("255", 255), Gives("  7020335\t", 7020335), Gives("+12", 12), Gives("-40", -40),
        Gives("007", 7), Gives("2147483647", 2147483647), Gives("-2147483648", INT32_MIN),
        Gives("0000000000002147483647", INT32_MAX), Fails("2147483648", FailureKind::Overflow),
        Fails("-2147483649", FailureKind::Overflow), Fails("99999999999", FailureKind::Overflow),
        // 2^64 + 5: would wrap to 5 if all its digits were multiplied in.
        Fails("18446744073709551621", FailureKind::Overflow), Fails("", FailureKind::TypeMismatch),
        Fails(" ", FailureKind::TypeMismatch), Fails("1E3", FailureKind::TypeMismatch),
        Fails("12abc", FailureKind::TypeMismatch), Fails("1:", FailureKind::TypeMismatch),
        Fails("1 2", FailureKind::TypeMismatch), Fails("red", FailureKind::TypeMismatch),
        Fails("--1", FailureKind::TypeMismatch)));

// Fractions go to the nearest integer, halves to the even one.
INSTANTIATE_TEST_SUITE_P(Rounding, ParseNumberTest,
                         testing::Values(Gives("0.5", 0), Gives("1.5", 2), Gives("2.5", 2),
                                         Gives("3.5", 4), Gives("-2.5", -2), Gives("-3.5", -4),
                                         Gives("2.51", 3), Gives("2.50000000000000000001", 3),
                                         Gives("2.4999", 2), Gives("0.49", 0), Gives(".5", 0),
                                         Gives("7.", 7), Gives("-0.4", 0),
                                         Gives("-2147483648.5", INT32_MIN),
                                         Fails("2147483647.5", FailureKind::Overflow),
                                         Fails(".", FailureKind::TypeMismatch)));

// Hexadecimal texts are the unsigned pattern they spell: short ones are
// never negative, eight digits may be.
INSTANTIATE_TEST_SUITE_P(
    Hexadecimal, ParseNumberTest,
    testing::Values(
        Gives("&HFF", 255), Gives("&hff", 255), Gives("&HfF", 255), Gives("&Ha", 10),
        Gives("&O17", 15), Gives("&o777", 511), Gives("&HFFFF", 65535), Gives("&H8000", 32768),
        Gives("&H6B1F2F", 7020335), Gives("&HFF0000", 0xFF0000), Gives("&H7FFFFFFF", INT32_MAX),
        Gives("&H80000000", INT32_MIN), Gives("&HFFFFFFFF", -1), Gives(" &H0000000000FF ", 255),
        Fails("&H100000000", FailureKind::Overflow), Fails("&HFFFFFFFFF", FailureKind::Overflow),
        Fails("&H", FailureKind::TypeMismatch), Fails("&HG1", FailureKind::TypeMismatch),
        Fails("&H:", FailureKind::TypeMismatch), Fails("&O8", FailureKind::TypeMismatch),
        Fails("&H 1", FailureKind::TypeMismatch), Fails("-&H1", FailureKind::TypeMismatch),
        Fails("0xFF", FailureKind::TypeMismatch),
        // Not a number at all, however wide: no overflow.
        Fails("&H10000000136n400", FailureKind::TypeMismatch),
        Fails("&O777777777777779", FailureKind::TypeMismatch)));

// The colour value a "BackColor" text gives.
std::int32_t ColourValue(const std::string& text) { return ParseNumber(ParseColour(text)); }

class ColourValueTest : public testing::TestWithParam<NumberCase> {};

TEST_P(ColourValueTest, GivesTheValueOrFails) { ExpectCase(GetParam(), ColourValue); }

INSTANTIATE_TEST_SUITE_P(
    Examples, ColourValueTest,
    testing::Values(
        Gives("47,31,107", 7020335), Gives("1,2,3", 0x030201), Gives("15,16,17", 0x11100F),
        Gives("0,0,0", 0), Gives("255,255,255", 0xFFFFFF), Gives("16,32,64", 0x402010),
        Gives("255", 255), Gives("&HFF0000", 0xFF0000), Gives("7020335", 7020335),
        Gives("47,31,107,99", 7020335), Gives("47,31,107,junk", 7020335),
        Gives(" 47, 31, 107", 7020335), Gives("47.4,30.6,106.5", 0x6A1F2F),
        // Unclamped: red 12C spills into green.
        Gives("300,0,0", 0x12C), Gives("0,256,0", 0x10000),
        Fails("47,,107", FailureKind::TypeMismatch), Fails("47,31,", FailureKind::TypeMismatch),
        Fails("47,31", FailureKind::SubscriptOutOfRange), Fails("", FailureKind::TypeMismatch),
        Fails("blue", FailureKind::TypeMismatch), Fails("47;31;107", FailureKind::TypeMismatch),
        Fails("0,-1,0", FailureKind::Overflow), Fails("0,0,65536", FailureKind::Overflow)));

// The components are converted in the order red, green, blue: a bad red
// component is found before the missing blue one.
INSTANTIATE_TEST_SUITE_P(FirstFailureWins, ColourValueTest,
                         testing::Values(Fails("red,31", FailureKind::TypeMismatch),
                                         Fails(",31", FailureKind::TypeMismatch),
                                         Fails("47,green", FailureKind::TypeMismatch),
                                         Fails("3000000000,0", FailureKind::Overflow),
                                         Fails("red,31,x", FailureKind::TypeMismatch)));

TEST(ParseColourTest, SpellsBlueGreenRedInUpperCaseHex) {
  EXPECT_EQ(ParseColour("47,31,107"), "&H6B1F2F");
  EXPECT_EQ(ParseColour("1,2,3"), "&H030201");
  EXPECT_EQ(ParseColour("15,16,17"), "&H11100F");
  EXPECT_EQ(ParseColour("0,0,0"), "&H000000");
  EXPECT_EQ(ParseColour("300,0,0"), "&H000012C");
  EXPECT_EQ(ParseColour("&hff0000"), "&hff0000");
  EXPECT_EQ(ParseColour(" 255 "), " 255 ");
}

TEST(ParseColourTest, NegativeComponentIsNeverAColour) {
  // -1 spells eight F digits: either too wide or not a colour the window
  // takes.
  std::int32_t value = 0;
  const auto outcome = Attempt([&] { value = ColourValue("-1,0,0"); });
  if (outcome.failure) {
    EXPECT_EQ(outcome.failure->Kind(), FailureKind::Overflow);
  } else {
    EXPECT_EQ(ClassifyColour(value), ColourForm::Invalid) << value;
  }
}

}  // namespace
}  // namespace orvex
