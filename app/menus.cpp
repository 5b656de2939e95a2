#include "app/menus.h"

#include <string>

#include "app/menu_text.h"

namespace orvano::app {

Menus::Menus(finalcut::FWidget* desktop, std::function<void(Command)> issue)
    : issue_(std::move(issue)), bar_(desktop) {
  static constexpr ItemSpec kFile[] = {
      {"~N~ew", "F2", cmNew}, {"~O~pen...", "F3", cmOpen}, {{}, {}, 0},
      {"O~p~tions", {}, cmOptions}, {{}, {}, 0}, {"E~x~it", "Alt-X", cmQuit},
  };
  static constexpr ItemSpec kDecode[] = {
      {"~R~aw recode", {}, cmRawRecode},
      {"Phase ~1~ decode", {}, cmPhase1Decode},
      {"Phase ~2~ decode", {}, cmPhase2Decode},
      {"~C~AS/TXT/BIN decode", {}, cmCasDecode},
      {"~B~AS decode", {}, cmBasDecode},
  };
  static constexpr ItemSpec kWindow[] = {
      {"~T~ile", {}, cmTile},
      {"C~a~scade", {}, cmCascade},
      {"Cl~o~se all", {}, cmCloseAll},
      {{}, {}, 0},
      {"~S~ize/Move", "Ctrl+F5", cmResize},
      {"~Z~oom", "F5", cmZoom},
      {"~N~ext", "F6", cmNext},
      {"~P~revious", "Shift+F6", cmPrev},
      {"~C~lose", "Alt+F3", cmClose},
  };
  static constexpr ItemSpec kHelp[] = {{"~A~bout...", "F1", cmAbout}};

  AddMenu("~F~ile", kFile);
  decode_menu_ = &AddMenu("~D~ecode", kDecode);
  AddMenu("~W~indow", kWindow);
  AddMenu("~H~elp", kHelp);
  // Disabling a menu-bar title through its own callbacks recurses without
  // end in this toolkit; the title's state is set by hand in Apply().
  decode_menu_->getItem()->delCallback("enable");
  decode_menu_->getItem()->delCallback("disable");
}

Menus::~Menus() {
  items_.clear();
  menus_.clear();
}

finalcut::FMenu& Menus::AddMenu(std::string_view title, std::span<const ItemSpec> items) {
  auto& menu = *menus_.emplace_back(
      std::make_unique<finalcut::FMenu>(finalcut::FString{ToolkitHotKey(title)}, &bar_));
  std::vector<MenuEntry> entries;
  for (const ItemSpec& item : items) entries.push_back({item.text, item.hint});
  const std::vector<std::string> texts = AlignedItems(entries);
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].text.empty()) {
      items_.emplace_back(std::make_unique<finalcut::FMenuItem>(&menu))->setSeparator();
      continue;
    }
    auto& widget = *items_.emplace_back(std::make_unique<finalcut::FMenuItem>(finalcut::FString{texts[i]}, &menu));
    const Command command = items[i].command;
    widget.addCallback("clicked", [this, command] { issue_(command); });
    commands_.emplace_back(&widget, command);
  }
  return menu;
}

void Menus::Apply(const CommandSet& commands) {
  for (const auto& [item, command] : commands_) item->setEnable(commands.Has(command));
  // A drop-down with every item grey opens without a focused item and
  // locks the keyboard, so the whole Decode title goes grey with them.
  decode_menu_->getItem()->setEnable(commands.HasAny(kDecodeCommands));
  bar_.redraw();
}

}  // namespace orvano::app
