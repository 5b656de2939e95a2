#include "app/wildcard.h"

#include <gtest/gtest.h>

namespace orvano::app {
namespace {

struct MaskCase {
  const char* mask;
  const char* name;
  bool matches;
};

class WildcardTest : public ::testing::TestWithParam<MaskCase> {};

TEST_P(WildcardTest, MatchesWithoutRegardToCase) {
  EXPECT_EQ(MatchesWildcard(GetParam().mask, GetParam().name), GetParam().matches)
      << GetParam().mask << " " << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Masks, WildcardTest,
    ::testing::Values(MaskCase{"*.RAW", "GAME.RAW", true}, MaskCase{"*.RAW", "game.raw", true},
                      MaskCase{"*.RAW", "Game.Raw", true}, MaskCase{"*.RAW", "GAME.RAW.BAK", false},
                      MaskCase{"*.RAW", "GAME.RA", false}, MaskCase{"*.RAW", "GAMERAW", false},
                      MaskCase{"*.RAW", ".raw", true}, MaskCase{"*.RAW", "a.b.raw", true},
                      MaskCase{"*.*", "README", true}, MaskCase{"*.*", "game.cas", true},
                      MaskCase{"*.*", "", true}, MaskCase{"G?ME.*", "game.bin", true},
                      MaskCase{"G?ME.*", "gme.bin", false}, MaskCase{"*A*A*", "banana", true},
                      MaskCase{"*A*A*", "bnn", false}, MaskCase{"*", "anything.at.all", true},
                      MaskCase{"GAME", "game", true}, MaskCase{"GAME", "games", false},
                      MaskCase{"*.RAW;*.WAV;*.FLAC", "tape.flac", true},
                      MaskCase{"*.RAW;*.WAV;*.FLAC", "tape.wav", true},
                      MaskCase{"*.RAW;*.WAV;*.FLAC", "tape.ogg", false}, MaskCase{"*.RAW;", "x.raw", true}));

}  // namespace
}  // namespace orvano::app
