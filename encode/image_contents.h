#pragma once

#include "common/reporter.h"
#include "tape/cas_image.h"

namespace orvano::encode {

// Tells what a tape image holds: what the image reader met that a regular
// image would not have, as warnings, and then its blocks, one line each.
// Telling the files with their types, names and sizes is the file
// assembly's business; this stands in for it until that is in place.
void LogImageContents(const tape::CasImage& image, Reporter& reporter);

}  // namespace orvano::encode
