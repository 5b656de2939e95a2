#pragma once

#include <string>
#include <string_view>

namespace orvano {

// The name under which New stores a file on tape, and what making it did to
// the file's own name.
struct TapeNameChoice {
  std::string name;             // exactly six bytes
  bool transliterated = false;  // letters beyond ASCII were spelled another way
  bool cut = false;             // the name had more than six characters
};

// The base name of the path, cut or padded with blanks to six characters.
// A name within ASCII keeps its bytes. File names are UTF-8, and a tape
// name is six bytes the computer shows as they are, so every other letter
// is spelled in capital Latin letters: Cyrillic by the table below (Ж is
// ZH, Ш is SH, Я is JA ...), and whatever has no spelling, or is no valid
// UTF-8, as "?".
TapeNameChoice ChooseTapeName(std::string_view path);

}  // namespace orvano
