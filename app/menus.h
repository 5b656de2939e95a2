#pragma once

#include <final/final.h>

#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "app/command_set.h"
#include "ops/operation.h"

namespace orvano::app {

// The menu bar: File, Decode, Window and Help, made from the table of
// operations. Every item issues its command; the items follow the command
// set, grey when their command is disabled.
class Menus {
 public:
  Menus(finalcut::FWidget* desktop, std::function<void(Command)> issue);
  ~Menus();
  Menus(const Menus&) = delete;
  Menus& operator=(const Menus&) = delete;

  void Apply(const CommandSet& commands);

  // The command of the item highlighted in an open drop-down, if any.
  std::optional<Command> Highlighted() const;
  // Opens the menu bar as F10 does.
  void OpenBar();

 private:
  struct Title {
    finalcut::FMenu* menu;
    std::vector<Command> commands;
  };

  void AddMenu(std::string_view title, ops::Menu place);

  std::function<void(Command)> issue_;
  finalcut::FMenuBar bar_;
  // Destroyed before the bar, items before their menus: left to the
  // toolkit, heap menus are freed twice at exit.
  std::vector<std::unique_ptr<finalcut::FMenu>> menus_;
  std::vector<std::unique_ptr<finalcut::FMenuItem>> items_;
  std::vector<std::pair<finalcut::FMenuItem*, Command>> commands_;
  std::vector<Title> titles_;
};

}  // namespace orvano::app
