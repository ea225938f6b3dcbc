#pragma once
// The preview list and the found-files table as a Qt model over a NameTable, with chosen columns
// of the table and their headings. Nothing is copied: a cell's text is made when a view asks
// for it, so a million names cost the view no more than the rows it shows.
#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

#include "core/details/columns.h"

namespace brixel {

class NameColumn;
class NameTable;

class NameTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum class Column { AsFound, Formatted };

  NameTableModel(const NameTable& table, std::vector<Column> columns, QObject* parent);

  // The heading row.
  void SetHeadings(const QStringList& headings);
  // The details shown after the name columns, headed by their captions (`name` is left out: the
  // names have their columns). Between BeginRebuild and EndRebuild.
  void SetDetailColumns(const Columns& columns);

  // Around anything that rebuilds the table's rows (a listing).
  void BeginRebuild() { beginResetModel(); }
  void EndRebuild() { endResetModel(); }

  // After the after-formatting column was rewritten (a formatting run).
  void FormattedChanged();

  // The table's columns the model shows, in its order.
  std::vector<const NameColumn*> ShownColumns() const;
  // False for a listing that found nothing (its one blank row).
  bool HoldsNames() const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QVariant DetailData(std::size_t row, brixel::Column detail, int role) const;

  const NameTable& table_;
  std::vector<Column> columns_;
  Columns details_;
  QStringList headings_;
};

}  // namespace brixel
