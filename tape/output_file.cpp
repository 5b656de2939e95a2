#include "tape/output_file.h"

#include <filesystem>
#include <system_error>

#include "common/file_stream.h"
#include "common/messages.h"

namespace orvano::tape {

bool WriteOutputFile(const std::string& path, std::span<const std::uint8_t> bytes, Reporter& reporter,
                     const std::string& input) {
  if (!input.empty() && SameFile(input, path)) {
    Log(reporter, SameFileText(path));
    return false;
  }
  FileStream out(path, OpenMode::Create, 64 * 1024);
  if (out.Failed()) {
    Log(reporter, CreateFailedText(path));
    return false;
  }
  out.Write(bytes);
  if (!out.Failed()) out.Release();
  if (out.Failed()) {
    Log(reporter, WriteFailedText(path, out));
    return false;
  }
  return true;
}

bool MakeOutputFolder(const std::string& dir, Reporter& reporter) {
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (!error && std::filesystem::is_directory(dir, error)) return true;
  Log(reporter, "Can't create folder " + dir + (error ? ": " + error.message() : ": a file has that name"));
  return false;
}

}  // namespace orvano::tape
