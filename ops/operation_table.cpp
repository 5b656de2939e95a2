#include <algorithm>
#include <array>
#include <vector>

#include "ops/operation.h"
#include "ops/runners.h"

namespace orvano::ops {
namespace {

constexpr unsigned kEncodeFlags = kWave | kLoad | kStart | kBaud;

// In the order of the menus and of the command line's list.
constexpr std::array kOperations{
    Operation{.command = cmNew, .menu = Menu::File, .menu_text = "~N~ew", .key_hint = "F2", .key = Key::F2,
              .status_text = "~F2~ New", .hint = "Put a file on tape (.RAW, .WAV)",
              .subcommand = "encode", .arguments = "FILE",
              .summary = "tape signal of a .BIN/.COM, .CAS, text file or tape image: FILE.RAW (or .WAV)",
              .flags = kEncodeFlags, .input = Input::OneFile, .run = &RunConvertSource},
    Operation{.command = cmOpen, .menu = Menu::File, .menu_text = "~O~pen...", .key_hint = "F3", .key = Key::F3,
              .status_text = "~F3~ Open", .hint = "Choose a recording to decode"},
    Operation{.command = cmView, .menu = Menu::File, .menu_text = "~V~iew...",
              .hint = "Show a file as text or in hex"},
    Operation{.command = cmOptions, .menu = Menu::File, .menu_text = "O~p~tions", .separated = true,
              .hint = "Addresses, wave, baud, BASIC"},
    Operation{.command = cmQuit, .menu = Menu::File, .menu_text = "E~x~it", .separated = true, .key_hint = "Alt-X",
              .key = Key::AltX, .status_text = "~Alt-X~ Exit", .hint = "Leave Orvano"},

    Operation{.command = cmWholeTape, .menu = Menu::Decode, .menu_text = "~W~hole tape", .key_hint = "F9",
              .key = Key::F9, .status_text = "~F9~ Tape", .hint = "Every file on the recording",
              .subcommand = "tape", .arguments = "FILE...",
              .summary = "every file on the recordings, with the tape image tape.cas and report.json",
              .flags = kOutput | kJobs | kJson | kChannel | kDialect, .input = Input::Files, .run = &RunWholeTape},
    Operation{.command = cmRawRecode, .menu = Menu::Decode, .menu_text = "~R~aw recode", .separated = true,
              .hint = "Clean the recording (.MSR)", .subcommand = "recode", .arguments = "FILE",
              .summary = "clean the recording FILE into a square wave (.MSR)", .flags = kChannel,
              .input = Input::OpenedSource, .run = &RunRawRecode},
    Operation{.command = cmPhase1Decode, .menu = Menu::Decode, .menu_text = "Phase ~1~ decode",
              .hint = "Classify the cycles (.TX1)", .subcommand = "phase1",
              .arguments = "FILE", .summary = "classify the cycles of the .MSR of FILE (.TX1)",
              .input = Input::OpenedSource, .run = &RunPhase1Decode},
    Operation{.command = cmPhase2Decode, .menu = Menu::Decode, .menu_text = "Phase ~2~ decode",
              .hint = "Pair cycles into bits (.TX2)", .subcommand = "phase2", .arguments = "FILE",
              .summary = "pair the cycles of the .TX1 of FILE into bits (.TX2)", .input = Input::OpenedSource,
              .run = &RunPhase2Decode},
    Operation{.command = cmCasDecode, .menu = Menu::Decode, .menu_text = "~C~AS/TXT/BIN decode",
              .hint = "Extract the first tape file", .subcommand = "extract",
              .arguments = "FILE", .summary = "write the first tape file of the .TX2 of FILE (.CAS, .TXT or .BIN)",
              .input = Input::OpenedSource, .run = &RunCasDecode},
    Operation{.command = cmBasDecode, .menu = Menu::Decode, .menu_text = "~B~AS decode",
              .hint = "List the BASIC program (.BAS)", .subcommand = "list", .arguments = "FILE",
              .summary = "list the BASIC program in the .CAS of FILE as text (.BAS)", .flags = kDialect,
              .input = Input::OpenedSource,
              .run = &RunBasDecode},
    Operation{.subcommand = "decode", .arguments = "FILE",
              .summary = "recode, phase1, phase2, extract, and list a BASIC program", .flags = kChannel | kDialect,
              .input = Input::OpenedSource,
              .run = &RunDecodeChain},

    Operation{.subcommand = "cas-list", .arguments = "FILE",
              .summary = "list the files and blocks of the tape image FILE", .flags = kJson,
              .input = Input::OneFile, .run = &RunCasList},
    Operation{.subcommand = "cas-extract", .arguments = "FILE",
              .summary = "write each file of the tape image FILE as NN-NAME.EXT, with listings of programs",
              .flags = kOutput | kDialect, .input = Input::OneFile, .run = &RunCasExtract},
    Operation{.subcommand = "cas-pack", .arguments = "OUT SOURCE...",
              .summary = "build the tape image OUT from .BIN/.COM, .CAS (tokenised) and text files",
              .flags = kLoad | kStart | kName, .input = Input::OutputAndSources, .run = &RunCasPack},

    Operation{.subcommand = "info", .arguments = "FILE",
              .summary = "what the recording FILE is: format, sample rate, bits, channels, length",
              .input = Input::OneFile, .run = &RunDescribeRecording},

    Operation{.command = cmTile, .menu = Menu::Window, .menu_text = "~T~ile"},
    Operation{.command = cmCascade, .menu = Menu::Window, .menu_text = "C~a~scade"},
    Operation{.command = cmCloseAll, .menu = Menu::Window, .menu_text = "Cl~o~se all", .hint = "Close every window"},
    Operation{.command = cmResize, .menu = Menu::Window, .menu_text = "~S~ize/Move", .separated = true,
              .key_hint = "Ctrl+F5", .key = Key::CtrlF5},
    Operation{.command = cmZoom, .menu = Menu::Window, .menu_text = "~Z~oom", .key_hint = "F5", .key = Key::F5},
    Operation{.command = cmNext, .menu = Menu::Window, .menu_text = "~N~ext", .key_hint = "F6", .key = Key::F6,
              .hint = "The next window"},
    Operation{.command = cmPrev, .menu = Menu::Window, .menu_text = "~P~revious", .key_hint = "Shift+F6",
              .key = Key::ShiftF6, .hint = "The previous window"},
    Operation{.command = cmClose, .menu = Menu::Window, .menu_text = "~C~lose", .key_hint = "Alt+F3",
              .key = Key::AltF3, .hint = "Close the window"},

    Operation{.command = cmHelp, .menu = Menu::Help, .menu_text = "~H~elp", .key_hint = "F1", .key = Key::F1,
              .status_text = "~F1~ Help", .hint = "Keys, steps and options"},
    Operation{.command = cmAbout, .menu = Menu::Help, .menu_text = "~A~bout...", .hint = "Which Orvano this is"},
    // The toolkit's own key for the menu bar, on the status line to be seen
    // and clicked.
    Operation{.command = cmMenu, .key = Key::F10, .status_text = "~F10~ Menu"},
};

}  // namespace

std::span<const Operation> Operations() { return kOperations; }

std::span<const Command> SourceCommands() {
  static const std::vector<Command> kCommands = [] {
    std::vector<Command> commands;
    for (const Operation& op : kOperations) {
      if (NeedsOpenedSource(op)) commands.push_back(op.command);
    }
    return commands;
  }();
  return kCommands;
}

const Operation* FindByCommand(Command command) {
  const auto found = std::find_if(kOperations.begin(), kOperations.end(),
                                  [&](const Operation& op) { return op.command == command && command != 0; });
  return found == kOperations.end() ? nullptr : &*found;
}

const Operation* FindBySubcommand(std::string_view name) {
  const auto found = std::find_if(kOperations.begin(), kOperations.end(),
                                  [&](const Operation& op) { return !name.empty() && op.subcommand == name; });
  return found == kOperations.end() ? nullptr : &*found;
}

}  // namespace orvano::ops
