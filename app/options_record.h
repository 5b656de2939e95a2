#pragma once

#include <cstdint>
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

  bool operator==(const OptionsRecord&) const = default;
};

enum class OptionsField { LoadAddr, StartAddr };

OptionsRecord RecordOf(const ConversionOptions& options);

// The options the record holds, or the first field whose text is no number.
std::variant<ConversionOptions, OptionsField> ReadRecord(const OptionsRecord& record);

// What the dialog tells the user about a field it cannot read.
std::string_view NotANumberText(OptionsField field);

}  // namespace orvano::app
