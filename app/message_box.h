#pragma once

#include <final/final.h>

#include <string_view>

namespace orvano::app {

// A modal message box with one OK button and the text centred; it returns
// when the user closed it.
void ShowMessage(finalcut::FWidget* parent, std::string_view title, std::string_view text);

}  // namespace orvano::app
