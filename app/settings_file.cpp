#include "app/settings_file.h"

#include <optional>

#include "app/history_list.h"
#include "common/number_text.h"
#include "common/option_names.h"

namespace orvano::app {
namespace {

constexpr std::string_view kBlanks = " \t\r";

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::optional<bool> ReadYesNo(std::string_view text) {
  if (text == "yes") return true;
  if (text == "no") return false;
  return std::nullopt;
}

bool Keepable(std::string_view name) {
  return !name.empty() && name.find('\n') == std::string_view::npos && Trimmed(name) == name &&
         name.find('\0') == std::string_view::npos;
}

std::string Quoted(std::string_view text) {
  constexpr std::size_t kShown = 40;
  std::string shown(text.substr(0, kShown));
  if (text.size() > kShown) shown += "...";
  return "\"" + shown + "\"";
}

// Takes one "name = value" line into the settings; the reason it cannot, or
// nothing.
std::optional<std::string> TakeLine(std::string_view name, std::string_view value, Settings& settings) {
  ConversionOptions& options = settings.options;
  const auto bad_value = [&] { return "the value " + Quoted(value) + " of " + std::string(name) + " does not read"; };
  if (name == "load-address" || name == "start-address") {
    const auto address = ReadAddress(value);
    if (!address) return bad_value();
    (name == "load-address" ? options.LoadAddr : options.StartAddr) = *address;
  } else if (name == "write-wave") {
    const auto wave = ReadYesNo(value);
    if (!wave) return bad_value();
    options.WriteWave = *wave;
  } else if (name == "baud") {
    const auto baud = ReadBaud(value);
    if (!baud) return bad_value();
    options.baud = *baud;
  } else if (name == "channel") {
    const auto channel = ReadChannel(value);
    if (!channel) return bad_value();
    options.channel = *channel;
  } else if (name == "basic") {
    const auto dialect = ReadDialect(value);
    if (!dialect) return bad_value();
    options.dialect = *dialect;
  } else if (name == "history") {
    if (value.empty()) return std::string("a history line names no file");
    if (settings.history.size() < HistoryList::kCapacity) settings.history.emplace_back(value);
  } else {
    return "unknown setting " + Quoted(name);
  }
  return std::nullopt;
}

}  // namespace

std::variant<Settings, SettingsError> ReadSettings(std::string_view text) {
  if (text.size() > kMaxSettingsBytes) return SettingsError{0, "it is larger than 64 KB"};
  if (text.find('\0') != std::string_view::npos) return SettingsError{0, "it holds a NUL byte"};
  Settings settings;
  int number = 0;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = Trimmed(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    ++number;
    if (line.empty() || line.front() == '#') continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return SettingsError{number, "no \"=\" in " + Quoted(line)};
    if (auto reason = TakeLine(Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)), settings)) {
      return SettingsError{number, std::move(*reason)};
    }
  }
  return settings;
}

std::string SettingsText(const Settings& settings) {
  const ConversionOptions& options = settings.options;
  std::string text = "# Orvano settings, written by the program: one \"name = value\" a line.\n";
  const auto add = [&](std::string_view name, std::string_view value) {
    text.append(name).append(" = ").append(value).append("\n");
  };
  add("load-address", AddressText(options.LoadAddr));
  add("start-address", AddressText(options.StartAddr));
  add("write-wave", options.WriteWave ? "yes" : "no");
  add("baud", NameOf(options.baud));
  add("channel", NameOf(options.channel));
  add("basic", NameOf(options.dialect));
  std::size_t kept = 0;
  for (const std::string& name : settings.history) {
    if (kept == HistoryList::kCapacity) break;
    if (!Keepable(name)) continue;
    add("history", name);
    ++kept;
  }
  return text;
}

}  // namespace orvano::app
