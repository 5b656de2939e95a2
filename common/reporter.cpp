#include "common/reporter.h"

#include <algorithm>

namespace orvano {
namespace {

__extension__ typedef unsigned __int128 Wide;

// ceil(size × percent / 100): the first position that shows `percent`.
std::uint64_t FirstPositionOf(std::uint64_t size, int percent) {
  const Wide bound = static_cast<Wide>(size) * static_cast<unsigned>(percent);
  return static_cast<std::uint64_t>((bound + 99u) / 100u);
}

}  // namespace

void Log(Reporter& reporter, std::string_view text) { reporter.AddLine(LineKind::Message, text); }

void Warn(Reporter& reporter, std::string_view text) { reporter.AddLine(LineKind::Warning, text); }

int Percent(std::uint64_t position, std::uint64_t size) {
  if (size == 0) return 0;
  if (position >= size) return 100;
  return static_cast<int>(static_cast<Wide>(position) * 100u / size);
}

Progress::Progress(Reporter& reporter, std::string_view caption) : reporter_(reporter) {
  reporter_.OpenProgress(caption);
}

Progress::~Progress() { Close(); }

void Progress::Change(std::uint64_t position, std::uint64_t size) {
  const int percent = Percent(position, size);
  if (percent != shown_) {
    shown_ = percent;
    reporter_.SetProgress(percent);
  }
  size_ = size;
  range_start_ = size == 0 ? 0 : FirstPositionOf(size, percent);
  range_end_ = percent >= 100 || size == 0 ? UINT64_MAX : FirstPositionOf(size, percent + 1);
}

void Progress::Close() {
  if (!open_) return;
  open_ = false;
  reporter_.CloseProgress();
}

}  // namespace orvano
