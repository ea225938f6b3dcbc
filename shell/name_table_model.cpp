#include "shell/name_table_model.h"

#include "core/listing/name_table.h"
#include "shell/brixel_look.h"

namespace brixel {

NameTableModel::NameTableModel(const NameTable& table, std::vector<Column> columns, QObject* parent)
    : QAbstractTableModel(parent), table_(table), columns_(std::move(columns)) {}

void NameTableModel::SetHeadings(const QStringList& headings) {
  headings_ = headings;
  emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void NameTableModel::FormattedChanged() {
  const int rows = rowCount();
  for (int c = 0; c < columnCount(); ++c) {
    if (columns_[static_cast<std::size_t>(c)] == Column::Formatted && rows > 0)
      emit dataChanged(index(0, c), index(rows - 1, c));  // text and tool tip alike
  }
}

std::vector<const NameColumn*> NameTableModel::ShownColumns() const {
  std::vector<const NameColumn*> shown;
  for (Column c : columns_) shown.push_back(c == Column::AsFound ? &table_.AsFound() : &table_.Formatted());
  return shown;
}

bool NameTableModel::HoldsNames() const {
  return table_.FoundCount() > 0;
}

int NameTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(table_.RowCount());
}

int NameTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant NameTableModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) return {};
  if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignLeft | Qt::AlignBottom);
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  const auto row = static_cast<std::size_t>(index.row());
  const NameColumn& column = columns_[static_cast<std::size_t>(index.column())] == Column::AsFound
                                 ? table_.AsFound()
                                 : table_.Formatted();
  if (row >= column.Size()) return QString();  // not formatted yet
  const std::string_view name = column[row];
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QVariant NameTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  switch (role) {
    case Qt::DisplayRole:
      return headings_.value(section);
    case Qt::ForegroundRole:
      return kRedTextColor;
    case Qt::BackgroundRole:
      return kHeadingFaceColor;
    case Qt::TextAlignmentRole:
      return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
      return {};
  }
}

}  // namespace brixel
