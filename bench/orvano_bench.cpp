// Throughput of every operation beside a plain copy of the same bytes,
// measured in one run so that the ratios do not depend on the machine.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "basic/bas_decode.h"
#include "bench/bench_demodulate.h"
#include "bench/bench_inputs.h"
#include "decode/operations.h"
#include "encode/convert_source.h"
#include "tape/cas_decode.h"
#include "tape/tape_decode.h"

extern char** environ;

namespace orvano::bench {
namespace {

class NullReporter final : public Reporter {
 public:
  void AddLine(LineKind, std::string_view) override {}
  void OpenProgress(std::string_view) override {}
  void SetProgress(int) override {}
  void CloseProgress() override {}
  void ShowWarning(std::string_view) override {}
};

// Reads a file and writes it elsewhere through read(2) and write(2) with a
// large buffer: the least any pass over the same bytes must do.
void CopyFile(const std::string& from, const std::string& to) {
  const int in = ::open(from.c_str(), O_RDONLY);
  const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (in < 0 || out < 0) throw std::runtime_error("copy: cannot open " + from + " or " + to);
  std::vector<char> buffer(1 << 20);
  for (ssize_t got; (got = ::read(in, buffer.data(), buffer.size())) > 0;) {
    if (::write(out, buffer.data(), static_cast<std::size_t>(got)) != got) throw std::runtime_error("copy: write");
  }
  ::close(in);
  ::close(out);
}

void WriteZeros(const std::string& to, std::uint64_t count) {
  const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (out < 0) throw std::runtime_error("cannot create " + to);
  const std::vector<char> buffer(1 << 20, 0);
  while (count > 0) {
    const std::size_t chunk = count < buffer.size() ? static_cast<std::size_t>(count) : buffer.size();
    if (::write(out, buffer.data(), chunk) != static_cast<ssize_t>(chunk)) throw std::runtime_error("write");
    count -= chunk;
  }
  ::close(out);
}

void RunCli(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  std::string program = ORVANO_CLI_PATH;
  argv.push_back(program.data());
  std::vector<std::string> copies = args;
  for (auto& a : copies) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
    throw std::runtime_error("cannot start orvano-cli");
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  posix_spawn_file_actions_destroy(&actions);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("orvano-cli failed");
}

// The whole tape in one pass, into a folder of its own.
void WholeTape(const std::string& recording, const std::string& dir) {
  static NullReporter quiet;
  if (tape::DecodeTape(recording, dir, {}, quiet) != Outcome::Success) {
    throw std::runtime_error("no tape file found on " + recording);
  }
}

std::string Dir(const std::string& dir) {
  ::mkdir(dir.c_str(), 0777);
  return dir;
}

// Runs of a few milliseconds vary most, so the small inputs get more of them.
int RepetitionsFor(std::uint64_t bytes) { return bytes < (std::uint64_t{64} << 20) ? 25 : 5; }

// The bytes each benchmark handles per run, by its name.
std::map<std::string, std::uint64_t>& BytesOf() {
  static std::map<std::string, std::uint64_t> bytes;
  return bytes;
}

// Times `body`, which writes the files `outputs`. Each run writes them anew:
// replacing a file on ext4 also starts the write-back of the new one (its
// guard for files replaced by rename), a cost of the file system that the
// copy would not share, so the old outputs are removed before the timing.
void Register(const std::string& name, std::uint64_t bytes, std::function<void()> body,
              std::vector<std::string> outputs) {
  BytesOf()[name] = bytes;
  benchmark::RegisterBenchmark(name.c_str(), [bytes, body, outputs](benchmark::State& state) {
    for (auto _ : state) {
      // Dirty pages left by the passes before would be written back during
      // this one and slow it by chance; flush them outside the timing.
      state.PauseTiming();
      for (const std::string& output : outputs) ::unlink(output.c_str());
      ::sync();
      state.ResumeTiming();
      body();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
  })
      ->Unit(benchmark::kMillisecond)
      ->Iterations(1)
      ->Repetitions(RepetitionsFor(bytes))
      ->UseRealTime()
      // The file system makes single runs vary by a factor of two; the best
      // of several is what the pass itself costs.
      ->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
      ->ReportAggregatesOnly(true);
}

void RegisterAll(const Inputs& inputs, const std::string& work) {
  static NullReporter reporter;
  const std::string chain = Dir(work + "/chain");
  const std::string base = chain + "/RECORD";
  if (::link(inputs.recording.c_str(), (base + ".RAW").c_str()) != 0 && errno != EEXIST) {
    throw std::runtime_error("cannot link the recording");
  }
  static FileNameSet names;
  names.SourceName = base + ".RAW";
  // Sizes of the intermediate files, known after one pass of the chain.
  decode::RawRecode(names, {}, reporter);
  decode::Phase1Decode(names, reporter);
  decode::Phase2Decode(names, reporter);
  tape::CasDecode(names, reporter);
  basic::BasDecode(names, DialectChoice::Auto, reporter);
  const std::uint64_t raw = FileSize(base + ".RAW");
  const std::uint64_t tx1 = FileSize(base + ".TX1");
  const std::uint64_t tx2 = FileSize(base + ".TX2");
  const std::string copies = Dir(work + "/copies");

  Register("copy/recording", raw, [=] { CopyFile(base + ".RAW", copies + "/copy.raw"); }, {copies + "/copy.raw"});
  Register("recode", raw, [] { decode::RawRecode(names, {}, reporter); }, {names.MsrName});
  Register("phase1", raw, [] { decode::Phase1Decode(names, reporter); }, {names.Tx1Name});
  Register("copy/tx1", tx1, [=] { CopyFile(base + ".TX1", copies + "/copy.tx1"); }, {copies + "/copy.tx1"});
  Register("phase2", tx1, [] { decode::Phase2Decode(names, reporter); }, {names.Tx2Name});
  Register("copy/tx2", tx2, [=] { CopyFile(base + ".TX2", copies + "/copy.tx2"); }, {copies + "/copy.tx2"});
  Register("extract", tx2, [] { tape::CasDecode(names, reporter); }, {names.OutputName});
  const std::uint64_t cas = FileSize(base + ".CAS");
  Register("list", cas, [] { basic::BasDecode(names, DialectChoice::Auto, reporter); }, {names.BasName});

  // A recording as people make them: the sound library reads it, one channel
  // is taken and resampled to 44100 Hz.
  const std::string stereo = Dir(work + "/wave") + "/RECORD48.WAV";
  if (::link(inputs.wave.c_str(), stereo.c_str()) != 0 && errno != EEXIST) {
    throw std::runtime_error("cannot link the wave");
  }
  static FileNameSet wave_names;
  wave_names.SourceName = stereo;
  decode::RawRecode(wave_names, {}, reporter);
  const std::uint64_t wave_bytes = FileSize(stereo);
  Register("copy/wave", wave_bytes, [=] { CopyFile(stereo, copies + "/copy.wav"); }, {copies + "/copy.wav"});
  Register("recode WAV", wave_bytes, [] { decode::RawRecode(wave_names, {}, reporter); }, {wave_names.MsrName});

  const std::string cli = Dir(work + "/cli");
  if (::link(inputs.recording.c_str(), (cli + "/RECORD.RAW").c_str()) != 0 && errno != EEXIST) {
    throw std::runtime_error("cannot link the recording");
  }
  std::vector<std::string> cli_outputs;
  for (const std::string* output : {&names.MsrName, &names.Tx1Name, &names.Tx2Name, &names.OutputName, &names.BasName}) {
    cli_outputs.push_back(cli + output->substr(output->rfind('/')));
  }
  Register("orvano-cli decode", raw, [=] { RunCli({"decode", cli + "/RECORD.RAW"}); }, cli_outputs);

  // The whole tape in one pass, and the demodulator alone.
  Register("demodulate", raw, [=] { Demodulate(inputs.recording); }, {});
  Register("demodulate WAV", wave_bytes, [=] { Demodulate(stereo); }, {});
  const std::string whole = Dir(work + "/whole");
  Register("tape", raw, [=] { WholeTape(inputs.recording, whole + "/raw"); }, {});
  Register("tape WAV", wave_bytes, [=] { WholeTape(stereo, whole + "/wav"); }, {});

  for (const bool wave : {false, true}) {
    for (const std::string& source : {inputs.binary, inputs.program, inputs.text}) {
      const std::string kind = source.substr(source.rfind('.') + 1);
      const std::string label = "encode " + kind + (wave ? " to WAV" : " to RAW");
      FileNameSet encode_names;
      const ConversionOptions options{0x9000, 0x9000, wave};
      encode::ConvertSource(source, encode_names, options, reporter);
      const std::uint64_t out = FileSize(encode_names.MsrName);
      Register("write/" + kind + (wave ? "-wav" : "-raw"), out,
               [=] { WriteZeros(copies + "/zeros", out); }, {copies + "/zeros"});
      Register(label, out, [=] {
        FileNameSet n;
        encode::ConvertSource(source, n, options, reporter);
      }, {encode_names.MsrName});
    }
    // A tape image of the same size, played block by block.
    const ConversionOptions options{0x9000, 0x9000, wave};
    FileNameSet image_names;
    encode::ConvertSource(inputs.image, image_names, options, reporter);
    const std::uint64_t out = FileSize(image_names.MsrName);
    Register(std::string("write/image-") + (wave ? "wav" : "raw"), out, [=] { WriteZeros(copies + "/zeros", out); },
             {copies + "/zeros"});
    Register(std::string("encode image to ") + (wave ? "WAV" : "RAW"), out, [=] {
      FileNameSet n;
      encode::ConvertSource(inputs.image, n, options, reporter);
    }, {image_names.MsrName});
  }
}

// Keeps the runs so that the table of ratios can be printed at the end.
class TableReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    std::vector<Run> best;
    for (const Run& run : runs) {
      if (run.aggregate_name != "min") continue;
      best.push_back(run);
      // The counter of a "min" row is the least rate, not the rate of the
      // least time, so the rate is worked out from the time here.
      const double seconds = run.GetAdjustedRealTime() / 1e3;
      seconds_[run.run_name.function_name] = seconds;
      rate_[run.run_name.function_name] = static_cast<double>(BytesOf().at(run.run_name.function_name)) / seconds;
    }
    ConsoleReporter::ReportRuns(best);
  }

  void PrintTable() const {
    struct Row {
      const char* name;
      const char* baseline;
      const char* goal;
    };
    const Row rows[] = {
        {"recode", "copy/recording", "rate >= 0.50"},  {"recode WAV", "copy/wave", "time <= 5.00"},
        {"phase1", "copy/recording", "rate >= 0.50"},
        {"phase2", "copy/tx1", "rate >= 0.50"},        {"extract", "copy/tx2", "rate >= 0.50"},
        {"list", "copy/tx2", ""},
        {"orvano-cli decode", "copy/recording", "time <= 3.00"},
        {"demodulate", "copy/recording", ""},          {"demodulate WAV", "copy/wave", ""},
        {"tape", "copy/recording", "time <= 4.00"},    {"tape WAV", "copy/wave", ""},
        {"encode BIN to RAW", "write/BIN-raw", "rate >= 0.50"}, {"encode CAS to RAW", "write/CAS-raw", "rate >= 0.50"},
        {"encode TXT to RAW", "write/TXT-raw", "rate >= 0.50"}, {"encode BIN to WAV", "write/BIN-wav", "time <= 2.00"},
        {"encode CAS to WAV", "write/CAS-wav", "rate >= 0.50"}, {"encode TXT to WAV", "write/TXT-wav", "rate >= 0.50"},
        {"encode image to RAW", "write/image-raw", "rate >= 0.50"},
        {"encode image to WAV", "write/image-wav", "time <= 2.00"},
    };
    std::printf("\n%-20s %10s %10s   %-16s %10s %8s %8s  %s\n", "operation", "ms", "MB/s", "baseline", "MB/s",
                "rate", "time", "goal");
    for (const Row& row : rows) {
      const std::string name = row.name;
      const std::string baseline = row.baseline;
      if (!rate_.count(name) || !rate_.count(baseline)) continue;
      const double rate = rate_.at(name) / rate_.at(baseline);
      const double time = seconds_.at(name) / seconds_.at(baseline);
      std::printf("%-20s %10.1f %10.1f   %-16s %10.1f %8.2f %8.2f  %s\n", row.name, seconds_.at(name) * 1e3,
                  rate_.at(name) / 1e6, row.baseline, rate_.at(baseline) / 1e6, rate, time, row.goal);
    }
  }

 private:
  std::map<std::string, double> seconds_;
  std::map<std::string, double> rate_;
};

}  // namespace
}  // namespace orvano::bench

int main(int argc, char** argv) {
  // One pass alone, so that its peak memory can be measured from outside.
  if (argc == 2 && std::string(argv[1]).starts_with("--demodulate=")) {
    const std::string path = std::string(argv[1]).substr(13);
    const orvano::bench::Heard heard = orvano::bench::Demodulate(path);
    std::printf("%llu leaders, %llu blocks, %llu bits\n", static_cast<unsigned long long>(heard.leaders),
                static_cast<unsigned long long>(heard.blocks), static_cast<unsigned long long>(heard.bits));
    return 0;
  }
  std::string dir = "/tmp/orvano-bench";
  double minutes = 60;
  std::vector<char*> rest{argv[0]};
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.starts_with("--dir=")) {
      dir = arg.substr(6);
    } else if (arg.starts_with("--minutes=")) {
      minutes = std::stod(arg.substr(10));
    } else {
      rest.push_back(argv[i]);
    }
  }
  int rest_count = static_cast<int>(rest.size());
  benchmark::Initialize(&rest_count, rest.data());
  try {
    ::mkdir(dir.c_str(), 0777);
    const auto inputs = orvano::bench::MakeInputs(orvano::bench::Dir(dir + "/inputs"), minutes);
    orvano::bench::RegisterAll(inputs, dir);
    orvano::bench::TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintTable();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "orvano-bench: %s\n", e.what());
    return 1;
  }
  benchmark::Shutdown();
  return 0;
}
