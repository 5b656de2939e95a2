#include <array>
#include <cstdio>
#include <optional>
#include <string>

#include "cli/subcommands.h"
#include "common/conversion_options.h"
#include "common/file_names.h"
#include "common/number_text.h"
#include "encode/convert_source.h"
#include "encode/source_kind.h"

namespace orvano::cli {
namespace {

struct EncodeRequest {
  std::string file;
  ConversionOptions options;
};

// FILE [--wave] [--load ADDR] [--start ADDR], the flags in any order; ADDR in
// the notation of the Options dialog (0x9000, $9000, 36864 ...).
std::optional<EncodeRequest> ParseEncode(std::span<const std::string> args, std::string& error) {
  EncodeRequest request;
  bool have_file = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--wave") {
      request.options.WriteWave = true;
    } else if (arg == "--load" || arg == "--start") {
      if (i + 1 == args.size()) {
        error = arg + " needs an ADDR";
        return std::nullopt;
      }
      const std::string& text = args[++i];
      const std::optional<std::uint16_t> address = ReadAddress(text);
      if (!address) {
        error = "'" + text + "' is no address for " + arg;
        return std::nullopt;
      }
      (arg == "--load" ? request.options.LoadAddr : request.options.StartAddr) = *address;
    } else if (arg.starts_with("-")) {
      error = "unknown option '" + arg + "' for encode";
      return std::nullopt;
    } else if (have_file) {
      error = "exactly one FILE is needed, got '" + arg + "'";
      return std::nullopt;
    } else {
      request.file = arg;
      have_file = true;
    }
  }
  if (!have_file || request.file.empty()) {
    error = "a FILE is needed";
    return std::nullopt;
  }
  return request;
}

int RunEncode(std::span<const std::string> args, Reporter& reporter, std::string& error) {
  const std::optional<EncodeRequest> request = ParseEncode(args, error);
  if (!request) return kExitUsage;
  // The text UI opens an empty log window for a file of no known kind; here
  // the user gets a reason instead.
  const std::string extension = ExtOf(UpperCaseFileName(request->file));
  if (encode::KindOfExtension(extension) == encode::SourceKind::None) {
    std::fprintf(stderr, "orvano-cli: %s: not a file to put on tape (.BIN, .COM, .CAS, .TXT, .BAS, .PAS or .DOC)\n",
                 request->file.c_str());
    return kExitFailure;
  }
  FileNameSet names;
  const Outcome outcome = encode::ConvertSource(request->file, names, request->options, reporter);
  return outcome == Outcome::Success ? kExitSuccess : kExitFailure;
}

}  // namespace

std::span<const Subcommand> EncodeSubcommands() {
  static constexpr std::array<Subcommand, 1> kTable{{
      {"encode", "FILE [--wave] [--load ADDR] [--start ADDR]",
       "tape image of a .BIN/.COM, .CAS or text file: FILE.RAW (or .WAV)", RunEncode},
  }};
  return kTable;
}

}  // namespace orvano::cli
