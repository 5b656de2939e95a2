#include "app/help_text.h"

#include <algorithm>

#include "app/menu_text.h"
#include "ops/operation.h"

namespace orvano::app {
namespace {

constexpr std::size_t kKeyColumn = 16;
constexpr std::size_t kStepColumn = 22;

std::string Entry(std::string_view name, std::string_view text, std::size_t column) {
  std::string line = "  " + std::string(name);
  if (text.empty()) return line;
  line.append(line.size() < column ? column - line.size() : 1, ' ');
  return line + std::string(text);
}

std::string MenuName(std::string_view menu_text) {
  std::string name = VisibleText(menu_text);
  while (!name.empty() && name.back() == '.') name.pop_back();
  return name;
}

}  // namespace

std::vector<std::string> HelpLines(std::span<const ops::Command> unavailable) {
  using ops::Operation;
  const auto available = [&](const Operation& op) {
    return std::find(unavailable.begin(), unavailable.end(), op.command) == unavailable.end();
  };
  std::vector<std::string> lines = {
      "Orvano turns the recording of an MSX cassette into files, and files",
      "back into the signal of a tape.",
      "",
      "Keys",
  };
  std::vector<const Operation*> keyed;
  for (const Operation& op : ops::Operations()) {
    if (!op.key_hint.empty() && op.command != 0 && available(op)) keyed.push_back(&op);
  }
  std::stable_sort(keyed.begin(), keyed.end(), [](const Operation* a, const Operation* b) { return a->key < b->key; });
  for (const Operation* op : keyed) {
    const std::string name = MenuName(op->menu_text);
    lines.push_back(Entry(op->key_hint, op->hint.empty() ? name : name + ": " + std::string(op->hint), kKeyColumn));
  }
  const std::vector<std::string> keys = {
      Entry("F10", "the menu bar; Alt and a highlighted letter opens one menu", kKeyColumn),
      Entry("Up, Down, PgUp, PgDn, Home, End, mouse wheel", "", kKeyColumn),
      Entry("", "scroll the log, this help and the viewer", kKeyColumn),
      Entry("Esc", "closes this help, the viewer, a list or a dialog", kKeyColumn),
      Entry("Tab", "the next field of a dialog; Enter accepts it from any field", kKeyColumn),
      Entry("Space", "ticks a box; Left and Right change a choice", kKeyColumn),
      "",
      "  In the Open dialog, Enter opens the typed or the selected name, or",
      "  enters a folder (\"..\" goes up); Down in the name line lists the",
      "  names chosen before; a mask such as *.CAS changes the list, whatever",
      "  the case of the names. The dialog starts in the folder of the last",
      "  name chosen.",
      "",
      "Decode: the steps, on the recording chosen with Open (FILE)",
  };
  lines.insert(lines.end(), keys.begin(), keys.end());
  for (const Operation& op : ops::Operations()) {
    if (op.menu != ops::Menu::Decode || op.summary.empty() || !available(op)) continue;
    lines.push_back(Entry(MenuName(op.menu_text), op.summary, kStepColumn));
  }
  const std::vector<std::string> rest = {
      "",
      "  Every output lies beside its source and shares its base name:",
      "  GAME.RAW gives GAME.MSR, GAME.TX1, GAME.TX2, GAME.CAS, GAME.BAS.",
      "  After BAS decode the listing is shown; File > View shows any file.",
      "  Whole tape reads the recording once and writes every file on it into",
      "  a folder named after it (GAME.WAV gives GAME/): NN-NAME.CAS, .BIN or",
      "  .TXT for each file, NN-NAME.BAS for each program, the tape image",
      "  tape.cas and report.json; then it lists the files found.",
      "",
      "Options (File > Options), for New and the decoding",
      Entry("LoadAddr", "where a binary file is loaded on the machine", kStepColumn),
      Entry("StartAddr", "where a binary file is started", kStepColumn),
      Entry("Write wave", "New writes a .WAV file instead of raw samples", kStepColumn),
      Entry("Baud", "1200 or 2400: how fast New writes the tape", kStepColumn),
      Entry("Channel", "which channel of a stereo recording carries the", kStepColumn),
      Entry("", "tape: auto takes the stronger one, mix both", kStepColumn),
      Entry("BASIC", "the BASIC a program is listed in: MSX, Korvet,", kStepColumn),
      Entry("", "or auto, which decides from the program", kStepColumn),
      "",
      "  The options and the names chosen before are kept in",
      "  $XDG_CONFIG_HOME/orvano/settings (~/.config/orvano/settings).",
  };
  lines.insert(lines.end(), rest.begin(), rest.end());
  return lines;
}

}  // namespace orvano::app
