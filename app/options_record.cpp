#include "app/options_record.h"

#include <array>

#include "common/number_text.h"

namespace orvano::app {
namespace {

constexpr std::array<std::string_view, 2> kBaudLabels{"1200", "2400"};
constexpr std::array<std::string_view, 4> kChannelLabels{"Auto", "Left", "Right", "Mix"};
constexpr std::array<std::string_view, 3> kBasicLabels{"Auto", "MSX", "Korvet"};

template <typename Choice>
Choice ChoiceOf(std::uint16_t index, OptionsChoice row) {
  return static_cast<Choice>(index < ChoiceLabels(row).size() ? index : 0);
}

}  // namespace

std::span<const std::string_view> ChoiceLabels(OptionsChoice choice) {
  switch (choice) {
    case OptionsChoice::Baud:
      return kBaudLabels;
    case OptionsChoice::Channel:
      return kChannelLabels;
    case OptionsChoice::Basic:
      return kBasicLabels;
  }
  return {};
}

OptionsRecord RecordOf(const ConversionOptions& options) {
  return OptionsRecord{AddressText(options.LoadAddr),
                       AddressText(options.StartAddr),
                       static_cast<std::uint16_t>(options.WriteWave ? 1 : 0),
                       static_cast<std::uint16_t>(options.baud),
                       static_cast<std::uint16_t>(options.channel),
                       static_cast<std::uint16_t>(options.dialect)};
}

std::variant<ConversionOptions, OptionsField> ReadRecord(const OptionsRecord& record) {
  const auto load = ReadAddress(record.load_text);
  if (!load) return OptionsField::LoadAddr;
  const auto start = ReadAddress(record.start_text);
  if (!start) return OptionsField::StartAddr;
  ConversionOptions options;
  options.LoadAddr = *load;
  options.StartAddr = *start;
  options.WriteWave = (record.check_boxes & 1u) != 0;
  options.baud = ChoiceOf<Baud>(record.baud, OptionsChoice::Baud);
  options.channel = ChoiceOf<ChannelChoice>(record.channel, OptionsChoice::Channel);
  options.dialect = ChoiceOf<DialectChoice>(record.dialect, OptionsChoice::Basic);
  return options;
}

std::string_view NotANumberText(OptionsField field) {
  switch (field) {
    case OptionsField::LoadAddr:
      return "LoadAddr is not a number";
    case OptionsField::StartAddr:
      return "StartAddr is not a number";
  }
  return {};
}

}  // namespace orvano::app
