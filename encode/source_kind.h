#pragma once

#include <string_view>

namespace orvano::encode {

// Which conversion a source gets, chosen by its extension.
enum class SourceKind {
  None,     // no conversion: nothing is done
  Text,     // .TXT .BAS .PAS .DOC
  Basic,    // .CAS, a tokenised program
  Binary,   // .BIN
  Command,  // .COM: a warning, then the binary conversion
};

// The extension, dot included and upper-cased, is looked for anywhere in each
// list in turn, so a prefix such as ".T", ".BA" or a lone "." matches as well.
// An empty extension matches nothing.
SourceKind KindOfExtension(std::string_view extension);

}  // namespace orvano::encode
