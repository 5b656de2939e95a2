#include "ops/runners.h"

#include "basic/bas_decode.h"
#include "decode/operations.h"
#include "encode/cas_pack.h"
#include "encode/convert_source.h"
#include "tape/cas_decode.h"
#include "tape/image_files.h"
#include "tape/tape_decode.h"

namespace orvano::ops {

Outcome RunRawRecode(Request& request) {
  return decode::RawRecode(request.names, request.options, request.reporter);
}

Outcome RunDescribeRecording(Request& request) {
  return decode::DescribeRecording(request.files.at(0), request.reporter);
}

Outcome RunPhase1Decode(Request& request) { return decode::Phase1Decode(request.names, request.reporter); }

Outcome RunPhase2Decode(Request& request) { return decode::Phase2Decode(request.names, request.reporter); }

Outcome RunCasDecode(Request& request) { return tape::CasDecode(request.names, request.reporter).outcome; }

Outcome RunBasDecode(Request& request) {
  return basic::BasDecode(request.names, request.options.dialect, request.reporter);
}

Outcome RunDecodeChain(Request& request) {
  for (const auto step : {&RunRawRecode, &RunPhase1Decode, &RunPhase2Decode}) {
    if (step(request) == Outcome::Failure) return Outcome::Failure;
  }
  const tape::CasDecodeResult extracted = tape::CasDecode(request.names, request.reporter);
  if (extracted.outcome == Outcome::Success && extracted.kind == tape::TapeFileKind::Basic) {
    return RunBasDecode(request);
  }
  return extracted.outcome;
}

Outcome RunConvertSource(Request& request) {
  return encode::ConvertSource(request.files.at(0), request.names, request.options, request.reporter);
}

Outcome RunCasPack(Request& request) {
  std::optional<std::string> name;
  if (!request.tape_name.empty()) name = request.tape_name;
  return encode::PackCasImage(request.output, request.files, request.options, name, request.reporter);
}

Outcome RunWholeTape(Request& request) {
  return tape::DecodeTapes(request.files, request.output, request.jobs, request.options, request.reporter);
}

Outcome RunCasList(Request& request) { return tape::ListCasImage(request.files.at(0), request.reporter); }

Outcome RunCasExtract(Request& request) {
  return tape::ExtractCasImage(request.files.at(0), request.output, request.options, request.reporter);
}

}  // namespace orvano::ops
