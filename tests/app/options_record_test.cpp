#include "app/options_record.h"

#include <gtest/gtest.h>

namespace orvano::app {
namespace {

TEST(OptionsRecordTest, DefaultsShowAs0x9000Twice) {
  EXPECT_EQ(RecordOf(ConversionOptions{}), (OptionsRecord{"0x9000", "0x9000", 0}));
}

TEST(OptionsRecordTest, ShowsFourUpperCaseDigitsAndTheWaveBit) {
  EXPECT_EQ(RecordOf(ConversionOptions{0x00AB, 0xC000, true}), (OptionsRecord{"0x00AB", "0xC000", 1}));
}

struct ReadCase {
  const char* text;
  std::uint16_t value;
};

class ReadRecordTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadRecordTest, StoresTheNumberOfBothFields) {
  const auto result = ReadRecord(OptionsRecord{GetParam().text, GetParam().text, 0});
  ASSERT_TRUE(std::holds_alternative<ConversionOptions>(result));
  const auto& options = std::get<ConversionOptions>(result);
  EXPECT_EQ(options.LoadAddr, GetParam().value);
  EXPECT_EQ(options.StartAddr, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Notations, ReadRecordTest,
                         ::testing::Values(ReadCase{"0xc000", 0xC000}, ReadCase{"49152", 0xC000},
                                           ReadCase{"$C000", 0xC000}, ReadCase{"0777", 777},
                                           ReadCase{"-1", 0xFFFF}, ReadCase{"70000", 0x1170},
                                           ReadCase{"%101", 5}, ReadCase{"&17", 15}, ReadCase{"  x10", 16}));

TEST(ReadRecordTest, CheckBoxBitZeroIsWriteWave) {
  for (const std::uint16_t boxes : {std::uint16_t{0}, std::uint16_t{1}, std::uint16_t{2}, std::uint16_t{3}}) {
    const auto result = ReadRecord(OptionsRecord{"1", "2", boxes});
    ASSERT_TRUE(std::holds_alternative<ConversionOptions>(result));
    EXPECT_EQ(std::get<ConversionOptions>(result).WriteWave, (boxes & 1) != 0) << boxes;
  }
}

struct WrongCase {
  const char* load;
  const char* start;
  OptionsField field;
};

class WrongFieldTest : public ::testing::TestWithParam<WrongCase> {};

TEST_P(WrongFieldTest, NamesTheFirstFieldThatIsNoNumber) {
  const auto result = ReadRecord(OptionsRecord{GetParam().load, GetParam().start, 1});
  ASSERT_TRUE(std::holds_alternative<OptionsField>(result));
  EXPECT_EQ(std::get<OptionsField>(result), GetParam().field);
}

INSTANTIATE_TEST_SUITE_P(Texts, WrongFieldTest,
                         ::testing::Values(WrongCase{"", "0x9000", OptionsField::LoadAddr},
                                           WrongCase{"0x9000", "", OptionsField::StartAddr},
                                           WrongCase{"0xG000", "0x9000", OptionsField::LoadAddr},
                                           WrongCase{"0x9000", "12a", OptionsField::StartAddr},
                                           WrongCase{"zz", "zz", OptionsField::LoadAddr},
                                           WrongCase{"0x", "0x9000", OptionsField::LoadAddr}));

TEST(WrongFieldTest, MessageNamesTheField) {
  EXPECT_NE(NotANumberText(OptionsField::LoadAddr).find("LoadAddr"), std::string_view::npos);
  EXPECT_NE(NotANumberText(OptionsField::StartAddr).find("StartAddr"), std::string_view::npos);
}

}  // namespace
}  // namespace orvano::app
