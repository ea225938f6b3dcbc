#pragma once
// Copying a name list to where users paste it: Ctrl+C, or «Копировать» in the list's context
// menu, puts the selected rows, or every row when none is selected, on the clipboard as plain
// text, one row a line. A list of two columns (the found-files table) gives both, separated by a
// tab, so a paste into a spreadsheet fills two columns. A list without names copies nothing and
// leaves the clipboard as it was.
#include <QByteArray>
#include <cstddef>
#include <vector>

class QTableView;

namespace brixel {

class NameColumn;
class NameTableModel;

// Rows first to last, both included.
struct RowSpan {
  std::size_t first;
  std::size_t last;
};

// The rows as UTF-8 text: one line a row, each ended by "\n"; the cells of a row separated by a tab. A
// row a column does not reach gives an empty cell. With more than one column, a cell holding a
// tab, a line break or a double quote is quoted as spreadsheets read it ("a""b").
QByteArray NamesAsText(const std::vector<const NameColumn*>& columns, const std::vector<RowSpan>& rows);

// The grid's selected rows as sorted spans without overlaps; empty when none is selected.
std::vector<RowSpan> SelectedRows(const QTableView& grid);

// Gives the grid over model its copy: the key, the context menu entry, the clipboard.
void AddNameCopy(QTableView& grid, const NameTableModel& model);

}  // namespace brixel
