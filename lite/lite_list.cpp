#include "lite/lite_list.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

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

void LiteList::Show(NameTable&& table) {
  model_->BeginRebuild();
  table_ = std::move(table);
  model_->EndRebuild();
  MakeFirstRowCurrent();
}

void LiteList::ShowReordered(NameColumn&& names) {
  table_.Formatted().Swap(names);
  model_->FormattedChanged();
  MakeFirstRowCurrent();
}

void LiteList::MakeFirstRowCurrent() {
  // Current without being selected, so no row shows as chosen.
  view_->selectionModel()->setCurrentIndex(model_->index(0, 0), QItemSelectionModel::NoUpdate);
  view_->scrollToTop();
}

}  // namespace brixel
