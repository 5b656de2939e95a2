#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "tape/file_assembly.h"

namespace orvano::tape {

// The tape name as a safe part of a file name: blanks at either end trimmed,
// every byte that is not a letter, a digit or one of - _ . ! # $ ( ) turned
// into _, and NONAME for a name of blanks only.
std::string SafeTapeName(std::string_view tape_name);

// "CAS" for a tokenised program, "BIN" for a memory image, "TXT" for a text.
std::string_view ExtensionOf(FileType type);

// A file's place on the tape as its names and the log show it: 01, 02, ...
std::string PlaceText(std::size_t place);

// The names of a file's outputs: "NN-NAME.EXT" and, for a program, its
// listing "NN-NAME.BAS", with NN the file's place on the tape from 01.
std::string DataFileName(std::size_t place, const TapeFile& file);
std::string ListingFileName(std::size_t place, const TapeFile& file);

// `name` inside the folder `dir`; an empty folder is the current one.
std::string PathIn(std::string_view dir, std::string_view name);

}  // namespace orvano::tape
