#include "lite/lite_list.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

#include "core/listing/name_order.h"
#include "shell/busy_pointer.h"
#include "shell/name_grid.h"
#include "shell/name_table_model.h"
#include "shell/twips.h"

namespace brixel {

LiteList::LiteList(QWidget& frame, const QRect& twips) {
  table_.StartListing();
  table_.FinishListing();  // the blank row until the first scan
  view_ = new QTableView(&frame);
  view_->setObjectName(QStringLiteral("FlexGrid1"));
  view_->setAccessibleName(QStringLiteral("Файлы"));
  view_->setGeometry(TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
  model_ = new NameTableModel(table_, {NameTableModel::Column::Formatted}, view_);
  model_->SetHeadings({QStringLiteral("Файлы")});
  view_->setModel(model_);
  SetUpNameGrid(*view_);
}

void LiteList::FitColumn() {
  // The design width less one twip was meant to fill the grid; stretching fills it exactly, with
  // or without a vertical scroll bar, so no horizontal one appears for a single column.
  view_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
}

void LiteList::Refresh(const std::string& folder, const std::string& mask_line) {
  const BusyPointer busy;
  model_->BeginRebuild();
  RunListing(table_, {folder, mask_line, false});
  table_.Formatted() = table_.AsFound();
  model_->EndRebuild();
  MakeFirstRowCurrent();
}

FormatResult LiteList::Format(const FormatOptions& options) {
  const FormatResult result = LiteFormattingRun(table_.Formatted(), options);
  model_->FormattedChanged();
  return result;
}

void LiteList::SortShown() {
  SortNames(table_.Formatted(), UserCollator());
  model_->FormattedChanged();
  MakeFirstRowCurrent();
}

void LiteList::MakeFirstRowCurrent() {
  // Current without being selected, so no row shows as chosen.
  view_->selectionModel()->setCurrentIndex(model_->index(0, 0), QItemSelectionModel::NoUpdate);
  view_->scrollToTop();
}

}  // namespace brixel
