#include "app/menus.h"

#include <algorithm>
#include <string>

#include "app/menu_text.h"

namespace orvano::app {

Menus::Menus(finalcut::FWidget* desktop, std::function<void(Command)> issue)
    : issue_(std::move(issue)), bar_(desktop) {
  AddMenu("~F~ile", ops::Menu::File);
  AddMenu("~D~ecode", ops::Menu::Decode);
  AddMenu("~W~indow", ops::Menu::Window);
  AddMenu("~H~elp", ops::Menu::Help);
}

Menus::~Menus() {
  items_.clear();
  menus_.clear();
}

void Menus::AddMenu(std::string_view title, ops::Menu place) {
  auto& menu = *menus_.emplace_back(
      std::make_unique<finalcut::FMenu>(finalcut::FString{ToolkitHotKey(title)}, &bar_));
  // Disabling a menu-bar title through its own callbacks recurses without
  // end in this toolkit; the title's state is set by hand in Apply().
  menu.getItem()->delCallback("enable");
  menu.getItem()->delCallback("disable");
  std::vector<const ops::Operation*> members;
  std::vector<MenuEntry> entries;
  for (const ops::Operation& op : ops::Operations()) {
    if (op.menu != place) continue;
    members.push_back(&op);
    entries.push_back({op.menu_text, op.key_hint});
  }
  const std::vector<std::string> texts = AlignedItems(entries);
  Title& title_entry = titles_.emplace_back(Title{&menu, {}});
  for (std::size_t i = 0; i < members.size(); ++i) {
    if (members[i]->separated) items_.emplace_back(std::make_unique<finalcut::FMenuItem>(&menu))->setSeparator();
    auto& widget = *items_.emplace_back(std::make_unique<finalcut::FMenuItem>(finalcut::FString{texts[i]}, &menu));
    const Command command = members[i]->command;
    widget.addCallback("clicked", [this, command] { issue_(command); });
    commands_.emplace_back(&widget, command);
    title_entry.commands.push_back(command);
  }
}

void Menus::Apply(const CommandSet& commands) {
  for (const auto& [item, command] : commands_) item->setEnable(commands.Has(command));
  // A drop-down with every item grey opens without a focused item and
  // locks the keyboard, so its title goes grey with them: Decode before
  // Open, Window while no window is open.
  for (const Title& title : titles_) title.menu->getItem()->setEnable(commands.HasAny(title.commands));
  bar_.redraw();
}

std::optional<Command> Menus::Highlighted() const {
  for (const auto& [item, command] : commands_) {
    if (item->isSelected() && item->getParentWidget()->isShown()) return command;
  }
  return std::nullopt;
}

void Menus::OpenBar() {
  finalcut::FAccelEvent ev{finalcut::Event::Accelerator, finalcut::FWidget::getFocusWidget()};
  bar_.onAccel(&ev);
}

}  // namespace orvano::app
