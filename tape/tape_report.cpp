#include "tape/tape_report.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>
#include <set>

#include "common/number_text.h"
#include "tape/tape_file_names.h"

namespace orvano::tape {
namespace {

using Json = nlohmann::ordered_json;

// Framing errors listed in a log line before the rest are only counted.
constexpr std::size_t kErrorTimesShown = 5;

std::string_view TypeText(FileType type) {
  switch (type) {
    case FileType::Basic:
      return "BASIC";
    case FileType::Text:
      return "text";
    case FileType::Binary:
      break;
  }
  return "binary";
}

std::string_view StatusText(FileStatus status) {
  switch (status) {
    case FileStatus::Damaged:
      return "damaged";
    case FileStatus::Incomplete:
      return "incomplete";
    case FileStatus::Complete:
      break;
  }
  return "complete";
}

std::string_view KindText(FileProblem::Kind kind) {
  using Kind = FileProblem::Kind;
  switch (kind) {
    case Kind::HeaderDamaged:
      return "header_damaged";
    case Kind::FramingErrors:
      return "framing_errors";
    case Kind::DataMissing:
      return "data_missing";
    case Kind::AddressesCut:
      return "addresses_cut";
    case Kind::EndBelowLoad:
      return "end_below_load";
    case Kind::DataCut:
      return "data_cut";
    case Kind::NoProgramEnd:
      return "no_program_end";
    case Kind::NoTextEnd:
      break;
  }
  return "no_text_end";
}

// The tape name for the log: trimmed, and no control byte reaches a terminal.
std::string ShownName(const std::string& name) {
  const auto last = name.find_last_not_of(' ');
  std::string shown = last == std::string::npos ? std::string() : name.substr(0, last + 1);
  for (char& c : shown) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) c = '?';
  }
  return shown;
}

class Account {
 public:
  explicit Account(const TapeAccount& account) : a_(account) {}

  std::string BlockRef(std::size_t block) const {
    std::string text = "block " + Decimal(block + 1);
    if (const auto& signal = a_.blocks[block].signal) text += " at " + SecondsText(signal->start) + " s";
    return text;
  }

  std::string ProblemText(const TapeFile& file, const FileProblem& p) const {
    using Kind = FileProblem::Kind;
    switch (p.kind) {
      case Kind::HeaderDamaged:
        return BlockRef(p.block) + ": " + Decimal(p.have) + " of the 10 type bytes agree";
      case Kind::FramingErrors:
        return ErrorsText(file.framing_errors);
      case Kind::DataMissing:
        return "no data block follows the header, " + BlockRef(p.block);
      case Kind::AddressesCut:
        return BlockRef(p.block) + " ends inside the addresses, " + Decimal(p.have) + " of 6 bytes";
      case Kind::EndBelowLoad:
        return "end " + Hex4(file.addresses->end) + " lies below load " + Hex4(file.addresses->load) + "; " +
               BlockRef(p.block) + " is kept as a block of no file";
      case Kind::DataCut:
        return BlockRef(p.block) + " holds " + Decimal(p.have) + " of " + Decimal(p.want) + " bytes";
      case Kind::NoProgramEnd:
        return BlockRef(p.block) + " has no end of program (ten zero bytes)";
      case Kind::NoTextEnd:
        return "no end mark 1A up to " + BlockRef(p.block);
    }
    return {};
  }

  static std::string ErrorsText(const std::vector<double>& times) {
    std::string text = Decimal(times.size()) + (times.size() == 1 ? " framing error at " : " framing errors at ");
    for (std::size_t i = 0; i < times.size() && i < kErrorTimesShown; ++i) {
      text += (i == 0 ? "" : ", ") + SecondsText(times[i]);
    }
    return text + (times.size() > kErrorTimesShown ? ", ... s" : " s");
  }

  std::vector<std::size_t> BlocksOf(const TapeFile& file) const {
    std::vector<std::size_t> blocks{file.header_block};
    blocks.insert(blocks.end(), file.data_blocks.begin(), file.data_blocks.end());
    return blocks;
  }

  // "1225 baud", or "1225/2450 baud" for a file whose blocks differ.
  std::string BaudText(const TapeFile& file) const {
    std::set<long> bauds;
    for (const std::size_t block : BlocksOf(file)) {
      const auto& signal = a_.blocks[block].signal;
      if (signal && signal->baud > 0) bauds.insert(std::lround(signal->baud));
    }
    std::string text;
    for (const long baud : bauds) text += (text.empty() ? "" : "/") + std::to_string(baud);
    return text.empty() ? text : text + " baud";
  }

  std::string FileLine(std::size_t index) const {
    const TapeFile& file = a_.layout.files[index];
    std::string line =
        PlaceText(index + 1) + " " + std::string(TypeText(file.type)) + " \"" + ShownName(file.name) + "\"";
    std::vector<std::string> facts;
    if (file.has_contents) facts.push_back(Decimal(file.contents.size()) + " bytes");
    if (file.addresses) {
      facts.push_back("load " + Hex4(file.addresses->load) + ", end " + Hex4(file.addresses->end) + ", exec " +
                      Hex4(file.addresses->exec));
    }
    if (const std::string baud = BaudText(file); !baud.empty()) facts.push_back(baud);
    for (std::size_t i = 0; i < facts.size(); ++i) line += (i == 0 ? " " : ", ") + facts[i];
    line += ": " + std::string(StatusText(file.Status()));
    for (const FileProblem& problem : file.problems) line += "; " + ProblemText(file, problem);
    if (index < a_.outputs.size()) {
      const FileOutputs& out = a_.outputs[index];
      if (!out.data.empty()) line += " -> " + out.data;
      if (!out.listing.empty()) line += ", " + out.listing + " " + out.listing_note;
    }
    return line;
  }

  std::string IgnoredLine(std::size_t block) const {
    const BlockUse& use = a_.layout.blocks[block];
    const TapeFile& file = a_.layout.files[*use.file];
    std::string part = "the header";
    if (use.part == BlockUse::Part::Data) {
      part = "the data block";
      if (file.data_blocks.size() > 1) {
        const auto k = std::find(file.data_blocks.begin(), file.data_blocks.end(), block) - file.data_blocks.begin();
        part = "data block " + Decimal(static_cast<std::uint64_t>(k) + 1);
      }
    }
    return Decimal(use.ignored) + " bytes after " + part + " of file " + PlaceText(*use.file + 1) + " ignored (" +
           BlockRef(block) + ")";
  }

  std::size_t FramingErrors() const {
    std::size_t count = 0;
    for (const TapeBlock& block : a_.blocks) count += block.signal ? block.signal->framing_errors.size() : 0;
    return count;
  }

  bool Heard() const {
    return std::any_of(a_.blocks.begin(), a_.blocks.end(), [](const TapeBlock& b) { return b.signal.has_value(); });
  }

  std::string Summary() const {
    const auto& files = a_.layout.files;
    std::string line = a_.source + ": ";
    if (files.empty()) {
      line += "no tape file found";
    } else {
      line += Decimal(files.size()) + (files.size() == 1 ? " file (" : " files (");
      std::string counts;
      for (const FileStatus status : {FileStatus::Complete, FileStatus::Damaged, FileStatus::Incomplete}) {
        const auto n =
            std::count_if(files.begin(), files.end(), [&](const TapeFile& f) { return f.Status() == status; });
        if (n > 0)
          counts += (counts.empty() ? "" : ", ") + Decimal(static_cast<std::uint64_t>(n)) + " " +
                    std::string(StatusText(status));
      }
      line += counts + ")";
    }
    line += ", " + Decimal(a_.blocks.size()) + (a_.blocks.size() == 1 ? " block" : " blocks");
    if (Heard()) line += ", " + Decimal(FramingErrors()) + " framing errors";
    if (!a_.output_dir.empty()) line += "; outputs in " + a_.output_dir;
    return line;
  }

  Json BlockJson(std::size_t index) const {
    const TapeBlock& block = a_.blocks[index];
    const BlockUse& use = a_.layout.blocks[index];
    Json json;
    json["number"] = index + 1;
    json["bytes"] = block.bytes.size();
    json["kept"] = use.kept;
    json["ignored"] = use.ignored;
    json["part"] = use.file ? (use.part == BlockUse::Part::Header ? "header" : "data") : "none";
    json["file"] = use.file ? Json(*use.file + 1) : Json(nullptr);
    if (block.signal) {
      json["start"] = Rounded(block.signal->start);
      json["end"] = Rounded(block.signal->end);
      json["baud"] = std::round(block.signal->baud * 10) / 10;
      json["level_dbfs"] = std::round(block.signal->level_dbfs * 10) / 10;
      json["framing_errors"] = Times(block.signal->framing_errors);
    }
    return json;
  }

  Json FileJson(std::size_t index) const {
    const TapeFile& file = a_.layout.files[index];
    Json json;
    json["place"] = index + 1;
    json["type"] = file.type == FileType::Basic ? std::string("basic") : std::string(TypeText(file.type));
    json["name"] = ShownName(file.name);
    json["size"] = file.has_contents ? Json(file.contents.size()) : Json(nullptr);
    if (file.addresses) {
      json["load"] = file.addresses->load;
      json["end"] = file.addresses->end;
      json["exec"] = file.addresses->exec;
    }
    json["status"] = StatusText(file.Status());
    json["blocks"] = Json::array();
    for (const std::size_t block : BlocksOf(file)) json["blocks"].push_back(block + 1);
    json["framing_errors"] = Times(file.framing_errors);
    json["problems"] = Json::array();
    for (const FileProblem& problem : file.problems) {
      Json p;
      p["kind"] = KindText(problem.kind);
      p["block"] = problem.block + 1;
      if (const auto& signal = a_.blocks[problem.block].signal) p["time"] = Rounded(signal->start);
      p["text"] = ProblemText(file, problem);
      json["problems"].push_back(std::move(p));
    }
    if (index < a_.outputs.size()) {
      json["outputs"] = Json::array();
      for (const std::string& name : {a_.outputs[index].data, a_.outputs[index].listing}) {
        if (!name.empty()) json["outputs"].push_back(name);
      }
      if (!a_.outputs[index].listing_note.empty()) json["listing"] = a_.outputs[index].listing_note;
    }
    return json;
  }

  static double Rounded(double seconds) { return std::round(seconds * 1000) / 1000; }
  static Json Times(const std::vector<double>& times) {
    Json json = Json::array();
    for (const double t : times) json.push_back(Rounded(t));
    return json;
  }

  const TapeAccount& a_;
};

}  // namespace

std::string SecondsText(double seconds) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, seconds, std::chars_format::fixed, 3);
  return std::string(text, result.ptr);
}

void LogTape(const TapeAccount& account, Reporter& reporter) {
  const Account a(account);
  const TapeLayout& layout = account.layout;
  std::size_t next_file = 0;
  for (std::size_t block = 0; block < layout.blocks.size(); ++block) {
    const BlockUse& use = layout.blocks[block];
    if (!use.file) {
      std::string line = a.BlockRef(block) + ": " + Decimal(account.blocks[block].bytes.size()) + " bytes of no file";
      line[0] = 'B';
      Log(reporter, line);
      continue;
    }
    if (use.part == BlockUse::Part::Header && *use.file == next_file) {
      const std::string line = a.FileLine(next_file);
      if (layout.files[next_file].Status() == FileStatus::Complete) {
        Log(reporter, line);
      } else {
        Warn(reporter, line);
      }
      if (next_file < account.outputs.size()) {
        const FileOutputs& out = account.outputs[next_file];
        for (const std::string& problem : out.listing_problems) Warn(reporter, out.listing + ": " + problem);
      }
      ++next_file;
    }
    if (use.ignored != 0) Log(reporter, a.IgnoredLine(block));
  }
  Log(reporter, a.Summary());
}

std::string TapeJson(const TapeAccount& account) {
  const Account a(account);
  Json json;
  json["source"] = account.source;
  if (!account.output_dir.empty()) json["output_folder"] = account.output_dir;
  json["files"] = Json::array();
  for (std::size_t i = 0; i < account.layout.files.size(); ++i) json["files"].push_back(a.FileJson(i));
  json["blocks"] = Json::array();
  for (std::size_t i = 0; i < account.blocks.size(); ++i) json["blocks"].push_back(a.BlockJson(i));
  json["summary"] = a.Summary();
  // Names and paths are bytes, not always UTF-8; a stray byte must not stop the report.
  return json.dump(2, ' ', false, Json::error_handler_t::replace);
}

void ReportFailure(const std::string& source, const std::string& text, Reporter& reporter) {
  Log(reporter, text);
  const Json json{{"source", source}, {"error", text}};
  reporter.Document(json.dump(2, ' ', false, Json::error_handler_t::replace));
}

ResultTable FilesTable(const TapeAccount& account) {
  ResultTable table;
  table.title = "Files on " + account.source;
  table.headings = {"No", "Type", "Name", "Size", "Load", "End", "Exec", "Baud", "Errors", "Status", "Output"};
  const Account a(account);
  for (std::size_t i = 0; i < account.layout.files.size(); ++i) {
    const TapeFile& file = account.layout.files[i];
    std::string baud = a.BaudText(file);
    if (!baud.empty()) baud.resize(baud.size() - 5);
    table.rows.push_back(
        {PlaceText(i + 1), std::string(TypeText(file.type)), ShownName(file.name),
         file.has_contents ? Decimal(file.contents.size()) : "", file.addresses ? Hex4(file.addresses->load) : "",
         file.addresses ? Hex4(file.addresses->end) : "", file.addresses ? Hex4(file.addresses->exec) : "", baud,
         Decimal(file.framing_errors.size()), std::string(StatusText(file.Status())),
         i < account.outputs.size() ? account.outputs[i].data : ""});
  }
  return table;
}

}  // namespace orvano::tape
