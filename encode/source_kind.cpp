#include "encode/source_kind.h"

#include <array>

namespace orvano::encode {
namespace {

struct ExtensionList {
  std::string_view extensions;
  SourceKind kind;
};

// First match wins.
constexpr std::array<ExtensionList, 4> kLists{{
    {".TXT.BAS.PAS.DOC", SourceKind::Text},
    {".CAS", SourceKind::Basic},
    {".BIN", SourceKind::Binary},
    {".COM", SourceKind::Command},
}};

}  // namespace

SourceKind KindOfExtension(std::string_view extension) {
  if (extension.empty()) return SourceKind::None;
  for (const ExtensionList& list : kLists) {
    if (list.extensions.find(extension) != std::string_view::npos) return list.kind;
  }
  return SourceKind::None;
}

}  // namespace orvano::encode
