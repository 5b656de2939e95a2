#include "app/oem_text.h"

#include "app/cp866.h"

namespace orvano::app {

std::wstring WideText(std::string_view oem) {
  std::wstring wide;
  wide.reserve(oem.size());
  for (const char c : oem) wide += static_cast<wchar_t>(Cp866ToUnicode(static_cast<std::uint8_t>(c)));
  return wide;
}

}  // namespace orvano::app
