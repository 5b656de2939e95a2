#include "app/table_layout.h"

#include <algorithm>

#include "app/cp866.h"
#include "app/user_text.h"

namespace orvano::app {
namespace {

constexpr std::size_t kGap = 2;
constexpr std::uint8_t kRuleByte = 0xC4;  // a single horizontal line

bool IsNumber(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

struct Column {
  std::size_t width = 0;
  bool has_numbers = false;
  bool has_words = false;

  bool Numeric() const { return has_numbers && !has_words; }
};

std::wstring Line(const std::vector<std::wstring>& cells, const std::vector<Column>& columns) {
  std::wstring line;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const std::wstring cell = i < cells.size() ? cells[i] : std::wstring();
    const std::size_t pad = columns[i].width - cell.size();
    if (i > 0) line.append(kGap, L' ');
    if (columns[i].Numeric()) line.append(pad, L' ');
    line += cell;
    if (!columns[i].Numeric()) line.append(pad, L' ');
  }
  // The last column needs no blanks after it.
  line.erase(line.find_last_not_of(L' ') + 1);
  return line;
}

}  // namespace

TableText LayOutTable(const ResultTable& table) {
  std::size_t count = table.headings.size();
  for (const auto& row : table.rows) count = std::max(count, row.size());
  std::vector<Column> columns(count);
  const auto widen = [&](std::size_t i, const std::wstring& text) { columns[i].width = std::max(columns[i].width, text.size()); };

  std::vector<std::wstring> headings;
  for (std::size_t i = 0; i < table.headings.size(); ++i) widen(i, headings.emplace_back(TextFromUtf8(table.headings[i])));
  std::vector<std::vector<std::wstring>> rows;
  for (const auto& row : table.rows) {
    auto& cells = rows.emplace_back();
    for (std::size_t i = 0; i < row.size(); ++i) {
      widen(i, cells.emplace_back(TextFromUtf8(row[i])));
      // A blank cell fits either alignment.
      if (row[i].empty()) continue;
      (IsNumber(row[i]) ? columns[i].has_numbers : columns[i].has_words) = true;
    }
  }
  // The headings line up with the column's text: right above numbers.
  TableText text;
  text.heading = Line(headings, columns);
  std::size_t total = 0;
  for (std::size_t i = 0; i < count; ++i) total += columns[i].width + (i > 0 ? kGap : 0);
  text.rule.assign(total, static_cast<wchar_t>(Cp866ToUnicode(kRuleByte)));
  for (const auto& cells : rows) text.rows.push_back(Line(cells, columns));
  return text;
}

}  // namespace orvano::app
