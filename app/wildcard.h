#pragma once

#include <string_view>

namespace orvano::app {

// A file-dialog mask such as "*.RAW": "*" stands for any run of characters,
// "?" for one; letters match without regard to case, so game.raw shows for
// *.RAW on a case-sensitive host. As the masks are DOS masks, a final ".*"
// also matches a name without a dot ("*.*" shows every file). Several masks
// are parted by ";" ("*.WAV;*.FLAC"), and a name that matches one matches.
bool MatchesWildcard(std::string_view mask, std::string_view name);

}  // namespace orvano::app
