#pragma once

#include <final/final.h>

#include <functional>

namespace orvano::app {

// A global key: an invisible widget whose accelerator runs the action. The
// toolkit tells an accelerator's widget that it fired, but not which key.
class KeyBinding final : public finalcut::FWidget {
 public:
  KeyBinding(finalcut::FWidget* parent, finalcut::FKey key, std::function<void()> action);

 protected:
  void onAccel(finalcut::FAccelEvent* ev) override;

 private:
  void draw() override {}

  std::function<void()> action_;
};

}  // namespace orvano::app
