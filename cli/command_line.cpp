#include "cli/command_line.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <sstream>

#include "common/number_text.h"
#include "common/option_names.h"
#include "common/version.h"

namespace orvano::cli {
namespace {

using ops::Flag;

// A validator that takes any text that `read` accepts.
template <typename Read>
CLI::Validator Accepting(Read read, std::string what) {
  return CLI::Validator(
      [read, what](std::string& text) { return read(text) ? std::string{} : "'" + text + "' is no " + what; }, "");
}

std::string Choices(std::span<const std::string_view> names) {
  std::string text;
  for (const std::string_view name : names) text += (text.empty() ? "" : "|") + std::string(name);
  return text;
}

// The text of each option as given; read into the options once parsing is
// done, so that every check lives in the validators above.
struct OptionTexts {
  std::string load, start, baud, channel, dialect;
};

void AddArguments(CLI::App& sub, const ops::Operation& op, CommandLine& line) {
  switch (op.input) {
    case ops::Input::OutputAndSources:
      sub.add_option("OUT", line.output, "the tape image to write")->required()->type_name("");
      sub.add_option("SOURCE", line.files, "the files to put on it")->required()->expected(1, -1)->type_name("");
      break;
    case ops::Input::Files:
      sub.add_option("FILE", line.files, "the recordings")->required()->expected(1, -1)->type_name("");
      break;
    case ops::Input::OpenedSource:
      sub.add_option("FILE", line.files, "the recording; the other names are made from it")
          ->required()->expected(1)->type_name("");
      break;
    case ops::Input::OneFile:
      sub.add_option("FILE", line.files, "the source file")->required()->expected(1)->type_name("");
      break;
    case ops::Input::None:
      break;
  }
}

void AddOptions(CLI::App& sub, unsigned flags, CommandLine& line, OptionTexts& texts) {
  const auto address = Accepting([](const std::string& t) { return ReadAddress(t).has_value(); }, "address");
  if (flags & ops::kWave) sub.add_flag("--wave", line.options.WriteWave, "write a WAV file instead of .RAW");
  if (flags & ops::kLoad) {
    sub.add_option("--load", texts.load, "load address of a binary (default 0x9000)")->check(address)->type_name("ADDR");
  }
  if (flags & ops::kStart) {
    sub.add_option("--start", texts.start, "start address of a binary (default 0x9000)")->check(address)->type_name("ADDR");
  }
  if (flags & ops::kBaud) {
    sub.add_option("--baud", texts.baud, "tape speed (default 1200)")
        ->check(Accepting([](const std::string& t) { return ReadBaud(t).has_value(); }, "baud rate"))
        ->type_name(Choices(BaudNames()));
  }
  if (flags & ops::kChannel) {
    sub.add_option("--channel", texts.channel, "the channel that carries the tape (default auto)")
        ->check(Accepting([](const std::string& t) { return ReadChannel(t).has_value(); }, "channel"))
        ->type_name(Choices(ChannelNames()));
  }
  if (flags & ops::kDialect) {
    sub.add_option("--dialect", texts.dialect, "the BASIC of the listings (default auto)")
        ->check(Accepting([](const std::string& t) { return ReadDialect(t).has_value(); }, "BASIC dialect"))
        ->type_name(Choices(DialectNames()));
  }
  if (flags & ops::kOutput) sub.add_option("-o,--output", line.output, "the folder to write into")->type_name("DIR");
  if (flags & ops::kJobs) {
    sub.add_option("--jobs", line.jobs, "recordings decoded at once (default: one per core)")
        ->check(Accepting(
            [](const std::string& t) {
              unsigned jobs = 0;
              const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), jobs);
              return error == std::errc{} && end == t.data() + t.size() && jobs >= 1;
            },
            "number of recordings at once"))
        ->type_name("N");
  }
  if (flags & ops::kJson) sub.add_flag("--json", line.json, "print the report as JSON instead of the log");
  if (flags & ops::kName) sub.add_option("--name", line.tape_name, "the tape name of a single source")->type_name("NAME");
}

void ReadOptions(const OptionTexts& texts, ConversionOptions& options) {
  if (!texts.load.empty()) options.LoadAddr = *ReadAddress(texts.load);
  if (!texts.start.empty()) options.StartAddr = *ReadAddress(texts.start);
  if (!texts.baud.empty()) options.baud = *ReadBaud(texts.baud);
  if (!texts.channel.empty()) options.channel = *ReadChannel(texts.channel);
  if (!texts.dialect.empty()) options.dialect = *ReadDialect(texts.dialect);
}

}  // namespace

ParsedCommandLine ParseCommandLine(std::span<const std::string> args) {
  CLI::App app{"Orvano: MSX cassette tapes, from recordings to files and back.", "orvano-cli"};
  app.set_version_flag("--version", std::string(kProgramTitle));
  app.require_subcommand(0, 1);
  app.footer(
      "File names are derived from FILE: GAME.RAW gives GAME.MSR, GAME.TX1, GAME.TX2, GAME.CAS ...\n"
      "ADDR is written as in the Options dialog: 0x9000, $9000, 36864, %1001..., &110000.\n"
      "Exit status: 0 on success, 1 when the operation failed, 2 for a wrong command line.");

  CommandLine line;
  OptionTexts texts;
  for (const ops::Operation& op : ops::Operations()) {
    if (op.subcommand.empty()) continue;
    CLI::App* sub = app.add_subcommand(std::string(op.subcommand), std::string(op.summary));
    AddArguments(*sub, op, line);
    AddOptions(*sub, op.flags, line, texts);
    sub->callback([&line, &op] { line.operation = &op; });
  }
  // A word that names no subcommand is kept, so that the reason can name it.
  app.allow_extras();

  ParsedCommandLine parsed;
  std::ostringstream out;
  std::ostringstream err;
  try {
    // CLI11 takes the arguments last first.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    app.parse(reversed);
  } catch (const CLI::ParseError& e) {
    const int status = app.exit(e, out, err);
    parsed.exit_status = status == 0 ? kExitSuccess : kExitUsage;
    parsed.out = out.str();
    parsed.err = err.str();
    return parsed;
  }
  if (line.operation == nullptr) {
    const std::vector<std::string> extras = app.remaining();
    parsed.exit_status = kExitUsage;
    parsed.err = (extras.empty() ? std::string("A subcommand is required") : "Unknown subcommand '" + extras.front() + "'") +
                 "\nRun with --help for more information.\n";
    return parsed;
  }
  ReadOptions(texts, line.options);
  parsed.command = std::move(line);
  return parsed;
}

}  // namespace orvano::cli
