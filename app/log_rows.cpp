#include "app/log_rows.h"

namespace orvano::app {

std::wstring CellText(const std::vector<Cell>& cells) {
  std::wstring text;
  text.reserve(cells.size());
  for (const Cell& cell : cells) text += static_cast<wchar_t>(cell.ch);
  return text;
}

std::vector<LogRow> LayOutLog(const LogStore& store, std::size_t width) {
  std::vector<LogRow> rows;
  for (int number = 1; number <= store.Count(); ++number) {
    const std::wstring text = CellText(MarkupCells(store.Line(number), kLogColor));
    for (const RowSpan& span : WrapRows(text, width, kLogIndent)) rows.push_back(LogRow{number, span});
  }
  return rows;
}

}  // namespace orvano::app
