#include "app/check_box.h"

namespace orvano::app {

bool IsEnter(finalcut::FKey key) { return key == finalcut::FKey::Return || key == finalcut::FKey::Enter; }

void CheckBox::onKeyPress(finalcut::FKeyEvent* ev) {
  if (IsEnter(ev->key())) {
    ev->ignore();
    return;
  }
  finalcut::FCheckBox::onKeyPress(ev);
}

}  // namespace orvano::app
