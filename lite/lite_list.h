#pragma once
// The lite list (FlexGrid1): the chosen folder's own matching names, sorted as found, then shaped
// by the switches. Every rebuild scans afresh, in a job of the window; nothing of an earlier scan
// is kept, so turning a switch off undoes it at the next run.
#include <QRect>

#include "core/listing/name_table.h"

class QTableView;
class QWidget;

namespace brixel {

class NameTableModel;

class LiteList {
 public:
  // The grid inside its frame, at its place in twips.
  LiteList(QWidget& frame, const QRect& twips);

  QTableView& View() const { return *view_; }
  NameTableModel& Model() const { return *model_; }

  // The column fills the grid's width.
  void FitColumn();

  // A fresh listing whose after-formatting column holds what the list is to show: the names as
  // found after a rebuild, shaped after a formatting run.
  void Show(NameTable&& table);

  // The names the list shows now.
  const NameColumn& Shown() const { return table_.Formatted(); }
  // The same names in another order (sorted on their text, as a save leaves them).
  void ShowReordered(NameColumn&& names);

 private:
  void MakeFirstRowCurrent();

  NameTable table_;
  QTableView* view_;
  NameTableModel* model_;
};

}  // namespace brixel
