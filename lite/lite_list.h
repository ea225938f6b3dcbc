#pragma once
// The lite list (FlexGrid1): the chosen folder's own matching names, sorted as found, then shaped
// in place by the switches. Every rebuild scans afresh; nothing of an earlier scan is kept, so
// turning a switch off undoes it at the next run.
#include <QRect>
#include <string>

#include "core/format/formatting_run.h"
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

  // RefreshPreview: the names as found in folder itself for the mask line, under the busy
  // pointer.
  void Refresh(const std::string& folder, const std::string& mask_line);

  // The passes of the switches that are on, on the rows as they stand. An empty list stays as it
  // is.
  FormatResult Format(const FormatOptions& options);

  // Sorts the rows on the text they show now (what the save's scan leaves behind).
  void SortShown();

 private:
  void MakeFirstRowCurrent();

  NameTable table_;
  QTableView* view_;
  NameTableModel* model_;
};

}  // namespace brixel
