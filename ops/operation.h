#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/conversion_options.h"
#include "common/file_names.h"
#include "common/outcome.h"
#include "common/reporter.h"
#include "ops/commands.h"

namespace orvano::ops {

// Where an operation sits in the menu bar.
enum class Menu : std::uint8_t { None, File, Decode, Window, Help };

// The keys that run an operation from anywhere. The text UI maps them to
// the toolkit's key codes.
enum class Key : std::uint8_t { None, F1, F2, F3, F5, F6, F9, F10, ShiftF6, CtrlF5, AltF3, AltX };

// What an operation works on.
enum class Input : std::uint8_t {
  None,              // the text UI's own actions: windows, dialogs, help
  OpenedSource,      // the recording chosen with Open; FILE on the command line
  OneFile,           // a file it asks for itself (New); FILE on the command line
  Files,             // FILE... on the command line; the opened recording in the text UI
  OutputAndSources,  // OUT SOURCE... on the command line only
};

// The command-line options an operation takes.
enum Flag : unsigned {
  kWave = 1u << 0,     // --wave
  kLoad = 1u << 1,     // --load ADDR
  kStart = 1u << 2,    // --start ADDR
  kBaud = 1u << 3,     // --baud 1200|2400
  kChannel = 1u << 4,  // --channel auto|left|right|mix
  kDialect = 1u << 5,  // --dialect auto|msx|korvet
  kOutput = 1u << 6,   // -o DIR
  kJobs = 1u << 7,     // --jobs N
  kJson = 1u << 8,     // --json
  kName = 1u << 9,     // --name NAME
};

// One run of an operation: what it works on and where it tells about it.
struct Request {
  FileNameSet& names;
  const ConversionOptions& options;
  Reporter& reporter;
  std::vector<std::string> files;  // the FILE arguments, or the file the text UI has
  std::string output;              // -o DIR, or the OUT of cas-pack; empty: the default
  unsigned jobs = 0;               // recordings decoded at once; 0: one per core
  std::string tape_name;           // --name; empty: made from the file name
};

// Each operation is declared once, here, with everything the menus, the
// status line, the command dispatch and the command line need. Both
// programs are built from this table.
struct Operation {
  Command command = 0;  // 0: the command line only
  Menu menu = Menu::None;
  std::string_view menu_text;  // "~R~aw recode": "~x~" marks the hot letter
  bool separated = false;      // a separator line above it in its menu
  std::string_view key_hint;   // shown at the right of the menu item ("F2", "Alt-X")
  Key key = Key::None;
  std::string_view status_text;  // its item on the status line ("~F3~ Open"); empty: none
  std::string_view hint;         // the status line's hint while the menu item is highlighted
  std::string_view subcommand;   // empty: the text UI only
  std::string_view arguments;    // "FILE", "FILE...", "OUT SOURCE..."
  std::string_view summary;
  unsigned flags = 0;
  Input input = Input::None;
  // How it runs; none for the text UI's own actions, which the UI binds to
  // their commands itself.
  Outcome (*run)(Request&) = nullptr;
};

std::span<const Operation> Operations();

// The operation with that command number or subcommand name, or none.
const Operation* FindByCommand(Command command);
const Operation* FindBySubcommand(std::string_view name);

// Operations that work on the opened recording run only while there is one.
constexpr bool NeedsOpenedSource(const Operation& operation) {
  return operation.command != 0 && (operation.input == Input::OpenedSource || operation.input == Input::Files);
}

// The commands of those operations: the text UI greys them while no
// recording is open.
std::span<const Command> SourceCommands();

}  // namespace orvano::ops
