#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "common/file_stream.h"
#include "decode/mono_signal.h"
#include "decode/stretch_resampler.h"

namespace orvano::decode {

// What the recode of one stretch came to.
struct StretchResult {
  std::string resample_error;  // why no resampler could be made
  std::string read_error;      // why reading stopped early
  int write_error = 0;         // the system's error number of a write that failed
  bool Failed() const { return !resample_error.empty() || !read_error.empty() || write_error != 0; }
};

// The stretches of one recode, run at once: they count the frames they read
// together, and one that fails stops the others.
struct SharedRecodeState {
  std::atomic<std::uint64_t> frames_read{0};
  std::atomic<bool> stop{false};
};

// Reads `signal` from the stretch's `read_from` on (where it must stand),
// resamples the stretch to the recoded file's rate, recodes it to the three
// levels and writes each at its place in `out`. `after_block` runs after
// every block read, on this thread.
StretchResult RecodeStretch(MonoSignal& signal, const Stretch& stretch, const FileStream& out,
                            SharedRecodeState& shared, const std::function<void()>& after_block = {});

}  // namespace orvano::decode
