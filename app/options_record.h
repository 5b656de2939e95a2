#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "common/conversion_options.h"

namespace orvano::app {

// What the Options dialog shows and gives back, in the order of its controls.
struct OptionsRecord {
  static constexpr std::size_t kAddressLength = 6;  // "0x" and four digits

  std::string load_text;
  std::string start_text;
  std::uint16_t check_boxes = 0;  // bit 0: Write wave
  // The chosen button of each row of choices, counted from 0 in the order
  // of ChoiceLabels().
  std::uint16_t baud = 0;
  std::uint16_t channel = 0;
  std::uint16_t dialect = 0;

  bool operator==(const OptionsRecord&) const = default;
};

enum class OptionsField { LoadAddr, StartAddr };

// The rows of choices of the dialog.
enum class OptionsChoice { Baud, Channel, Basic };

// The buttons of a row as the dialog labels them, in the order of the
// option's values.
std::span<const std::string_view> ChoiceLabels(OptionsChoice choice);

OptionsRecord RecordOf(const ConversionOptions& options);

// The options the record holds, or the first field whose text is no number.
// A choice past the last button counts as the first.
std::variant<ConversionOptions, OptionsField> ReadRecord(const OptionsRecord& record);

// What the dialog tells the user about a field it cannot read.
std::string_view NotANumberText(OptionsField field);

}  // namespace orvano::app
