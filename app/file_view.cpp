#include "app/file_view.h"

#include <algorithm>
#include <array>

#include "common/file_names.h"
#include "common/file_stream.h"
#include "common/messages.h"
#include "common/number_text.h"

namespace orvano::app {
namespace {

constexpr std::array<std::string_view, 7> kTextExtensions{".BAS", ".TXT", ".ASC", ".DOC", ".PAS", ".TX1", ".TX2"};
constexpr std::uint8_t kEndOfText = 0x1A;
constexpr std::size_t kTabWidth = 8;
constexpr std::size_t kHexRow = 16;

}  // namespace

ViewKind ViewKindOf(std::string_view path) {
  const std::string extension = UpperCaseName(ExtOf(path));
  return std::find(kTextExtensions.begin(), kTextExtensions.end(), extension) != kTextExtensions.end() ? ViewKind::Text
                                                                                                     : ViewKind::Hex;
}

std::vector<std::string> TextLines(std::span<const std::uint8_t> bytes) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::uint8_t byte = bytes[i];
    if (byte == kEndOfText) break;
    if (byte == '\r' || byte == '\n') {
      if (byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else if (byte == '\t') {
      std::string& line = lines.back();
      line.append(kTabWidth - line.size() % kTabWidth, ' ');
    } else {
      lines.back() += static_cast<char>(byte);
    }
  }
  // A text that ends with its last line's end has no empty line after it.
  if (lines.size() > 1 && lines.back().empty()) lines.pop_back();
  return lines;
}

std::vector<std::string> HexLines(std::span<const std::uint8_t> bytes) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < bytes.size(); start += kHexRow) {
    const auto row = bytes.subspan(start, std::min(kHexRow, bytes.size() - start));
    std::string line;
    line += Hex4(static_cast<std::uint16_t>(start >> 16)) + Hex4(static_cast<std::uint16_t>(start));
    line += "  ";
    for (std::size_t i = 0; i < kHexRow; ++i) {
      if (i < row.size()) {
        line += Hex2(row[i]);
      } else {
        line += "  ";
      }
      line += i == kHexRow / 2 - 1 && i + 1 < row.size() ? '-' : ' ';
    }
    line += ' ';
    for (const std::uint8_t byte : row) line += byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '.';
    lines.push_back(std::move(line));
  }
  return lines;
}

FileView ReadForView(const std::string& path) {
  FileStream file(path, OpenMode::Read);
  if (file.Failed()) return {{}, OpenFailedText(path)};
  const std::uint64_t size = file.Size();
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::min<std::uint64_t>(size, kViewLimit)));
  file.Read(bytes);
  if (file.Failed()) return {{}, ReadFailedText(path, file)};
  FileView view;
  view.lines = ViewKindOf(path) == ViewKind::Text ? TextLines(bytes) : HexLines(bytes);
  if (size == 0) view.lines = {"[the file is empty]"};
  if (size > bytes.size()) {
    view.lines.push_back("[the first " + Decimal(bytes.size()) + " of " + Decimal(size) + " bytes]");
  }
  return view;
}

}  // namespace orvano::app
