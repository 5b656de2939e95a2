#include "app/key_binding.h"

namespace orvano::app {

KeyBinding::KeyBinding(finalcut::FWidget* parent, finalcut::FKey key, std::function<void()> action)
    : finalcut::FWidget(parent), action_(std::move(action)) {
  setGeometry(finalcut::FPoint{1, 1}, finalcut::FSize{1, 1}, false);
  unsetFocusable();
  addAccelerator(key);
}

void KeyBinding::onAccel(finalcut::FAccelEvent* ev) {
  ev->accept();
  action_();
}

}  // namespace orvano::app
