#pragma once

#include <final/final.h>

#include <string>
#include <string_view>

namespace orvano::app {

// A modal message box with one OK button and the text centred; it returns
// when the user closed it. The title is the program's own text; the text is
// given as drawn, so that the caller decides whether it is the program's
// (oem_text.h) or the user's, such as a path (user_text.h).
void ShowMessage(finalcut::FWidget* parent, std::string_view title, const std::wstring& text);

}  // namespace orvano::app
