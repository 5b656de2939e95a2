#include "app/options_record.h"

#include "common/number_text.h"

namespace orvano::app {

OptionsRecord RecordOf(const ConversionOptions& options) {
  return OptionsRecord{AddressText(options.LoadAddr), AddressText(options.StartAddr),
                       static_cast<std::uint16_t>(options.WriteWave ? 1 : 0)};
}

std::variant<ConversionOptions, OptionsField> ReadRecord(const OptionsRecord& record) {
  const auto load = ReadAddress(record.load_text);
  if (!load) return OptionsField::LoadAddr;
  const auto start = ReadAddress(record.start_text);
  if (!start) return OptionsField::StartAddr;
  return ConversionOptions{*load, *start, (record.check_boxes & 1u) != 0};
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
