#include "decode/symbol_stage.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <optional>
#include <vector>

#include "decode/cell_reader.h"
#include "decode/group_levels.h"
#include "decode/leader_finder.h"
#include "decode/sample_decimator.h"
#include "decode/start_bit.h"

namespace orvano::decode {
namespace {

// A cycle this much longer than a leader cycle holds a start bit: from its
// start it is twice as long, from the middle of a cycle one and a half.
constexpr double kStartCycle = 1.3;
// A start bit is checked once this many leader cycles and samples have
// passed the crossing before it.
constexpr double kStartCheckCycles = 5;
constexpr double kStartCheckSamples = 2;
// Behind a leader at the block's own speed lie the last data bits, which
// are ones: a frame's worth of cells is kept.
constexpr double kCellsKeptBeforeLeader = 11;
constexpr std::size_t kFrameCells = 11;
// The share of a cell by which a cell may end after a cut.
constexpr double kEdgeSlack = 0.25;
// Data holds at most ten 1 cells in a row (eight data and two stop bits)
// and nine 0 cells; longer runs of one tone are a leader, at the block's
// speed or at half of it.
constexpr std::size_t kLeaderOnes = 24;
constexpr std::size_t kLeaderZeros = 20;

}  // namespace

class SymbolStage::Impl {
 public:
  Impl(unsigned sample_rate, const SampleHistory& history, SymbolSink& sink)
      : sample_rate_(std::max(sample_rate, 1u)),
        factor_(DecimationFor(sample_rate_)),
        rate_(sample_rate_ / factor_),
        window_(history, kWindowSamples),
        finder_(rate_),
        reader_(rate_, window_, levels_),
        sink_(sink) {}

  void Take(const CrossingChunk& chunk) {
    window_.Reach(chunk.end);
    levels_.Add(chunk.levels);
    safe_ = chunk.safe;
    recent_.insert(recent_.end(), chunk.crossings.begin(), chunk.crossings.end());
    // Inside a block the cells themselves tell when a leader begins, so the
    // crossings go to the leader finder only between blocks.
    FeedFinder();
    if (!chunk.last) {
      Advance(safe_);
      return;
    }
    Advance(static_cast<double>(chunk.recorded) + kEdgeSlack * reader_.Length());
    if (state_ == State::Leader) {
      EmitLeader(finder_.Run());
    } else if (state_ == State::Block) {
      EndBlock(reader_.SureUntil(), false);
    }
    state_ = State::Searching;
  }

 private:
  enum class State { Searching, Leader, Block };
  // A crossing in recent_ that may begin a start bit, with the leader as it
  // was there.
  struct Candidate {
    std::size_t index;
    ToneRun leader;
  };

  void FeedFinder() {
    if (state_ == State::Block) {
      fed_ = recent_.size();
      return;
    }
    for (; fed_ < recent_.size() && state_ != State::Block; ++fed_) OnCrossing(fed_);
    if (state_ == State::Block) fed_ = recent_.size();
  }

  void OnCrossing(std::size_t index) {
    const Crossing& crossing = recent_[index];
    const LeaderFinder::Event event = finder_.Add(crossing);
    switch (state_) {
      case State::Searching:
        if (event == LeaderFinder::Event::Found) EnterLeader();
        break;
      case State::Leader:
        if (event == LeaderFinder::Event::Lost) {
          CheckCandidates(crossing.time);
          if (state_ == State::Leader) {
            EmitLeader(finder_.LostRun());
            state_ = State::Searching;
          }
        } else if (index >= 2) {
          // A cycle much longer than the leader's, in either direction,
          // holds the start of a start bit.
          if (finder_.Run().Exceeds(crossing.time - recent_[index - 2].time, kStartCycle)) {
            candidates_.push_back({index - 2, finder_.Run()});
          }
        }
        // Checked as soon as their cell has passed, so that the outcome
        // never depends on how the samples came in.
        CheckCandidates(crossing.time);
        break;
      case State::Block:
        break;
    }
  }

  void EnterLeader() {
    state_ = State::Leader;
    candidates_.clear();
  }

  // Everything up to `safe` is known: check a start bit, read cells, pass
  // on the bits that nothing can take back any more.
  void Advance(double safe) {
    // A block that ends hands its crossings back to the leader finder,
    // which may find the next block's start in them: round again until
    // everything up to `safe` has been read.
    while (true) {
      if (state_ == State::Leader) {
        CheckCandidates(safe);
        if (state_ == State::Leader && finder_.Tick(safe) == LeaderFinder::Event::Lost) {
          EmitLeader(finder_.LostRun());
          state_ = State::Searching;
        }
      }
      if (state_ != State::Block) break;
      if (ReadCells(safe)) {
        const double cell = (last_cell_end_ - run_start_) / static_cast<double>(run_length_);
        const double period = run_bit_ == 1 ? cell / 2 : cell;
        auto cycles = static_cast<std::size_t>(2 * (last_cell_end_ - run_start_) / period);
        if (!begun_ && run_bit_ == 1 && run_start_ - reader_.Start() < kFrameCells * cell) {
          // Less than a frame in a leader that goes on: a glitch taken for
          // a start bit, not a block. The leader is the one found before.
          pending_.clear();
          state_ = State::Searching;
          cycles += block_leader_.cycles;
          finder_.Adopt(block_leader_.start, block_leader_.Period(), cycles, block_leader_.Level());
        } else {
          // The run of one tone is a leader: behind a run of ones lie the
          // last data bits, which are ones too, so a frame's worth is kept.
          EndBlock(run_bit_ == 1 ? run_start_ + kCellsKeptBeforeLeader * reader_.Length() : run_start_, true);
          finder_.Adopt(run_start_, period, cycles, reader_.Level());
        }
        EnterLeader();
        Refeed(last_cell_end_);
      } else if (reader_.Lost()) {
        const double cut = reader_.SureUntil();
        EndBlock(cut, false);
        Refeed(cut);
      } else {
        Deliver(std::min(reader_.SureUntil(), RunHold()));
        break;
      }
    }
    Prune();
  }

  // The crossings after `time` go to the leader finder (again).
  void Refeed(double time) {
    while (fed_ > 0 && recent_[fed_ - 1].time > time) --fed_;
    FeedFinder();
  }

  // Glitches in a leader look like start bits too, so every one whose
  // cell lies before `safe` is checked in turn until one is a 0 cell. A
  // start bit always comes before its leader could be taken for lost.
  void CheckCandidates(double safe) {
    while (state_ == State::Leader && !candidates_.empty() &&
           safe >= recent_[candidates_.front().index].time + kStartCheckCycles * candidates_.front().leader.Period() +
                       kStartCheckSamples) {
      const Candidate candidate = candidates_.front();
      candidates_.erase(candidates_.begin());
      CheckStartBit(candidate);
    }
  }

  // Reads the cells up to `safe`; true when they end in a run of one tone
  // longer than data ever holds, which is a leader.
  bool ReadCells(double safe) {
    while (const std::optional<Cell> next = reader_.Next(recent_, safe)) {
      const Cell& cell = *next;
      pending_.push_back(cell);
      last_cell_end_ = cell.end;
      // A glitch in a leader may pass for a start bit, and the leader's
      // cells behind it for a frame of FF. A block is sure of itself once
      // the start bit of its second or third frame has come.
      ++block_cells_;
      if ((block_cells_ == kFrameCells + 1 || block_cells_ == 2 * kFrameCells + 1) && cell.good && cell.bit == 0) {
        begun_ = true;
      }
      if (!cell.good) {
        run_length_ = 0;
        continue;
      }
      if (run_length_ == 0 || cell.bit != run_bit_) {
        run_bit_ = cell.bit;
        run_start_ = cell.start;
        run_length_ = 0;
      }
      if (++run_length_ >= (run_bit_ == 1 ? kLeaderOnes : kLeaderZeros)) return true;
    }
    return false;
  }

  // Cells of the current run of one tone wait until it is clear that the
  // run is data and not a leader.
  double RunHold() const {
    if (run_length_ == 0) return std::numeric_limits<double>::infinity();
    return run_bit_ == 1 ? run_start_ + kCellsKeptBeforeLeader * reader_.Length() : run_start_;
  }

  void CheckStartBit(const Candidate& candidate) {
    const std::optional<StartBit> start =
        FindStartBit(recent_, candidate.index, candidate.leader, window_, levels_);
    if (!start) return;
    // The leader as it was up to its start bit; the finder has seen data
    // cycles since. It is told with the block's first bit, since a glitch
    // in a leader may pass for a start bit until the leader goes on.
    block_leader_ = candidate.leader;
    finder_.Restart();
    reader_.Start(start->time, 2 * candidate.leader.Period(), start->rising,
                  static_cast<float>(candidate.leader.Level()));
    run_length_ = 0;
    block_cells_ = 0;
    begun_ = false;
    state_ = State::Block;
    block_open_ = false;
  }

  void EmitLeader(const ToneRun& run) {
    const double period_seconds = run.Period() * factor_ / sample_rate_;
    const double level = std::max(run.Level(), 1e-9);
    sink_.Leader(Seconds(run.start), 1 / (2 * period_seconds), 20 * std::log10(level));
  }

  // Passes on the cells that end by `until`.
  void Deliver(double until) {
    if (!begun_) return;
    while (!pending_.empty() && pending_.front().end <= until) {
      const Cell& cell = pending_.front();
      if (!block_open_) EmitLeader(block_leader_);
      if (cell.faded) {
        sink_.FadedBit(cell.bit, Seconds(cell.start));
      } else {
        sink_.Bit(cell.bit, Seconds(cell.start));
      }
      last_end_ = cell.end;
      block_open_ = true;
      pending_.pop_front();
    }
  }

  // The block ends at `cut`: cells up to there are passed on, the rest
  // were not the block's. `at_leader` says a leader follows at once, whose
  // cells end a little after the cut.
  void EndBlock(double cut, bool at_leader) {
    Deliver(at_leader ? cut + kEdgeSlack * reader_.Length() : cut);
    pending_.clear();
    if (block_open_) sink_.BlockEnd(Seconds(last_end_));
    block_open_ = false;
    state_ = State::Searching;
  }

  void Prune() {
    double keep = safe_ - 4 * rate_ / 880;
    // A block lost goes back to its last sure cell, and the leader finder
    // hears the crossings from there.
    if (state_ == State::Block) keep = std::min({keep, reader_.NextStart() - reader_.Length(), reader_.SureUntil()});
    if (state_ == State::Leader && !candidates_.empty()) {
      // The start bit's cycle is weighed against the leader cycle before it.
      keep = std::min(keep, recent_[candidates_.front().index > 4 ? candidates_.front().index - 4 : 0].time);
    }
    std::size_t drop = 0;
    while (drop + 2 < recent_.size() && recent_[drop].time < keep) ++drop;
    if (drop == 0) return;
    recent_.erase(recent_.begin(), recent_.begin() + static_cast<std::ptrdiff_t>(drop));
    for (Candidate& candidate : candidates_) candidate.index -= std::min(candidate.index, drop);
    fed_ -= std::min(fed_, drop);
    reader_.Forget(drop);
  }

  double Seconds(double time) const {
    const double factor = factor_;
    return (time * factor + (factor - 1) / 2) / sample_rate_;
  }

  unsigned sample_rate_;
  unsigned factor_;
  unsigned rate_;
  SampleWindow window_;
  GroupLevels levels_;
  double safe_ = 0;  // every crossing before this time is in recent_ or was
  LeaderFinder finder_;
  CellReader reader_;
  SymbolSink& sink_;
  State state_ = State::Searching;
  std::vector<Crossing> recent_;
  std::size_t fed_ = 0;  // crossings in recent_ the leader finder has seen
  std::deque<Cell> pending_;
  std::vector<Candidate> candidates_;
  bool block_open_ = false;
  std::size_t block_cells_ = 0;  // cells read since the start bit
  bool begun_ = false;           // the block is sure to be one, and opens
  ToneRun block_leader_;  // the leader of the block being read
  double last_end_ = 0;
  // The run of equal good cells at the end of what was read.
  std::uint8_t run_bit_ = 0;
  std::size_t run_length_ = 0;
  double run_start_ = 0;
  double last_cell_end_ = 0;
};

SymbolStage::SymbolStage(unsigned sample_rate, const SampleHistory& history, SymbolSink& sink)
    : impl_(std::make_unique<Impl>(sample_rate, history, sink)) {}
SymbolStage::~SymbolStage() = default;
void SymbolStage::Take(const CrossingChunk& chunk) { impl_->Take(chunk); }

}  // namespace orvano::decode
