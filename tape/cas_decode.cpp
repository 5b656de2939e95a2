#include "tape/cas_decode.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "common/file_stream.h"
#include "common/messages.h"
#include "common/number_text.h"
#include "tape/bit_reader.h"
#include "tape/tape_copy.h"
#include "tape/tape_format.h"

namespace orvano::tape {
namespace {

// What each known type byte leads to.
struct Branch {
  std::uint8_t type;
  TapeFileKind kind;
  std::string_view found;  // the line that shows the tape name
  bool rename_hint;
  std::string_view extension;  // also the label of the closing line
};

constexpr std::array<Branch, 3> kBranches{{
    {kBasicType, TapeFileKind::Basic, "Found MSX Basic file ", true, "CAS"},
    {kTextType, TapeFileKind::Text, "Found MSX Text file ", true, "TXT"},
    {kBinaryType, TapeFileKind::Binary, "Found MSX binary file ", false, "BIN"},
}};

constexpr std::array<std::string_view, kAddressWords> kAddressLabels{"Load addres is ", "End addres is ",
                                                                     "Start addres is "};

constexpr CasDecodeResult kFailed{};

// The end of the bit file is a normal end: the readers give zeros then and
// the loops stop. Anything else is a read that went wrong.
bool ReadBroken(const ByteStream& bits) { return bits.Failed() && bits.Status() != StreamStatus::ReadPastEnd; }

class Extraction {
 public:
  Extraction(FileNameSet& names, Reporter& reporter, FileStream& bits, Progress& progress)
      : names_(names), reporter_(reporter), bits_(bits), progress_(progress) {}

  CasDecodeResult Run();

 private:
  CasDecodeResult Extract(const Branch& branch);
  std::uint16_t ReadWord();
  bool Healthy();

  FileNameSet& names_;
  Reporter& reporter_;
  FileStream& bits_;
  Progress& progress_;
};

// Logs a read that went wrong and says whether to go on.
bool Extraction::Healthy() {
  if (!ReadBroken(bits_)) return true;
  Log(reporter_, ReadFailedText(names_.Tx2Name, bits_));
  return false;
}

std::uint16_t Extraction::ReadWord() {
  const std::uint8_t low = ReadTapeByte(bits_);
  const std::uint8_t high = ReadTapeByte(bits_);
  return static_cast<std::uint16_t>(low | (high << 8));
}

CasDecodeResult Extraction::Run() {
  if (!SeekStartBit(bits_, &progress_)) {
    if (Healthy()) Log(reporter_, "File " + names_.Tx2Name + " is not valid MSX file");
    return kFailed;
  }
  std::array<std::uint8_t, kTypeByteCount> header;
  for (std::uint8_t& byte : header) byte = ReadTapeByte(bits_);
  if (!Healthy()) return kFailed;
  for (std::size_t i = 0; i < header.size(); ++i) {
    Log(reporter_, "Found FileType " + Decimal(i + 1) + " " + Decimal(header[i]));
  }
  const auto branch = std::find_if(kBranches.begin(), kBranches.end(),
                                   [&](const Branch& b) { return b.type == header[kTypeByteIndex]; });
  // An unknown type is shown by the lines above and nothing more.
  if (branch == kBranches.end()) return kFailed;
  return Extract(*branch);
}

CasDecodeResult Extraction::Extract(const Branch& branch) {
  std::string tape_name(kTapeNameBytes, '\0');
  for (char& c : tape_name) c = static_cast<char>(ReadTapeByte(bits_));
  if (!Healthy()) return kFailed;
  Log(reporter_, std::string(branch.found) + tape_name);
  if (branch.rename_hint) Log(reporter_, "You can rename it");
  names_.OutputName = ChangeExt(names_.SourceName, branch.extension);
  Log(reporter_, "Processing " + std::string(branch.extension) + " file create " + names_.OutputName);

  // Whether or not the leader ends in a start bit, the data comes next.
  SeekStartBit(bits_, &progress_);
  if (!Healthy()) return kFailed;
  if (branch.kind == TapeFileKind::Binary) {
    // The addresses are only shown: the image runs to the end of the recording.
    std::array<std::uint16_t, kAddressWords> addresses;
    for (std::uint16_t& address : addresses) address = ReadWord();
    if (!Healthy()) return kFailed;
    for (std::size_t i = 0; i < addresses.size(); ++i) {
      Log(reporter_, std::string(kAddressLabels[i]) + Hex4(addresses[i]) + "h");
    }
  }

  if (SameFile(names_.Tx2Name, names_.OutputName)) {
    Log(reporter_, SameFileText(names_.OutputName));
    return kFailed;
  }
  FileStream out(names_.OutputName, OpenMode::Create);
  if (out.Failed()) {
    Log(reporter_, CreateFailedText(names_.OutputName));
    return kFailed;
  }
  if (branch.kind == TapeFileKind::Text) {
    CopyTapeText(bits_, out, progress_);
  } else {
    CopyTapeBytes(bits_, out, progress_);
  }
  if (!Healthy()) return kFailed;
  if (!out.Failed()) out.Release();
  if (out.Failed()) {
    Log(reporter_, WriteFailedText(names_.OutputName, out));
    return kFailed;
  }
  Log(reporter_, std::string(branch.extension) + " file " + names_.OutputName + " create successfully!!!");
  return {Outcome::Success, branch.kind};
}

}  // namespace

CasDecodeResult CasDecode(FileNameSet& names, Reporter& reporter) {
  names.Tx2Name = ChangeExt(names.SourceName, "TX2");
  Log(reporter, "Open file " + names.Tx2Name + " for reading");
  names.OutputName = ChangeExt(names.SourceName, "CAS");
  Log(reporter, "Process CAS file create");
  // The window is there before the bit file is opened and closes after
  // everything else, on every path.
  Progress progress(reporter, "Process CAS file create");
  FileStream bits(names.Tx2Name, OpenMode::Read);
  if (bits.Failed()) {
    Log(reporter, OpenFailedText(names.Tx2Name));
    return kFailed;
  }
  return Extraction(names, reporter, bits, progress).Run();
}

}  // namespace orvano::tape
