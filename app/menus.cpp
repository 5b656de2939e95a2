#include "app/menus.h"

#include <string>

#include "app/menu_text.h"

namespace orvano::app {

Menus::Menus(finalcut::FWidget* desktop, std::function<void(Command)> issue)
    : issue_(std::move(issue)), bar_(desktop) {
  AddMenu("~F~ile", ops::Menu::File);
  decode_menu_ = &AddMenu("~D~ecode", ops::Menu::Decode);
  AddMenu("~W~indow", ops::Menu::Window);
  AddMenu("~H~elp", ops::Menu::Help);
  // Disabling a menu-bar title through its own callbacks recurses without
  // end in this toolkit; the title's state is set by hand in Apply().
  decode_menu_->getItem()->delCallback("enable");
  decode_menu_->getItem()->delCallback("disable");
}

Menus::~Menus() {
  items_.clear();
  menus_.clear();
}

finalcut::FMenu& Menus::AddMenu(std::string_view title, ops::Menu place) {
  auto& menu = *menus_.emplace_back(
      std::make_unique<finalcut::FMenu>(finalcut::FString{ToolkitHotKey(title)}, &bar_));
  std::vector<const ops::Operation*> members;
  std::vector<MenuEntry> entries;
  for (const ops::Operation& op : ops::Operations()) {
    if (op.menu != place) continue;
    members.push_back(&op);
    entries.push_back({op.menu_text, op.key_hint});
  }
  const std::vector<std::string> texts = AlignedItems(entries);
  for (std::size_t i = 0; i < members.size(); ++i) {
    if (members[i]->separated) items_.emplace_back(std::make_unique<finalcut::FMenuItem>(&menu))->setSeparator();
    auto& widget = *items_.emplace_back(std::make_unique<finalcut::FMenuItem>(finalcut::FString{texts[i]}, &menu));
    const Command command = members[i]->command;
    widget.addCallback("clicked", [this, command] { issue_(command); });
    commands_.emplace_back(&widget, command);
  }
  return menu;
}

void Menus::Apply(const CommandSet& commands) {
  for (const auto& [item, command] : commands_) item->setEnable(commands.Has(command));
  // A drop-down with every item grey opens without a focused item and
  // locks the keyboard, so the whole Decode title goes grey with them.
  decode_menu_->getItem()->setEnable(commands.HasAny(ops::SourceCommands()));
  bar_.redraw();
}

}  // namespace orvano::app
