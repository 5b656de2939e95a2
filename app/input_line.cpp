#include "app/input_line.h"

#include <cstdint>

namespace orvano::app {
namespace {

bool IsCharacter(finalcut::FKey key) {
  const auto code = static_cast<std::uint32_t>(key);
  return code >= 0x20 && code != 0x7F && code < 0x01000000;
}

bool EditsText(finalcut::FKey key) {
  using finalcut::FKey;
  switch (key) {
    case FKey::Left:
    case FKey::Right:
    case FKey::Home:
    case FKey::End:
    case FKey::Del_char:
    case FKey::Erase:
    case FKey::Backspace:
    case FKey::Insert:
    case FKey::Return:
    case FKey::Enter:
      return true;
    default:
      return IsCharacter(key);
  }
}

}  // namespace

void InputLine::SetFreshText(const finalcut::FString& fresh_text) {
  setText(fresh_text);
  fresh_ = true;
  redraw();
}

void InputLine::onKeyPress(finalcut::FKeyEvent* ev) {
  const finalcut::FKey key = ev->key();
  if (key == finalcut::FKey::Down && down_action_) {
    ev->accept();
    down_action_();
    return;
  }
  if (fresh_ && IsCharacter(key)) clear();
  fresh_ = false;
  if (getText().getLength() >= getMaxLength() && !EditsText(key)) {
    ev->ignore();
    return;
  }
  finalcut::FLineEdit::onKeyPress(ev);
}

void InputLine::onFocusIn(finalcut::FFocusEvent* ev) {
  fresh_ = true;
  finalcut::FLineEdit::onFocusIn(ev);
}

void InputLine::onMouseDown(finalcut::FMouseEvent* ev) {
  // A click places the cursor: the user means to edit, not to replace.
  fresh_ = false;
  finalcut::FLineEdit::onMouseDown(ev);
}

}  // namespace orvano::app
