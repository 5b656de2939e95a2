#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <memory>

#include "common/file_stream.h"
#include "common/memory_stream.h"
#include "tests/support/temp_dir.h"

namespace orvano {
namespace {

using testing::Bytes;
using testing::TempDir;

// The read rule must hold alike for files (with a buffer smaller than the
// reads, so that refills happen) and for memory.
struct StreamKind {
  const char* name;
  std::function<std::unique_ptr<ByteStream>(const TempDir&, const Bytes&)> make;
};

const StreamKind kKinds[] = {
    {"memory", [](const TempDir&, const Bytes& bytes) { return std::make_unique<MemoryStream>(bytes); }},
    {"file", [](const TempDir& dir, const Bytes& bytes) {
       testing::WriteFile(dir.File("in.bin"), bytes);
       return std::make_unique<FileStream>(dir.File("in.bin"), OpenMode::Read, 3);
     }},
    {"file-large-buffer", [](const TempDir& dir, const Bytes& bytes) {
       testing::WriteFile(dir.File("in.bin"), bytes);
       return std::make_unique<FileStream>(dir.File("in.bin"), OpenMode::Read, 1 << 16);
     }},
};

class ReadRule : public ::testing::TestWithParam<StreamKind> {
 protected:
  TempDir dir_;
  const Bytes data_{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
};

TEST_P(ReadRule, ReadOfExactlyWhatRemainsSucceeds) {
  auto stream = GetParam().make(dir_, data_);
  Bytes head(4), rest(6);
  stream->Read(head);
  stream->Read(rest);
  EXPECT_EQ(head, (Bytes{1, 2, 3, 4}));
  EXPECT_EQ(rest, (Bytes{5, 6, 7, 8, 9, 10}));
  EXPECT_EQ(stream->Status(), StreamStatus::Ok);
  EXPECT_EQ(stream->Position(), 10u);
  Bytes nothing;
  stream->Read(nothing);
  EXPECT_EQ(stream->Status(), StreamStatus::Ok);
}

TEST_P(ReadRule, ShortReadDeliversNothingAndSticks) {
  auto stream = GetParam().make(dir_, data_);
  stream->Seek(7);
  Bytes request(4, 0xAA);
  stream->Read(request);
  EXPECT_EQ(request, Bytes(4, 0));  // none of the three remaining bytes
  EXPECT_EQ(stream->Status(), StreamStatus::ReadPastEnd);
  EXPECT_EQ(stream->Position(), 7u);

  stream->Seek(0);  // ignored in the error state
  EXPECT_EQ(stream->Position(), 7u);
  Bytes later(2, 0xAA);
  stream->Read(later);
  EXPECT_EQ(later, Bytes(2, 0));
  EXPECT_EQ(stream->ReadByte(), 0);
}

TEST_P(ReadRule, SeeksAndReadsAcrossBufferBoundaries) {
  auto stream = GetParam().make(dir_, data_);
  EXPECT_EQ(stream->Size(), 10u);
  stream->Seek(2);
  EXPECT_EQ(stream->ReadByte(), 3);
  Bytes middle(5);
  stream->Read(middle);
  EXPECT_EQ(middle, (Bytes{4, 5, 6, 7, 8}));
  stream->Seek(1);
  EXPECT_EQ(stream->ReadByte(), 2);
  EXPECT_EQ(stream->Remaining(), 8u);
}

TEST_P(ReadRule, EmptyStreamFailsOnFirstByte) {
  auto stream = GetParam().make(dir_, {});
  EXPECT_EQ(stream->Size(), 0u);
  EXPECT_EQ(stream->ReadByte(), 0);
  EXPECT_EQ(stream->Status(), StreamStatus::ReadPastEnd);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ReadRule, ::testing::ValuesIn(kKinds),
                         [](const ::testing::TestParamInfo<StreamKind>& param_info) {
                           std::string name = param_info.param.name;
                           for (char& c : name) c = c == '-' ? '_' : c;
                           return name;
                         });

TEST(FileStream, MissingFileAndDirectoryFailToOpen) {
  TempDir dir;
  FileStream missing(dir.File("nothing.raw"), OpenMode::Read);
  EXPECT_EQ(missing.Status(), StreamStatus::OpenFailed);
  EXPECT_EQ(missing.SystemError(), ENOENT);
  EXPECT_EQ(missing.ReadByte(), 0);

  FileStream directory(dir.Path(), OpenMode::Read);
  EXPECT_EQ(directory.Status(), StreamStatus::OpenFailed);
  EXPECT_EQ(directory.SystemError(), EISDIR);
}

TEST(FileStream, CreatedFileAppearsOnlyOnRelease) {
  TempDir dir;
  const std::string target = dir.File("out.bin");
  testing::WriteFile(target, Bytes{9, 9});
  {
    FileStream out(target, OpenMode::Create, 4);
    out.Write(Bytes{1, 2, 3, 4, 5, 6});
    EXPECT_EQ(out.Size(), 6u);
    EXPECT_EQ(testing::ReadFile(target), (Bytes{9, 9}));
    out.Release();
    EXPECT_EQ(out.Status(), StreamStatus::Ok);
  }
  EXPECT_EQ(testing::ReadFile(target), (Bytes{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(testing::ListDir(dir.Path()), std::vector<std::string>{"out.bin"});
}

TEST(FileStream, UnreleasedOrDiscardedOutputLeavesOldFileAndNoTemporary) {
  TempDir dir;
  const std::string target = dir.File("out.bin");
  testing::WriteFile(target, Bytes{9, 9});
  { FileStream out(target, OpenMode::Create); out.Write(Bytes(5000, 1)); }
  {
    FileStream out(target, OpenMode::Create);
    out.Write(Bytes{1});
    out.Discard();
    out.Release();
  }
  EXPECT_EQ(testing::ReadFile(target), (Bytes{9, 9}));
  EXPECT_EQ(testing::ListDir(dir.Path()), std::vector<std::string>{"out.bin"});
}

TEST(FileStream, SeekBackOverwritesAHeaderArea) {
  TempDir dir;
  const std::string target = dir.File("out.wav");
  FileStream out(target, OpenMode::Create, 3);
  out.Seek(4);
  out.Write(Bytes{5, 6, 7, 8, 9});
  out.Seek(0);
  out.Write(Bytes{1, 2, 3, 4});
  EXPECT_EQ(out.Size(), 9u);
  out.Release();
  EXPECT_EQ(testing::ReadFile(target), (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(FileStream, CreateInMissingDirectoryFails) {
  TempDir dir;
  FileStream out(dir.File("no/such/dir/out.bin"), OpenMode::Create);
  EXPECT_EQ(out.Status(), StreamStatus::CreateFailed);
  EXPECT_EQ(out.SystemError(), ENOENT);
  out.Write(Bytes{1});
  out.Release();
  EXPECT_EQ(out.Status(), StreamStatus::CreateFailed);
}

TEST(FileStream, OutputThroughSymbolicLinkReplacesTheLinkedFile) {
  TempDir dir;
  testing::WriteFile(dir.File("real.bin"), Bytes{1});
  ASSERT_EQ(::symlink("real.bin", dir.File("link.bin").c_str()), 0);
  FileStream out(dir.File("link.bin"), OpenMode::Create);
  out.Write(Bytes{7, 7});
  out.Release();
  struct stat st {};
  ASSERT_EQ(::lstat(dir.File("link.bin").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(testing::ReadFile(dir.File("real.bin")), (Bytes{7, 7}));
}

TEST(FileStream, ReplacedFileKeepsItsPermissions) {
  TempDir dir;
  const std::string target = dir.File("out.bin");
  testing::WriteFile(target, Bytes{1});
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  FileStream out(target, OpenMode::Create);
  out.Write(Bytes{2});
  out.Release();
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(FileStream, WriteBeyondFileSizeLimitIsAnErrorAndKeepsTheOldFile) {
  TempDir dir;
  const std::string target = dir.File("out.bin");
  testing::WriteFile(target, Bytes{9});
  auto* previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  StreamStatus status;
  int error;
  {
    FileStream out(target, OpenMode::Create);
    out.Write(Bytes(10000, 1));
    out.Release();
    status = out.Status();
    error = out.SystemError();
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  EXPECT_EQ(status, StreamStatus::WriteFailed);
  EXPECT_EQ(error, EFBIG);
  EXPECT_EQ(testing::ReadFile(target), (Bytes{9}));
  EXPECT_EQ(testing::ListDir(dir.Path()), std::vector<std::string>{"out.bin"});
}

TEST(FileStream, FileThatShrinksWhileReadIsAReadError) {
  TempDir dir;
  const std::string path = dir.File("in.bin");
  testing::WriteFile(path, Bytes(100, 1));
  FileStream in(path, OpenMode::Read, 8);
  ASSERT_EQ(::truncate(path.c_str(), 10), 0);
  Bytes chunk(50, 0xAA);
  in.Read(chunk);
  EXPECT_EQ(in.Status(), StreamStatus::ReadFailed);
  EXPECT_EQ(chunk, Bytes(50, 0));
}

TEST(SameFile, ComparesTheFilesNotTheNames) {
  TempDir dir;
  testing::WriteFile(dir.File("a"), Bytes{1});
  testing::WriteFile(dir.File("b"), Bytes{1});
  ASSERT_EQ(::link(dir.File("a").c_str(), dir.File("hard").c_str()), 0);
  EXPECT_TRUE(SameFile(dir.File("a"), dir.Path() + "/./a"));
  EXPECT_TRUE(SameFile(dir.File("a"), dir.File("hard")));
  EXPECT_FALSE(SameFile(dir.File("a"), dir.File("b")));
  EXPECT_FALSE(SameFile(dir.File("a"), dir.File("missing")));
}

TEST(MemoryStream, WritesGrowAndOverwrite) {
  MemoryStream stream;
  stream.Write(Bytes{1, 2, 3});
  stream.Seek(1);
  stream.Write(Bytes{7, 8, 9});
  EXPECT_EQ(stream.Bytes(), (Bytes{1, 7, 8, 9}));
}

}  // namespace
}  // namespace orvano
