#include "app/message_box.h"

#include "app/oem_text.h"

namespace orvano::app {

void ShowMessage(finalcut::FWidget* parent, std::string_view title, const std::wstring& text) {
  using Button = finalcut::FMessageBox::ButtonType;
  finalcut::FMessageBox box{finalcut::FString{WideText(title)}, finalcut::FString{text}, Button::Ok,
                            Button::Reject, Button::Reject, parent};
  box.setCenterText();
  box.exec();
  // Hidden while still modal, a dialog ends the event loop around it.
  box.unsetModal();
  box.hide();
}

}  // namespace orvano::app
