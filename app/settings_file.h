#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/conversion_options.h"

namespace orvano::app {

// What the program keeps from one run to the next: the options and the
// names the file dialogs were closed with.
//
// The settings file is text, one setting per line:
//
//   # Orvano settings
//   load-address = 0x9000
//   start-address = 0x9000
//   write-wave = no
//   baud = 1200
//   channel = auto
//   basic = auto
//   history = /home/user/tapes/GAME.RAW
//
// A line is a name, "=" and a value; blanks around the name and the value
// do not count, and empty lines and lines that start with "#" are skipped.
// The addresses take every notation of the Options dialog; write-wave is
// "yes" or "no"; baud, channel and basic take the words of the command line
// (1200 or 2400; auto, left, right or mix; auto, msx or korvet). Each
// history line is one name, newest first, and only the first 16 count. A
// setting that is missing keeps its default.
//
// Anything else makes the file damaged, and then none of it is used: a name
// that is not one of these, a value that does not read, a line without "=",
// a NUL byte, or a file larger than 64 KB.
struct Settings {
  ConversionOptions options;
  std::vector<std::string> history;  // newest first

  bool operator==(const Settings&) const = default;
};

inline constexpr std::size_t kMaxSettingsBytes = 64 * 1024;

// Why a settings text was refused, for the log.
struct SettingsError {
  int line = 0;  // 1 and up; 0 when the text as a whole is wrong
  std::string reason;

  bool operator==(const SettingsError&) const = default;
};

std::variant<Settings, SettingsError> ReadSettings(std::string_view text);

// The text of the settings, which ReadSettings reads back as they are. A
// history name that cannot stand on a line of its own (a line break in it,
// blanks at either end, nothing at all) is left out.
std::string SettingsText(const Settings& settings);

}  // namespace orvano::app
