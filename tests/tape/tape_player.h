#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "common/recording_reporter.h"
#include "decode/tape_symbols.h"

namespace orvano::testing {

// Plays blocks into a symbol sink the way the demodulator hears a tape:
// a leader, then the bit cells of the frames, then the end of the block.
class TapePlayer {
 public:
  explicit TapePlayer(decode::SymbolSink& sink) : sink_(sink) {}

  struct Options {
    double baud = 1225;
    // No silence after the block: the next leader ends it.
    bool no_gap = false;
    // Frames whose stop bits are lost: the next frame starts at once.
    std::set<std::size_t> bad_stop_bits = {};
    // The tape stops after this many bytes of the block.
    std::size_t cut_after = SIZE_MAX;
  };

  void Play(const std::vector<std::uint8_t>& bytes, const Options& options) {
    if (open_) sink_.BlockEnd(time_);
    sink_.Leader(time_, options.baud, -6.0);
    const double cell = 1.0 / options.baud;
    time_ += 1.5;
    for (std::size_t i = 0; i < bytes.size() && i < options.cut_after; ++i) {
      Cell(0, cell);
      for (int bit = 0; bit < 8; ++bit) Cell((bytes[i] >> bit) & 1, cell);
      if (options.bad_stop_bits.count(i) == 0) {
        Cell(1, cell);
        Cell(1, cell);
      }
    }
    open_ = options.no_gap;
    if (!open_) {
      sink_.BlockEnd(time_);
      time_ += 1.0;
    }
  }
  void End() {
    if (open_) sink_.BlockEnd(time_);
    open_ = false;
  }
  // Where the tape is: the start of the next leader.
  double Time() const { return time_; }

 private:
  void Cell(int bit, double cell) {
    sink_.Bit(static_cast<std::uint8_t>(bit), time_);
    time_ += cell;
  }

  decode::SymbolSink& sink_;
  double time_ = 0.25;
  bool open_ = false;
};

// A recording reporter that keeps the tables too.
class TableReporter final : public Reporter {
 public:
  void AddLine(LineKind kind, std::string_view text) override { record.AddLine(kind, text); }
  void OpenProgress(std::string_view caption) override { record.OpenProgress(caption); }
  void SetProgress(int percent) override { record.SetProgress(percent); }
  void CloseProgress() override { record.CloseProgress(); }
  void ShowWarning(std::string_view text) override { record.ShowWarning(text); }
  void Document(std::string_view text) override { documents.emplace_back(text); }
  void Table(const ResultTable& table) override { tables.push_back(table); }

  RecordingReporter record;
  std::vector<std::string> documents;
  std::vector<ResultTable> tables;
};

}  // namespace orvano::testing
