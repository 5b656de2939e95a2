#pragma once

#include <final/final.h>

#include <functional>

namespace orvano::app {

// An input line as the dialogs want it: the first character typed after
// the line got the focus replaces the whole text, as a selected text would
// be replaced; and Esc, Tab, function and Alt keys pass on to the dialog even
// when the text has its maximum length. The toolkit's own line swallows them
// with a beep once it is full, which "0x9000" in a six-character line is.
// Down can be given an action of its own (the history of a name line);
// otherwise the toolkit takes it to the next field.
class InputLine final : public finalcut::FLineEdit {
 public:
  explicit InputLine(finalcut::FWidget* parent) : finalcut::FLineEdit(parent) {}

  // The next character typed replaces this text.
  void SetFreshText(const finalcut::FString& fresh_text);
  void SetDownAction(std::function<void()> action) { down_action_ = std::move(action); }

 protected:
  void onKeyPress(finalcut::FKeyEvent* ev) override;
  void onFocusIn(finalcut::FFocusEvent* ev) override;
  void onMouseDown(finalcut::FMouseEvent* ev) override;

 private:
  bool fresh_ = true;
  std::function<void()> down_action_;
};

}  // namespace orvano::app
