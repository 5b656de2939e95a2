#pragma once

#include <final/final.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_set.h"
#include "app/status_text.h"

namespace orvano::app {

// The bottom line of the screen: " ~F1~ Help  ~F3~ Open ..." and, while a
// menu item is highlighted, its hint. A click on an item issues its
// command; the keys themselves are global key bindings.
//
// It is a window of its own because the toolkit hands a mouse click only to
// a window and its children; it never takes the focus.
class StatusLine final : public finalcut::FWindow {
 public:
  StatusLine(finalcut::FWidget* parent, std::vector<StatusItem> items, std::function<void(Command)> issue);

  // The hint to show after the items; empty for none.
  void SetHint(std::string_view hint);

 protected:
  void onMouseDown(finalcut::FMouseEvent* ev) override;
  void onMouseUp(finalcut::FMouseEvent* ev) override;
  void adjustSize() override;

 private:
  void draw() override;
  void Place();

  std::vector<StatusItem> items_;
  std::function<void(Command)> issue_;
  std::string hint_;
  std::optional<Command> pressed_;
};

}  // namespace orvano::app
