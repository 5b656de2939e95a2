#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <iostream>
#include <locale>
#include <random>
#include <string>
#include <vector>

#include "basic/basic_detokenizer.h"
#include "common/memory_stream.h"
#include "tests/support/record_stream.h"
#include "tests/support/temp_dir.h"

namespace orvano::basic {
namespace {

using testing::Bytes;
using testing::RecordStream;
using testing::TempDir;

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// A line record: a nonzero link word, the line number, the text and 0x00.
Bytes Line(std::uint16_t number, const Bytes& text) {
  return Join({{0x01, 0x80, static_cast<std::uint8_t>(number & 0xFF), static_cast<std::uint8_t>(number >> 8)},
               text,
               {0x00}});
}

const Bytes kEnd = {0x00, 0x00};

std::string Listing(const Bytes& program) {
  MemoryStream source(program);
  MemoryStream output;
  BasicDetokenizer detokenizer(&source, "");
  detokenizer.ListTo(output);
  return {output.Bytes().begin(), output.Bytes().end()};
}

struct ListingCase {
  const char* name;
  Bytes program;
  std::string listing;
};

const ListingCase kListingCases[] = {
    {"one line", Join({Line(10, {0x91, 0x20, 0x22, 0x48, 0x49, 0x22}), kEnd}), "10 PRINT \"HI\"\r\n"},
    {"empty line", Join({Line(10, {}), kEnd}), "10 \r\n"},
    {"line numbers are unsigned", Join({Line(0, {0x81}), Line(65535, {0x81}), kEnd}), "0 END\r\n65535 END\r\n"},
    {"empty data", {}, ""},
    {"only the disk-file marker", {0xFF}, ""},
    {"only the zero link word", kEnd, ""},
    {"nothing after the zero link word is read",
     Join({Line(10, {0x81}), kEnd, Line(20, {0x81}), Bytes(10, 0x00)}), "10 END\r\n"},
    {"the data ends without a zero link word", Join({Line(10, {0x81}), Line(20, {0x8A})}), "10 END\r\n20 RUN\r\n"},
    // The line is written with what it has; the next link word reads as 0.
    {"the data ends one byte into an integer", Join({Line(10, {0x81}), {0x01, 0x80, 0x14, 0x00, 0x1C, 0x05}}),
     "10 END\r\n20 0\r\n"},
    {"the data ends inside the line number", {0x01, 0x80, 0x14}, "0 \r\n"},
    {"the data ends inside the link word", Join({Line(10, {0x81}), {0x01}}), "10 END\r\n"},
    {"a 0xFF later in the data is a link byte", Join({{0x01, 0xFF, 0x0A, 0x00, 0x81, 0x00}, kEnd}), "10 END\r\n"},
};

TEST(ListTo, WritesOneRecordPerLine) {
  for (const ListingCase& c : kListingCases) {
    EXPECT_EQ(Listing(c.program), c.listing) << c.name;
  }
}

TEST(ListTo, SkipsALeadingDiskFileMarker) {
  for (const ListingCase& c : kListingCases) {
    EXPECT_EQ(Listing(Join({{0xFF}, c.program})), c.listing) << c.name;
  }
}

TEST(ListTo, KeepsTheLineEndOfALongRecord) {
  // 5 digits, a blank and 255 characters of text: cut to 253, then CR LF.
  const Bytes text = Join({{0x8F}, Bytes(252, 'x')});
  const std::string listing = Listing(Join({Line(12345, text), Line(20, {0x81}), kEnd}));
  const std::string first = "12345 REM" + std::string(244, 'x') + "\r\n";
  ASSERT_EQ(first.size(), 255u);
  EXPECT_EQ(listing, first + "20 END\r\n");
}

TEST(ListTo, KeepsARecordOfExactly255Characters) {
  const std::string listing = Listing(Join({Line(1, Bytes(251, 'x')), kEnd}));
  EXPECT_EQ(listing, "1 " + std::string(251, 'x') + "\r\n");
}

TEST(ListToFile, ReplacesTheFileWithTheListing) {
  TempDir dir;
  testing::WriteFile(dir.File("GAME.BAS"), "an older listing, longer than the new one\r\n");
  MemoryStream source(Join({Line(10, {0x81}), kEnd}));
  BasicDetokenizer detokenizer(&source, "");
  const ListResult result = detokenizer.ListToFile(dir.File("GAME.BAS"));
  EXPECT_EQ(result.status, ListStatus::Written);
  EXPECT_EQ(testing::ReadText(dir.File("GAME.BAS")), "10 END\r\n");
  EXPECT_EQ(testing::ListDir(dir.Path()), std::vector<std::string>{"GAME.BAS"});
}

TEST(ListToFile, ReportsAFileThatCannotBeCreated) {
  TempDir dir;
  MemoryStream source(Join({Line(10, {0x81}), kEnd}));
  BasicDetokenizer detokenizer(&source, "");
  const ListResult result = detokenizer.ListToFile(dir.File("no-such-folder/GAME.BAS"));
  EXPECT_EQ(result.status, ListStatus::CreateFailed);
  EXPECT_EQ(result.stream_status, StreamStatus::CreateFailed);
  EXPECT_NE(result.system_error, 0);
  EXPECT_TRUE(testing::ListDir(dir.Path()).empty());
}

// A program whose reads the system refuses from some position on.
class RefusingStream final : public ByteStream {
 public:
  RefusingStream(Bytes bytes, std::uint64_t refused_from) : bytes_(std::move(bytes)), refused_from_(refused_from) {}
  std::uint64_t Size() const override { return bytes_.size(); }
  std::uint64_t Position() const override { return position_; }

 protected:
  void DoSeek(std::uint64_t position) override { position_ = position; }
  void DoRead(std::span<std::uint8_t> out) override {
    if (position_ + out.size() > refused_from_) {
      Fail(StreamStatus::ReadFailed, EIO);
      return;
    }
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(position_), out.size(), out.begin());
    position_ += out.size();
  }
  void DoWrite(std::span<const std::uint8_t>) override {}

 private:
  Bytes bytes_;
  std::uint64_t refused_from_;
  std::uint64_t position_ = 0;
};

TEST(ListToFile, KeepsTheEarlierListingWhenAReadIsRefused) {
  TempDir dir;
  testing::WriteFile(dir.File("GAME.BAS"), "10 END\r\n");
  RefusingStream source(Join({Line(10, {0x81}), Line(20, {0x8A}), kEnd}), 9);
  BasicDetokenizer detokenizer(&source, "");
  const ListResult result = detokenizer.ListToFile(dir.File("GAME.BAS"));
  EXPECT_EQ(result.status, ListStatus::SourceFailed);
  EXPECT_EQ(result.system_error, EIO);
  EXPECT_EQ(testing::ReadText(dir.File("GAME.BAS")), "10 END\r\n");
  EXPECT_EQ(testing::ListDir(dir.Path()), std::vector<std::string>{"GAME.BAS"});
}

TEST(ListToFile, OpensAndListsANamedProgram) {
  TempDir dir;
  testing::WriteFile(dir.File("GAME.CAS"), Join({{0xFF}, Line(10, {0x81}), kEnd}));
  BasicDetokenizer detokenizer(nullptr, dir.File("GAME.CAS"));
  EXPECT_EQ(detokenizer.ListToFile(dir.File("GAME.BAS")).status, ListStatus::Written);
  EXPECT_EQ(testing::ReadText(dir.File("GAME.BAS")), "10 END\r\n");
}

TEST(ListToFile, ReportsAMissingNamedProgramAndCreatesNothing) {
  TempDir dir;
  BasicDetokenizer detokenizer(nullptr, dir.File("GAME.CAS"));
  const ListResult result = detokenizer.ListToFile(dir.File("GAME.BAS"));
  EXPECT_EQ(result.status, ListStatus::SourceFailed);
  EXPECT_EQ(result.stream_status, StreamStatus::OpenFailed);
  EXPECT_FALSE(testing::Exists(dir.File("GAME.BAS")));
}

TEST(ListToFile, ReportsThatThereIsNoSource) {
  TempDir dir;
  BasicDetokenizer detokenizer(nullptr, "");
  EXPECT_EQ(detokenizer.ListToFile(dir.File("GAME.BAS")).status, ListStatus::SourceFailed);
  EXPECT_FALSE(testing::Exists(dir.File("GAME.BAS")));
}

TEST(ListTo, EndsOnAnyDataAndWritesShortWholeRecords) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<std::size_t> length(0, 700);
  for (int round = 0; round < 300; ++round) {
    Bytes program(length(random));
    for (auto& value : program) {
      // Mostly nonzero, so that lines run long and link words rarely end early.
      value = static_cast<std::uint8_t>(byte(random) < 8 ? 0 : byte(random));
    }
    MemoryStream source(program);
    RecordStream output;
    BasicDetokenizer detokenizer(&source, "");
    detokenizer.ListTo(output);
    for (const std::string& record : output.Records()) {
      EXPECT_LE(record.size(), 255u);
      EXPECT_TRUE(record.ends_with("\r\n"));
    }
    EXPECT_LE(output.Records().size(), program.size() / 5 + 1);
  }
}

// A numeric facet that writes "," as decimal point, as many locales do.
class CommaPoint : public std::numpunct<char> {
 protected:
  char do_decimal_point() const override { return ','; }
};

// Puts a comma-decimal locale in place for C++ and, where the system has or
// can build one, for C too, and restores both at scope end.
class CommaLocale {
 public:
  explicit CommaLocale(const TempDir& dir) : saved_cpp_(std::locale()), saved_c_(std::setlocale(LC_ALL, nullptr)) {
    std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "ru_RU.UTF-8", "de_DE.utf8"}) {
      if (std::setlocale(LC_ALL, name) != nullptr) return;
    }
    // No such locale installed: build one where the locale sources exist.
    const std::string command =
        "localedef -i de_DE -f UTF-8 " + dir.File("de_DE.UTF-8") + " >/dev/null 2>&1";
    if (std::system(command.c_str()) == 0) {
      ::setenv("LOCPATH", dir.Path().c_str(), 1);
      std::setlocale(LC_ALL, "de_DE.UTF-8");
    }
  }
  ~CommaLocale() {
    std::setlocale(LC_ALL, saved_c_.c_str());
    std::locale::global(saved_cpp_);
    ::unsetenv("LOCPATH");
  }
  bool CHasComma() const { return *std::localeconv()->decimal_point == ','; }

 private:
  std::locale saved_cpp_;
  std::string saved_c_;
};

TEST(ListTo, WritesDecimalPointsWhateverTheLocale) {
  TempDir dir;
  const Bytes program = Join({Line(10, {0x1D, 0x00, 0x00, 0x40, 0x81, 0x2C, 0x1D, 0xE5, 0x07, 0x4F, 0x70, 0x2C,
                                        0x1F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x20, 0x82, 0x2C,
                                        0x1D, 0x00, 0x40, 0x1C, 0x90}),
                              kEnd});
  CommaLocale comma(dir);
  EXPECT_EQ(std::use_facet<std::numpunct<char>>(std::locale()).decimal_point(), ',');
  if (!comma.CHasComma()) std::cout << "[ note ] no comma locale for C here; C++ locale only\n";
  EXPECT_EQ(Listing(program), "10 1.5,0.00001234,2.5,40000!\r\n");
}

}  // namespace
}  // namespace orvano::basic
