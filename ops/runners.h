#pragma once

#include "ops/operation.h"

namespace orvano::ops {

// The functions the table runs: each hands a request to the core operation
// it stands for.

Outcome RunRawRecode(Request& request);
// What the recording is: format, rate, bits, channels, length.
Outcome RunDescribeRecording(Request& request);
Outcome RunPhase1Decode(Request& request);
Outcome RunPhase2Decode(Request& request);
Outcome RunCasDecode(Request& request);
Outcome RunBasDecode(Request& request);
// Recode, phase 1, phase 2, extraction, and the listing of a BASIC file.
Outcome RunDecodeChain(Request& request);
Outcome RunConvertSource(Request& request);
// Builds the tape image `output` from the sources.
Outcome RunCasPack(Request& request);
// Every file of one recording or more, in one pass each.
Outcome RunWholeTape(Request& request);
// The files and blocks of a tape image, and its files written out.
Outcome RunCasList(Request& request);
Outcome RunCasExtract(Request& request);

}  // namespace orvano::ops
