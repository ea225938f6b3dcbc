#pragma once
// The look and behaviour of the name lists: black names on cream under a red heading row, silver
// grid lines, rows of one fixed height (a million rows cost no measuring), no editing; rows are
// selected whole, any number of them, and copied (AddNameCopy).
class QTableView;

namespace brixel {

// After the grid has its model (a NameTableModel, which the copy reads).
void SetUpNameGrid(QTableView& grid);

}  // namespace brixel
