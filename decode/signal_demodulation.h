#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

#include "decode/tape_symbols.h"

namespace orvano::decode {

// Fills the span with the next samples of the one channel that carries the
// tape and says how many it gave; 0 at the end.
using SampleReader = std::function<std::size_t(std::span<float>)>;
// Told how many frames have been read and heard so far.
using HeardProgress = std::function<void(std::uint64_t frames)>;

enum class Threads { One, Two };

// Two threads pay off for a recording of more than a few seconds on a
// machine with more than one core; a length not known counts as long.
Threads ThreadsFor(std::uint64_t frames, bool length_known, unsigned sample_rate);

// Reads a whole recording at `sample_rate` through the demodulator into
// `sink`. With two threads, reading, decimation and the crossings run on a
// thread of their own while the calling thread follows the leaders and
// cells; the sink and `progress` are called on the calling thread only,
// and the sink hears the very same as with one.
void DemodulateSignal(unsigned sample_rate, const SampleReader& read, SymbolSink& sink, Threads threads,
                      const HeardProgress& progress);

}  // namespace orvano::decode
