#include "shell/name_table_model.h"

#include "core/details/detail_row.h"
#include "core/details/field_text.h"
#include "core/listing/name_table.h"
#include "core/utf8/utf8.h"
#include "shell/brixel_look.h"
#include "shell/column_choice.h"

namespace brixel {

NameTableModel::NameTableModel(const NameTable& table, std::vector<Column> columns, QObject* parent)
    : QAbstractTableModel(parent), table_(table), columns_(std::move(columns)) {}

void NameTableModel::SetHeadings(const QStringList& headings) {
  headings_ = headings;
  emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void NameTableModel::SetDetailColumns(const Columns& columns) {
  details_.clear();
  for (const brixel::Column c : columns)
    if (c != brixel::Column::Name) details_.push_back(c);
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
  return parent.isValid() ? 0 : static_cast<int>(columns_.size() + details_.size());
}

QVariant NameTableModel::DetailData(std::size_t row, brixel::Column detail, int role) const {
  const bool number = detail == brixel::Column::Size || detail == brixel::Column::Duration ||
                      detail == brixel::Column::Track || detail == brixel::Column::Year;
  if (role == Qt::TextAlignmentRole)
    return QVariant((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignBottom);
  if (row >= table_.Details().Size()) return QString();
  FileDetails details;
  table_.Details().Read(row, details);
  std::vector<Field> fields;
  FillRow({detail}, {}, details, fields);
  std::string text;
  AppendFieldText(fields[0].value, text);
  return QString::fromStdString(SanitizeUtf8(text));
}

QVariant NameTableModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) return {};
  const auto row = static_cast<std::size_t>(index.row());
  const auto section = static_cast<std::size_t>(index.column());
  if (section >= columns_.size()) {
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != Qt::TextAlignmentRole) return {};
    return DetailData(row, details_[section - columns_.size()], role);
  }
  if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignLeft | Qt::AlignBottom);
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
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
      if (section >= static_cast<int>(columns_.size()))
        return ColumnCaption(details_[static_cast<std::size_t>(section) - columns_.size()]);
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
