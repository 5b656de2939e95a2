#pragma once

#include <final/final.h>

namespace orvano::app {

// An input line as the dialogs want it: the first character typed after
// the line got the focus replaces the whole text, as a selected text would
// be replaced; and Esc, Tab, function and Alt keys pass on to the dialog even
// when the text has its maximum length. The toolkit's own line swallows them
// with a beep once it is full, which "0x9000" in a six-character line is.
class InputLine final : public finalcut::FLineEdit {
 public:
  explicit InputLine(finalcut::FWidget* parent) : finalcut::FLineEdit(parent) {}

  // The next character typed replaces this text.
  void SetFreshText(const finalcut::FString& fresh_text);

 protected:
  void onKeyPress(finalcut::FKeyEvent* ev) override;
  void onFocusIn(finalcut::FFocusEvent* ev) override;
  void onMouseDown(finalcut::FMouseEvent* ev) override;

 private:
  bool fresh_ = true;
};

}  // namespace orvano::app
