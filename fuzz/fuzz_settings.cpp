// Any bytes as a settings file: reading must not crash, and settings that
// were read must be written so that they read back the same.
#include <cstdlib>
#include <string_view>
#include <variant>

#include "app/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto read = orvano::app::ReadSettings(text);
  const auto* settings = std::get_if<orvano::app::Settings>(&read);
  if (settings == nullptr) return 0;
  const auto again = orvano::app::ReadSettings(orvano::app::SettingsText(*settings));
  const auto* same = std::get_if<orvano::app::Settings>(&again);
  if (same == nullptr || *same != *settings) std::abort();
  return 0;
}
