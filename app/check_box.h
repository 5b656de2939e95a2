#pragma once

#include <final/final.h>

namespace orvano::app {

// A check box for dialogs where Enter accepts the whole dialog from any
// field: Space ticks it, and Enter passes on to the dialog instead of
// ticking it as the toolkit's own box does.
class CheckBox final : public finalcut::FCheckBox {
 public:
  explicit CheckBox(finalcut::FWidget* parent) : finalcut::FCheckBox(parent) {}

 protected:
  void onKeyPress(finalcut::FKeyEvent* ev) override;
};

// True for the keys that mean "accept the dialog".
bool IsEnter(finalcut::FKey key);

}  // namespace orvano::app
