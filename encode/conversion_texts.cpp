#include "encode/conversion_texts.h"

#include <array>

#include "common/file_names.h"
#include "common/file_stream.h"
#include "common/messages.h"
#include "common/number_text.h"
#include "common/option_names.h"
#include "common/tape_name.h"
#include "encode/image_signal.h"
#include "encode/signal_length.h"

namespace orvano::encode {
namespace {

constexpr std::array<std::string_view, 6> kPlayingHints{
    "Open this file in your Wave Editor or Player with following params:",
    "Sample rate: 44100 Hz",
    "Sample type: 16 Bit PCM",
    "Signed",
    "Byte order: Little-endian",
    "Chanels: Mono",
};

}  // namespace

std::string OutputNameFor(std::string_view source_name, bool write_wave) {
  // The directories keep the names they have on a case-sensitive host.
  return ChangeExt(UpperCaseFileName(source_name), write_wave ? "WAV" : "RAW");
}

void LogPlayingHints(Baud baud, Reporter& reporter) {
  for (const std::string_view hint : kPlayingHints) Log(reporter, hint);
  if (baud != Baud::k1200) Log(reporter, "Baud rate: " + std::string(NameOf(baud)));
}

std::string EmptyText(std::string_view source_name) { return "File: " + std::string(source_name) + " is empty"; }

std::string TooLargeText(std::string_view source_name) {
  return "File: " + std::string(source_name) + " is too large: its tape signal would not fit in a WAV file";
}

std::string ImageTooLargeText(std::string_view name) {
  return "File: " + std::string(name) + " is too large: a tape image holds at most " +
         Decimal(kMaxImageBytes / (1024 * 1024)) + " MB";
}

bool MayWriteSignal(std::string_view source_name, const std::string& output_name, std::uint64_t data_bytes,
                    Reporter& reporter) {
  if (data_bytes > kMaxDataBytes) {
    Log(reporter, TooLargeText(source_name));
    return false;
  }
  if (SameFile(std::string(source_name), output_name)) {
    Log(reporter, SameFileText(output_name));
    return false;
  }
  return true;
}

void WarnAboutTapeName(const TapeNameChoice& choice, std::string_view file_name, Reporter& reporter) {
  const std::string name = "[" + choice.name + "]";
  if (choice.transliterated) {
    Warn(reporter, "The name " + std::string(file_name) + " has letters a tape name cannot hold: they are spelled " +
                       name + " on tape");
  }
  if (choice.cut) Warn(reporter, "The name " + std::string(file_name) + " is cut to six characters on tape: " + name);
}

void WarnAboutStartAddress(std::uint16_t load, std::uint16_t start, std::uint64_t size, Reporter& reporter) {
  // Addresses wrap at 64 KB, so the distance from the load address tells.
  const auto offset = static_cast<std::uint16_t>(start - load);
  if (size == 0 || offset < size) return;
  const auto last = static_cast<std::uint16_t>(load + size - 1);
  Warn(reporter, "The start address " + AddressText(start) + " lies outside the loaded bytes " + AddressText(load) +
                     " to " + AddressText(last));
}

}  // namespace orvano::encode
