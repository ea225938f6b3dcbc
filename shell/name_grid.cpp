#include "shell/name_grid.h"

#include <QHeaderView>
#include <QTableView>

#include "shell/brixel_look.h"
#include "shell/name_copy.h"
#include "shell/name_table_model.h"

namespace brixel {

void SetUpNameGrid(QTableView& grid) {
  grid.setPalette(GridPalette());
  grid.setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid.setSelectionMode(QAbstractItemView::ExtendedSelection);  // rows to copy
  grid.setSelectionBehavior(QAbstractItemView::SelectRows);
  grid.setWordWrap(false);
  grid.setTabKeyNavigation(false);  // Tab leaves the list, as in every other control
  grid.setShowGrid(true);
  grid.setCornerButtonEnabled(false);
  grid.setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

  QHeaderView& rows = *grid.verticalHeader();
  rows.hide();
  rows.setSectionResizeMode(QHeaderView::Fixed);
  rows.setMinimumSectionSize(1);
  rows.setDefaultSectionSize(grid.fontMetrics().height() + 3);

  QHeaderView& heading = *grid.horizontalHeader();
  heading.setSectionResizeMode(QHeaderView::Fixed);
  heading.setStretchLastSection(false);
  heading.setHighlightSections(false);
  heading.setSectionsClickable(false);
  heading.setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  QFont heading_font = heading.font();
  heading_font.setBold(true);
  heading.setFont(heading_font);

  if (const auto* names = qobject_cast<const NameTableModel*>(grid.model())) AddNameCopy(grid, *names);
}

}  // namespace brixel
