#include "decode/block_pass.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/file_stream.h"
#include "common/messages.h"

namespace orvano::decode {

Outcome RunBlockPass(const BlockPass& pass, const BlockKernel& kernel, Reporter& reporter) {
  const std::string input_name(pass.input_name);
  const std::string output_name(pass.output_name);
  FileStream in(input_name, OpenMode::Read);
  if (in.Failed()) {
    Log(reporter, OpenFailedText(input_name));
    return Outcome::Failure;
  }
  // Creating the output would replace the very file that is to be read.
  if (SameFile(input_name, output_name)) {
    Log(reporter, SameFileText(output_name));
    return Outcome::Failure;
  }
  FileStream out(output_name, OpenMode::Create, pass.output_buffer_size);
  if (out.Failed()) {
    Log(reporter, CreateFailedText(output_name));
    return Outcome::Failure;
  }

  Progress progress(reporter, pass.caption);
  const std::uint64_t size = in.Size();
  std::vector<std::uint8_t> block(kPassBlockBytes);
  // A failed read never moves the position, so the loop also ends on the
  // error state of either stream.
  while (in.Position() < size && !in.Failed() && !out.Failed()) {
    const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), size - in.Position()));
    const std::span<std::uint8_t> piece(block.data(), count);
    in.Read(piece);
    if (in.Failed()) break;
    out.Write(kernel(piece));
    progress.Set(in.Position(), size);
  }
  progress.Close();
  in.Release();

  if (in.Failed()) {
    Log(reporter, ReadFailedText(input_name, in));
    return Outcome::Failure;
  }
  if (!out.Failed()) out.Release();
  if (out.Failed()) {
    Log(reporter, WriteFailedText(output_name, out));
    return Outcome::Failure;
  }
  return Outcome::Success;
}

}  // namespace orvano::decode
