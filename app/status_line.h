#pragma once

#include <final/final.h>

#include <functional>
#include <span>
#include <string_view>

#include <vector>

#include "app/command_set.h"

namespace orvano::app {

struct StatusItem {
  std::string_view text;  // "~x~" marks the highlighted part
  Command command;
};

// The bottom line of the screen: " ~Alt-X~ Exit  ~F3~ Open". A click on an
// item issues its command; the keys themselves are global key bindings.
class StatusLine final : public finalcut::FWidget {
 public:
  StatusLine(finalcut::FWidget* parent, std::vector<StatusItem> items, std::function<void(Command)> issue);

 protected:
  void onMouseUp(finalcut::FMouseEvent* ev) override;
  void adjustSize() override;

 private:
  void draw() override;
  void Place();

  std::vector<StatusItem> items_;
  std::function<void(Command)> issue_;
};

}  // namespace orvano::app
