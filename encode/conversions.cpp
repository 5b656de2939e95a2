#include "encode/conversions.h"

#include <string>

#include "common/number_text.h"
#include "encode/conversion_texts.h"
#include "encode/signal_length.h"
#include "encode/tape_conversion.h"
#include "tape/tape_format.h"

namespace orvano::encode {
namespace {

constexpr TapeKind kBinaryKind{tape::kBinaryType, "Convert binary file", "Convert source to MSX tape binary file ",
                               "\",B[,R]"};
constexpr TapeKind kBasicKind{tape::kBasicType, "Convert BASIC file", "Convert source to MSX tape BASIC file ", "\""};
constexpr TapeKind kTextKind{tape::kTextType, "Convert textfile", "Convert source to MSX tape textfile ", "\",A"};

void WriteWord(TapeEncoder& encoder, std::uint16_t word) {
  encoder.WriteTapeByte(static_cast<std::uint8_t>(word & 0xFFu));
  encoder.WriteTapeByte(static_cast<std::uint8_t>(word >> 8));
}

class BinaryBody final : public TapeBody {
 public:
  explicit BinaryBody(const ConversionOptions& options) : options_(options) {}

  std::uint64_t DataBytes(const TapeTiming& timing, std::uint64_t source_size, std::uint8_t) const override {
    return BinaryDataBytes(timing, source_size);
  }
  void Begin(TapeEncoder& encoder, std::uint64_t source_size) override {
    encoder.StartDataBlock();
    WriteWord(encoder, options_.LoadAddr);
    WriteWord(encoder, static_cast<std::uint16_t>(options_.LoadAddr + source_size - 1));
    WriteWord(encoder, options_.StartAddr);
  }
  void Byte(TapeEncoder& encoder, std::uint64_t, std::uint8_t value) override { encoder.WriteTapeByte(value); }
  void End(TapeEncoder&) override {}
  void Check(std::uint64_t source_size, Reporter& reporter) const override {
    WarnAboutStartAddress(options_.LoadAddr, options_.StartAddr, source_size, reporter);
  }

 private:
  const ConversionOptions& options_;
};

class BasicBody final : public TapeBody {
 public:
  std::uint64_t DataBytes(const TapeTiming& timing, std::uint64_t source_size, std::uint8_t first_byte) const override {
    return BasicDataBytes(timing, first_byte == tape::kDiskBasicMarker ? source_size - 1 : source_size);
  }
  void Begin(TapeEncoder& encoder, std::uint64_t) override { encoder.StartDataBlock(); }
  void Byte(TapeEncoder& encoder, std::uint64_t position, std::uint8_t value) override {
    // Only the very first byte can be the disk file's marker; a 0xFF
    // anywhere else is part of the program.
    if (position == 1 && value == tape::kDiskBasicMarker) return;
    encoder.WriteTapeByte(value);
  }
  void End(TapeEncoder& encoder) override {
    for (std::size_t i = 0; i < tape::kBasicTrailerBytes; ++i) encoder.WriteTapeByte(0x00);
  }
};

class TextBody final : public TapeBody {
 public:
  std::uint64_t DataBytes(const TapeTiming& timing, std::uint64_t source_size, std::uint8_t) const override {
    return TextDataBytes(timing, source_size);
  }
  void Begin(TapeEncoder&, std::uint64_t) override {}
  void Byte(TapeEncoder& encoder, std::uint64_t, std::uint8_t value) override {
    if (block_fill_ == 0) encoder.StartDataBlock();
    encoder.WriteTapeByte(value);
    block_fill_ = static_cast<std::uint8_t>(block_fill_ + 1);
  }
  void End(TapeEncoder& encoder) override {
    // The last block is filled up with end marks; then one more follows
    // directly, the only one when the text fills its last block exactly.
    if (block_fill_ != 0) {
      for (std::size_t i = block_fill_; i < tape::kTextBlockBytes; ++i) encoder.WriteTapeByte(tape::kTextEnd);
    }
    encoder.WriteTapeByte(tape::kTextEnd);
  }

 private:
  // Bytes in the current block; 8 bits wide, so it wraps to 0 after 256.
  std::uint8_t block_fill_ = 0;
};
static_assert(tape::kTextBlockBytes == 256, "the block counter wraps at 256");

}  // namespace

Outcome ConvertBinary(FileNameSet& names, const ConversionOptions& options, Reporter& reporter) {
  BinaryBody body(options);
  const std::string address_line =
      "Set load&run addres to 0x" + Hex4(options.LoadAddr) + " & 0x" + Hex4(options.StartAddr);
  return RunConversion(kBinaryKind, address_line, body, names, options, reporter);
}

Outcome ConvertBasic(FileNameSet& names, const ConversionOptions& options, Reporter& reporter) {
  BasicBody body;
  return RunConversion(kBasicKind, {}, body, names, options, reporter);
}

Outcome ConvertText(FileNameSet& names, const ConversionOptions& options, Reporter& reporter) {
  TextBody body;
  return RunConversion(kTextKind, {}, body, names, options, reporter);
}

}  // namespace orvano::encode
