#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "basic/keyword_index.h"

namespace orvano::basic {

// The tokens of Korvet BASIC, the BASIC of the PK8020 Korvet.
//
// The one-byte tokens 0x81 to 0xFD, in code order. 0xFF is the prefix of the
// second table and has no keyword of its own.
inline constexpr std::array<Token, 102> kOneByteTokens{{
    {0x81, "END"},     {0x82, "FOR"},       {0x83, "NEXT"},    {0x84, "DATA"},    {0x85, "INPUT"},
    {0x86, "DIM"},     {0x87, "READ"},      {0x88, "LET"},     {0x89, "GOTO"},    {0x8A, "RUN"},
    {0x8B, "IF"},      {0x8C, "RESTORE"},   {0x8D, "GOSUB"},   {0x8E, "RETURN"},  {0x8F, "REM"},
    {0x90, "STOP"},    {0x91, "PRINT"},     {0x92, "CLEAR"},   {0x93, "LIST"},    {0x94, "NEW"},
    {0x95, "ON"},      {0x96, "$"},         {0x98, "DEF"},     {0x99, "POKE"},    {0x9A, "CONT"},
    {0x9D, "MOTOR"},   {0x9E, "LPRINT"},    {0x9F, "LLIST"},   {0xA1, "WIDTH"},   {0xA2, "ELSE"},
    {0xA3, "TRON"},    {0xA4, "TROFF"},     {0xA5, "SWAP"},    {0xA6, "ERASE"},   {0xA7, "EDIT"},
    {0xA8, "ERROR"},   {0xA9, "RESUME"},    {0xAA, "DELETE"},  {0xAB, "AUTO"},    {0xAC, "RENUM"},
    {0xAD, "DEFSTR"},  {0xAE, "DEFINT"},    {0xAF, "DEFSNG"},  {0xB0, "DEFDBL"},  {0xB1, "LINE"},
    {0xBB, "RANDOMIZE"}, {0xBC, "BEEP"},    {0xBD, "SYSTEM"},  {0xBF, "OPEN"},    {0xC3, "CLOSE"},
    {0xC4, "LOAD"},    {0xC5, "MERGE"},     {0xC6, "FILES"},   {0xC7, "NAME"},    {0xC8, "KILL"},
    {0xCB, "SAVE"},    {0xCD, "LFILES"},    {0xCE, "CLS"},     {0xCF, "PCLS"},    {0xD0, "COLOR"},
    {0xD1, "CIRCLE"},  {0xD2, "DRAW"},      {0xD3, "PAINT"},   {0xD4, "PSET"},    {0xD5, "PRESET"},
    {0xD6, "LOCATE"},  {0xD7, "SCREEN"},    {0xD9, "LUT"},     {0xDA, "RELOC"},   {0xDC, "TO"},
    {0xDD, "THEN"},    {0xDE, "TAB("},      {0xDF, "STEP"},    {0xE0, "USR"},     {0xE1, "FN"},
    {0xE2, "SPC("},    {0xE3, "NOT"},       {0xE4, "ERL"},     {0xE5, "ERR"},     {0xE6, "STRING$"},
    {0xE7, "USING"},   {0xE8, "INSTR"},     {0xEA, "VARPTR"},  {0xEB, "CSRLIN"},  {0xEC, "OFF"},
    {0xED, "INKEY$"},  {0xEE, "POINT"},     {0xEF, ">"},       {0xF0, "="},       {0xF1, "<"},
    {0xF2, "+"},       {0xF3, "-"},         {0xF4, "*"},       {0xF5, "/"},       {0xF6, "^"},
    {0xF7, "AND"},     {0xF8, "OR"},        {0xF9, "XOR"},     {0xFA, "EQV"},     {0xFB, "IMP"},
    {0xFC, "MOD"},     {0xFD, "\\"},
}};

// The functions whose code follows the prefix byte 0xFF, in code order.
inline constexpr std::array<Token, 32> kPrefixedTokens{{
    {0x81, "LEFT$"}, {0x82, "RIGHT$"}, {0x83, "MID$"},  {0x84, "SGN"},    {0x85, "INT"},   {0x86, "ABS"},
    {0x87, "SQR"},   {0x88, "RND"},    {0x89, "SIN"},   {0x8A, "LOG"},    {0x8B, "EXP"},   {0x8C, "COS"},
    {0x8D, "TAN"},   {0x8E, "ATN"},    {0x8F, "FRE"},   {0x90, "BIN$"},   {0x91, "POS"},   {0x92, "LEN"},
    {0x93, "STR$"},  {0x94, "VAL"},    {0x95, "ASC"},   {0x96, "CHR$"},   {0x97, "PEEK"},  {0x98, "SPACE$"},
    {0x99, "OCT$"},  {0x9A, "HEX$"},   {0x9B, "LPOS"},  {0x9C, "CINT"},   {0x9D, "CSNG"},  {0x9E, "CDBL"},
    {0x9F, "FIX"},   {0xAF, "EOF"},
}};

namespace detail {

inline constexpr KeywordIndex kOneByteIndex = IndexOf(kOneByteTokens);
inline constexpr KeywordIndex kPrefixedIndex = IndexOf(kPrefixedTokens);

}  // namespace detail

static_assert(detail::WellFormed(kOneByteTokens, 0x81, 0xFD), "one-byte codes lie in 0x81..0xFD, ascending");
static_assert(detail::WellFormed(kPrefixedTokens, 0x81, 0xAF), "prefixed codes lie in 0x81..0xAF, ascending");
static_assert(kOneByteTokens.size() == 102 && kPrefixedTokens.size() == 32);

// The keyword of a one-byte token code; empty when the code has none.
constexpr std::string_view OneByteKeyword(std::uint8_t code) { return detail::kOneByteIndex[code]; }
// The keyword of the byte after the prefix 0xFF; empty when it has none.
constexpr std::string_view PrefixedKeyword(std::uint8_t code) { return detail::kPrefixedIndex[code]; }

}  // namespace orvano::basic
