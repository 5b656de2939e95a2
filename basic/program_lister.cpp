#include "basic/program_lister.h"

#include <array>

#include "basic/line_decoder.h"
#include "common/number_text.h"

namespace orvano::basic {
namespace {

constexpr std::uint8_t kTab = 0x09;

std::uint16_t ReadWord(ProgramReader& source) {
  std::array<std::uint8_t, 2> bytes{};
  source.Read(bytes);
  return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::string LinePrefix(std::uint16_t number) { return "line " + Decimal(number) + ": "; }

std::string CountedText(int count, std::string_view one, std::string_view many, const std::string& first) {
  if (count == 1) return std::string(one) + " " + first;
  return Decimal(static_cast<std::uint64_t>(count)) + " " + std::string(many) + ", the first " + first;
}

void AddFindings(std::uint16_t number, const LineFindings& findings, std::vector<std::string>& problems) {
  const std::string prefix = LinePrefix(number);
  if (findings.unknown_tokens > 0) {
    problems.push_back(prefix + CountedText(findings.unknown_tokens, "token", "tokens", findings.first_unknown) +
                       (findings.unknown_tokens == 1 ? " has no keyword" : ", have no keyword"));
  }
  if (findings.stray_pointers > 0) {
    problems.push_back(prefix +
                       CountedText(findings.stray_pointers, "line pointer", "line pointers",
                                   "&H" + Hex4(findings.first_stray_pointer)) +
                       (findings.stray_pointers == 1 ? " points at no line" : ", point at no line"));
  }
  if (findings.constant_cut_off) problems.push_back(prefix + "a constant is cut off by the end of the program");
  if (findings.text_cut) problems.push_back(prefix + "longer than 255 characters, cut");
}

}  // namespace

ProgramLister::ProgramLister(std::span<const std::uint8_t> program, const DialectRules& rules,
                             const LineAddressMap* addresses)
    : program_(program), source_(program), rules_(rules), addresses_(addresses) {}

bool ProgramLister::Next(std::string& record) {
  if (finished_) return false;
  // The data may end without the zero link word.
  if (!lines_.empty() && source_.Position() >= program_.size()) {
    Finish(false);
    return false;
  }
  const std::size_t offset = source_.Position();
  const std::uint16_t link = ReadWord(source_);
  if (link == 0) {
    Finish(!source_.Failed());
    return false;
  }
  const std::uint16_t number = ReadWord(source_);
  if (number > rules_.last_listed_line) {
    problems_.push_back(LinePrefix(number) + "not listed, nor any line after it: LIST stops above line " +
                        Decimal(rules_.last_listed_line));
    finished_ = true;
    return false;
  }
  const std::size_t text_start = source_.Position();
  const bool starts_with_tab = !source_.Failed() && text_start < program_.size() && program_[text_start] == kTab;

  LineFindings findings;
  const std::string text = DecodeTokenLine(source_, rules_, addresses_, findings);
  const ProgramLine line{offset, source_.Position(), link, number, !source_.Failed()};
  lines_.push_back(line);

  record = Decimal(number);
  if (!(rules_.tab_replaces_blank && starts_with_tab)) record += ' ';
  for (const char c : text) {
    record += c;
    if (c == '\n' && rules_.line_feed_gets_return) record += '\r';
  }
  if (rules_.max_record_length != 0 && record.size() > rules_.max_record_length - 2) {
    record.resize(rules_.max_record_length - 2);
    findings.text_cut = true;
  }
  record += "\r\n";

  CheckLink(line);
  AddFindings(number, findings, problems_);
  return true;
}

void ProgramLister::CheckLink(const ProgramLine& line) {
  if (addresses_ == nullptr || !line.complete || line.link == addresses_->AddressOf(line.end)) return;
  // Offsets of what the link names, modulo 64 KB like the addresses.
  const auto target = static_cast<std::uint16_t>(line.link - addresses_->Base());
  std::string what;
  if (target <= line.offset) {
    what = "its link points backwards";
  } else if (target > program_.size()) {
    what = "its link points outside the program";
  } else {
    what = "its link does not point at the next line";
  }
  problems_.push_back(LinePrefix(line.number) + what);
}

void ProgramLister::Finish(bool end_mark_found) {
  finished_ = true;
  if (end_mark_found) return;
  if (lines_.empty()) {
    problems_.push_back("the program ends before its first line, without its end mark");
  } else if (!lines_.back().complete) {
    problems_.push_back("the program ends inside line " + Decimal(lines_.back().number) + ", without its end mark");
  } else {
    problems_.push_back("the program ends after line " + Decimal(lines_.back().number) + " without its end mark");
  }
}

}  // namespace orvano::basic
