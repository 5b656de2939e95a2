#pragma once

#include <cstdint>

namespace orvano::ops {

// Command numbers. 1 to 37 are the windowing toolkit's own and keep its
// numbers; 30 and 31, and 170 and up, belong to Orvano.
using Command = std::uint16_t;

inline constexpr Command cmQuit = 1;
inline constexpr Command cmMenu = 3;
inline constexpr Command cmClose = 4;
inline constexpr Command cmZoom = 5;
inline constexpr Command cmResize = 6;
inline constexpr Command cmNext = 7;
inline constexpr Command cmPrev = 8;
inline constexpr Command cmTile = 25;
inline constexpr Command cmCascade = 26;
inline constexpr Command cmNew = 30;
inline constexpr Command cmOpen = 31;
inline constexpr Command cmCloseAll = 37;
inline constexpr Command cmAbout = 170;
inline constexpr Command cmRawRecode = 171;
inline constexpr Command cmBasDecode = 173;
inline constexpr Command cmPhase1Decode = 175;
inline constexpr Command cmPhase2Decode = 176;
inline constexpr Command cmCasDecode = 177;
inline constexpr Command cmOptions = 179;
inline constexpr Command cmWholeTape = 180;
inline constexpr Command cmView = 181;
inline constexpr Command cmHelp = 182;

}  // namespace orvano::ops
