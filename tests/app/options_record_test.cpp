#include "app/options_record.h"

#include <gtest/gtest.h>

#include "app/choice_row.h"
#include "common/option_names.h"

namespace orvano::app {
namespace {

TEST(OptionsRecordTest, DefaultsShowAs0x9000Twice) {
  EXPECT_EQ(RecordOf(ConversionOptions{}), (OptionsRecord{"0x9000", "0x9000", 0}));
}

TEST(OptionsRecordTest, ShowsFourUpperCaseDigitsAndTheWaveBit) {
  EXPECT_EQ(RecordOf(ConversionOptions{0x00AB, 0xC000, true}), (OptionsRecord{"0x00AB", "0xC000", 1}));
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

TEST(OptionsRecordTest, ButtonsStandInTheOrderOfTheValues) {
  // A row whose buttons are not in the order of the option's values would
  // swap two choices on the way through the dialog.
  const std::pair<OptionsChoice, std::span<const std::string_view>> rows[] = {
      {OptionsChoice::Baud, BaudNames()}, {OptionsChoice::Channel, ChannelNames()}, {OptionsChoice::Basic, DialectNames()}};
  for (const auto& [choice, names] : rows) {
    const auto labels = ChoiceLabels(choice);
    ASSERT_EQ(labels.size(), names.size());
    for (std::size_t i = 0; i < labels.size(); ++i) EXPECT_EQ(Lower(labels[i]), names[i]);
  }
}

TEST(OptionsRecordTest, EveryChoiceGoesThroughTheRecordAndBack) {
  for (const std::string_view baud : BaudNames()) {
    for (const std::string_view channel : ChannelNames()) {
      for (const std::string_view dialect : DialectNames()) {
        ConversionOptions options{0x1234, 0x5678, true};
        options.baud = *ReadBaud(baud);
        options.channel = *ReadChannel(channel);
        options.dialect = *ReadDialect(dialect);
        EXPECT_EQ(std::get<ConversionOptions>(ReadRecord(RecordOf(options))), options);
      }
    }
  }
}

TEST(OptionsRecordTest, AChoicePastTheLastButtonIsTheFirst) {
  OptionsRecord record = RecordOf(ConversionOptions{});
  record.baud = 2;
  record.channel = 4;
  record.dialect = 99;
  EXPECT_EQ(std::get<ConversionOptions>(ReadRecord(record)), ConversionOptions{});
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

constexpr std::string_view kLabels[] = {"Auto", "Left", "Right", "Mix"};

struct ChoiceClick {
  int column;
  std::optional<std::size_t> choice;
};

class ChoiceAtTest : public ::testing::TestWithParam<ChoiceClick> {};

// "(*) Auto  ( ) Left  ( ) Right  ( ) Mix"
TEST_P(ChoiceAtTest, AClickPicksTheButtonUnderIt) { EXPECT_EQ(ChoiceAt(kLabels, GetParam().column), GetParam().choice); }

INSTANTIATE_TEST_SUITE_P(Columns, ChoiceAtTest,
                         ::testing::Values(ChoiceClick{0, std::nullopt}, ChoiceClick{1, 0}, ChoiceClick{8, 0},
                                           ChoiceClick{9, std::nullopt}, ChoiceClick{10, std::nullopt},
                                           ChoiceClick{11, 1}, ChoiceClick{21, 2}, ChoiceClick{32, 3},
                                           ChoiceClick{38, 3}, ChoiceClick{39, std::nullopt}));

TEST(ChoiceRowTest, RowIsAsWideAsItsButtons) {
  EXPECT_EQ(ChoiceRowWidth(kLabels), 38);
  EXPECT_EQ(ChoiceColumn(kLabels, 3), 32);
  EXPECT_EQ(ChoiceRowWidth({}), 0);
}

TEST(ChoiceRowTest, ArrowsStopAtTheEnds) {
  EXPECT_EQ(StepChoice(0, -1, 4), 0u);
  EXPECT_EQ(StepChoice(0, 1, 4), 1u);
  EXPECT_EQ(StepChoice(3, 1, 4), 3u);
  EXPECT_EQ(StepChoice(2, -1, 4), 1u);
}

}  // namespace
}  // namespace orvano::app
