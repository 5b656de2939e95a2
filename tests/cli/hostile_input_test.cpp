// orvano-cli under bad input and faults: each case checks the line the user
// reads, the exit status, and that no file the user had was changed.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <thread>

#include <filesystem>
#include <functional>
#include <map>

#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace orvano {
namespace {

using testing::Bytes;
using testing::TempDir;
using Snapshot = std::map<std::string, Bytes>;

// Every file under the directory with its bytes; links by what they point to.
Snapshot Take(const std::string& root) {
  Snapshot files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    const std::string relative = std::filesystem::relative(entry.path(), root);
    if (entry.is_symlink()) {
      files[relative] = testing::BytesOf("-> " + std::filesystem::read_symlink(entry.path()).string());
    } else if (entry.is_regular_file()) {
      files[relative] = testing::ReadFile(entry.path());
    } else if (entry.is_directory()) {
      files[relative + "/"] = {};
    }
  }
  return files;
}

// A frame of the bit file: start bit, eight data bits LSB first, two stop bits.
std::string Frame(std::uint8_t byte) {
  std::string bits = "0";
  for (int i = 0; i < 8; ++i) bits += (byte >> i & 1) ? '1' : '0';
  return bits + "11";
}

struct HostileCase {
  const char* name;
  std::function<void(const TempDir&)> prepare;
  std::vector<std::string> args;  // "@" stands for the directory
  std::uint64_t file_size_limit;
  int exit_status;
  std::string line;                  // a line the log must hold, "@" for the directory
  std::map<std::string, Bytes> new_files;  // files the run must create, with their bytes
};

Bytes Samples(std::initializer_list<int> values) {
  Bytes bytes;
  for (const int v : values) {
    bytes.push_back(static_cast<std::uint8_t>(v & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
  }
  return bytes;
}

std::string BasicHeaderBits() {
  std::string bits = "1111";
  for (int i = 0; i < 10; ++i) bits += Frame(0xD3);
  for (const char c : std::string("GAME  ")) bits += Frame(static_cast<std::uint8_t>(c));
  return bits + "111";
}

const std::string kLongDir = std::string(200, 'a') + "/" + std::string(200, 'b');

std::vector<HostileCase> Cases() {
  return {
      {"missing input", [](const TempDir&) {}, {"recode", "@/GAME.RAW"}, 0, 1, "Error open file @/GAME.RAW", {}},
      {"directory as input", [](const TempDir& d) { ::mkdir(d.File("GAME.RAW").c_str(), 0777); },
       {"recode", "@/GAME.RAW"}, 0, 1, "Error open file @/GAME.RAW", {}},
      {"empty recording", [](const TempDir& d) { testing::WriteFile(d.File("GAME.RAW"), Bytes{}); },
       {"recode", "@/GAME.RAW"}, 0, 0, "You can rename *.MSR file to *.RAW file for writing to cassette",
       {{"GAME.MSR", {}}}},
      {"empty bit file", [](const TempDir& d) { testing::WriteFile(d.File("GAME.TX2"), Bytes{}); },
       {"extract", "@/GAME.RAW"}, 0, 1, "File @/GAME.TX2 is not valid MSX file", {}},
      {"empty program", [](const TempDir& d) { testing::WriteFile(d.File("GAME.CAS"), Bytes{}); },
       {"list", "@/GAME.RAW"}, 0, 0, "BAS file @/GAME.BAS create successfully!!!", {{"GAME.BAS", {}}}},
      {"empty source", [](const TempDir& d) { testing::WriteFile(d.File("GAME.BIN"), Bytes{}); },
       {"encode", "@/GAME.BIN"}, 0, 1, "File: @/GAME.BIN is empty", {}},
      {"odd-length recording",
       [](const TempDir& d) {
         Bytes bytes = Samples({1, -1});
         bytes.push_back(0x7F);
         testing::WriteFile(d.File("GAME.RAW"), bytes);
       },
       {"recode", "@/GAME.RAW"}, 0, 0, "Write to @/GAME.MSR",
       {{"GAME.MSR", Bytes{0x88, 0x13, 0x78, 0xEC, 0x7F}}}},
      {"bit file ending inside a frame",
       [](const TempDir& d) { testing::WriteFile(d.File("GAME.TX2"), BasicHeaderBits() + Frame(0x41) + "0101"); },
       {"extract", "@/GAME.RAW"}, 0, 0, "CAS file @/GAME.CAS create successfully!!!",
       {{"GAME.CAS", Bytes{0x41, 0x00}}}},
      {"program cut inside a constant",
       [](const TempDir& d) { testing::WriteFile(d.File("GAME.CAS"), Bytes{0x01, 0x80, 0x0A, 0x00, 0x91, 0x20, 0x1C, 0x05}); },
       {"list", "@/GAME.RAW"}, 0, 0, "BAS file @/GAME.BAS create successfully!!!",
       {{"GAME.BAS", testing::BytesOf("10 PRINT 0\r\n")}}},
      {"output is the input", [](const TempDir& d) { testing::WriteFile(d.File("GAME.MSR"), Samples({3, -3})); },
       {"recode", "@/GAME.MSR"}, 0, 1, "Can't create file @/GAME.MSR: it is the input file", {}},
      {"output is a link to the input",
       [](const TempDir& d) {
         testing::WriteFile(d.File("GAME.TX1"), std::string("0110"));
         ::symlink("GAME.TX1", d.File("GAME.TX2").c_str());
       },
       {"phase2", "@/GAME.RAW"}, 0, 1, "Can't create file @/GAME.TX2: it is the input file", {}},
      {"disk full while recoding",
       [](const TempDir& d) {
         testing::WriteFile(d.File("GAME.RAW"), Bytes(100000, 0x11));
         testing::WriteFile(d.File("GAME.MSR"), std::string("previous output"));
       },
       {"recode", "@/GAME.RAW"}, 16384, 1, "Write error in file @/GAME.MSR: File too large", {}},
      {"disk full while encoding",
       [](const TempDir& d) {
         testing::WriteFile(d.File("GAME.BIN"), Bytes(300, 0x22));
         testing::WriteFile(d.File("GAME.RAW"), std::string("previous tape"));
       },
       {"encode", "@/GAME.BIN"}, 65536, 1, "Write error in file @/GAME.RAW: File too large", {}},
      {"output directory does not exist",
       [](const TempDir& d) {
         testing::WriteFile(d.File("GAME.RAW"), Samples({1, 2}));
         ::symlink("no/such/dir/GAME.MSR", d.File("GAME.MSR").c_str());
       },
       {"recode", "@/GAME.RAW"}, 0, 1, "Can't create file @/GAME.MSR", {}},
      {"path longer than 255 bytes",
       [](const TempDir& d) {
         std::filesystem::create_directories(d.File(kLongDir));
         testing::WriteFile(d.File(kLongDir + "/GAME.RAW"), Samples({-7}));
       },
       {"recode", "@/" + kLongDir + "/GAME.RAW"}, 0, 0, "Write to @/" + kLongDir + "/GAME.MSR",
       {{kLongDir + "/GAME.MSR", Samples({-5000})}}},
      {"source too large for a WAV file",
       [](const TempDir& d) {
         testing::WriteFile(d.File("HUGE.BIN"), Bytes{});
         ASSERT_EQ(::truncate(d.File("HUGE.BIN").c_str(), 6'000'000), 0);  // sparse: nothing is written
       },
       {"encode", "@/HUGE.BIN", "--wave"}, 0, 1,
       "File: @/HUGE.BIN is too large: its tape signal would not fit in a WAV file", {}},
  };
}

std::string Expand(const std::string& text, const std::string& dir) {
  std::string result;
  for (const char c : text) result += c == '@' ? dir : std::string(1, c);
  return result;
}

TEST(HostileInput, EveryCaseIsReportedAndLosesNoFile) {
  for (const HostileCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    c.prepare(dir);
    const Snapshot before = Take(dir.Path());
    std::vector<std::string> args;
    for (const std::string& arg : c.args) args.push_back(Expand(arg, dir.Path()));

    const auto run = testing::RunProgram(ORVANO_CLI_PATH, args, c.file_size_limit);

    EXPECT_EQ(run.exit_status, c.exit_status) << run.out << run.err;
    EXPECT_NE(run.out.find(Expand(c.line, dir.Path()) + "\n"), std::string::npos) << run.out;
    Snapshot expected = before;
    for (const auto& [name, bytes] : c.new_files) expected[name] = bytes;
    EXPECT_EQ(Take(dir.Path()), expected);
  }
}

TEST(HostileInput, RunKilledMidwayLeavesThePreviousOutputWhole) {
  TempDir dir;
  testing::WriteFile(dir.File("GAME.RAW"), Bytes{});
  ASSERT_EQ(::truncate(dir.File("GAME.RAW").c_str(), 200'000'000), 0);  // sparse: quick to make
  testing::WriteFile(dir.File("GAME.MSR"), std::string("previous output"));
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, STDOUT_FILENO);
    ::dup2(null, STDERR_FILENO);
    ::execl(ORVANO_CLI_PATH, ORVANO_CLI_PATH, "recode", dir.File("GAME.RAW").c_str(), nullptr);
    ::_exit(127);
  }
  // Kill it once its temporary output holds something.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  bool writing = false;
  while (!writing && std::chrono::steady_clock::now() < deadline) {
    for (const std::string& name : testing::ListDir(dir.Path())) {
      struct stat st {};
      if (name.starts_with(".GAME.MSR") && ::stat(dir.File(name).c_str(), &st) == 0 && st.st_size > 0) writing = true;
    }
    if (!writing) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ::kill(pid, SIGKILL);
  int status = 0;
  ::waitpid(pid, &status, 0);
  EXPECT_TRUE(writing);
  EXPECT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(testing::ReadText(dir.File("GAME.MSR")), "previous output");
}

TEST(HostileInput, UnknownSubcommandAndBadArgumentsAreUsageErrors) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {}, {"bogus"}, {"recode"}, {"recode", "a", "b"}, {"encode", "a.bin", "--load", "zz"}}) {
    const auto run = testing::RunProgram(ORVANO_CLI_PATH, args);
    EXPECT_EQ(run.exit_status, 2);
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("Run with --help"), std::string::npos);
  }
  EXPECT_EQ(testing::RunProgram(ORVANO_CLI_PATH, {"--version"}).out, "Orvano v2.3.1\n");
}

}  // namespace
}  // namespace orvano
