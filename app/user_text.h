#pragma once

#include <string>
#include <string_view>

namespace orvano::app {

// File names, paths and the core's log lines that carry them are the
// user's text: UTF-8. The program's own strings stay OEM bytes (oem_text.h).
//
// A byte that is not part of a well-formed UTF-8 sequence (the tape name of
// a file recorded on the machine, a name written in an 8-bit code page, the
// bullet of a log line) is shown as code page 866 shows it, so no byte is
// dropped or turned into a replacement mark. Control bytes show as the PC
// glyphs of that code page too.
std::wstring TextFromUtf8(std::string_view bytes);

// What the user typed into an input line, as the bytes of a path.
std::string Utf8FromText(std::wstring_view text);

}  // namespace orvano::app
