#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tape/tape_block.h"

namespace orvano::tape {

enum class FileType { Basic, Binary, Text };

enum class FileStatus {
  Complete,
  Damaged,     // everything is there, but not all of it was read cleanly
  Incomplete,  // a part is missing: what there is, is kept
};

// Something that keeps a file from being complete, and the block (an index
// into the tape's blocks) where it shows.
struct FileProblem {
  enum class Kind {
    HeaderDamaged,  // `have` of the ten type bytes agree
    FramingErrors,  // `have` frames with bad stop bits in the bytes the file takes
    DataMissing,    // no data block follows the header
    AddressesCut,   // the binary data block ends inside its three address words
    EndBelowLoad,   // the binary's end address lies below its load address
    DataCut,        // the block holds `have` of the `want` bytes it should
    NoProgramEnd,   // no run of ten zero bytes ends the BASIC program
    NoTextEnd,      // no 0x1A ends the text
  } kind;
  std::size_t block = 0;
  std::size_t have = 0;
  std::size_t want = 0;
};

struct BinaryAddresses {
  std::uint16_t load = 0;
  std::uint16_t end = 0;
  std::uint16_t exec = 0;
};

// One file as the computer would load it.
struct TapeFile {
  FileType type = FileType::Binary;
  std::string name;  // the six name bytes of the header, as they are
  std::size_t header_block = 0;
  std::vector<std::size_t> data_blocks;
  // Whether there is anything to write: a header alone, or a binary whose
  // addresses are unusable, has no contents.
  bool has_contents = false;
  // The tokenised program up to and including its zero link, the memory
  // image without the address words, or the text before its 0x1A.
  std::vector<std::uint8_t> contents;
  std::optional<BinaryAddresses> addresses;
  std::vector<double> framing_errors;  // times, within the bytes the file takes
  std::vector<FileProblem> problems;

  FileStatus Status() const;
};

// What each block of the tape is to the assembly.
struct BlockUse {
  enum class Part { Header, Data, Loose } part = Part::Loose;
  std::optional<std::size_t> file;  // index into TapeLayout::files
  // The bytes the tape image holds: the whole block, but when bytes other
  // than 0x00 follow where the computer stops reading it; those are left
  // out. A block of no file is kept whole.
  std::size_t kept = 0;
  // The bytes left out.
  std::size_t ignored = 0;
};

struct TapeLayout {
  std::vector<TapeFile> files;
  std::vector<BlockUse> blocks;  // one for each block, in tape order
};

// Puts the blocks of a tape together into files the way the computer reads
// them. A header is a block of at least 16 bytes whose first ten bytes are,
// all but at most three, one known type byte; the blocks after it are its
// data. Nothing is made up: a file whose data is missing or cut says so in
// its problems, and a block that follows no header belongs to no file.
TapeLayout AssembleFiles(std::span<const TapeBlock> blocks);

}  // namespace orvano::tape
