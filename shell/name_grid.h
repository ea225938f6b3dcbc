#pragma once
// The look and behaviour of the name lists: black names on cream under a red heading row, silver
// grid lines, rows of one fixed height (a million rows cost no measuring), no editing.
class QTableView;

namespace brixel {

void SetUpNameGrid(QTableView& grid);

}  // namespace brixel
