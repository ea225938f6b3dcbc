#include "shell/column_choice.h"

#include <QActionGroup>
#include <QMenu>

namespace brixel {

QString ColumnCaption(Column column) {
  switch (column) {
    case Column::Name:
      return QStringLiteral("Имя");
    case Column::Folder:
      return QStringLiteral("Папка");
    case Column::Size:
      return QStringLiteral("Размер");
    case Column::Modified:
      return QStringLiteral("Изменён");
    case Column::Duration:
      return QStringLiteral("Длительность");
    case Column::Artist:
      return QStringLiteral("Исполнитель");
    case Column::Title:
      return QStringLiteral("Название");
    case Column::Album:
      return QStringLiteral("Альбом");
    case Column::Track:
      return QStringLiteral("Номер");
    case Column::Year:
      return QStringLiteral("Год");
  }
  return {};
}

ColumnChoice::ColumnChoice(QWidget* parent) : QPushButton(parent) {
  setObjectName(QStringLiteral("CmdColumns"));
  setText(QStringLiteral("Столбцы"));
  setAccessibleName(QStringLiteral("Столбцы"));
  setFocusPolicy(Qt::StrongFocus);
  auto* menu = new QMenu(this);
  menu_ = menu;
  menu->setAccessibleName(QStringLiteral("Столбцы"));
  for (const Column column : kAllColumns) {
    if (column == Column::Name) continue;  // the name is always listed
    QAction* action = menu->addAction(ColumnCaption(column));
    action->setCheckable(true);
    connect(action, &QAction::toggled, this, &ColumnChoice::ShowChoice);
    columns_.emplace_back(column, action);
  }
  QMenu* tags = menu->addMenu(QStringLiteral("Кодировка старых тегов"));
  auto* group = new QActionGroup(tags);
  const std::array<std::pair<TagEncoding, QString>, 3> choices{
      {{TagEncoding::Auto, QStringLiteral("Определять самому")},
       {TagEncoding::Latin1, QStringLiteral("Latin-1")},
       {TagEncoding::Cp1251, QStringLiteral("Windows-1251")}}};
  for (std::size_t i = 0; i < choices.size(); ++i) {
    QAction* action = tags->addAction(choices[i].second);
    action->setCheckable(true);
    action->setActionGroup(group);
    connect(action, &QAction::toggled, this, &ColumnChoice::changed);
    encodings_[i] = {choices[i].first, action};
  }
  encodings_[0].second->setChecked(true);
  connect(this, &QPushButton::clicked, this, [this] { menu_->popup(mapToGlobal(rect().bottomLeft())); });
  ShowChoice();
}

Columns ColumnChoice::Chosen() const {
  Columns chosen;
  for (const auto& [column, action] : columns_)
    if (action->isChecked()) chosen.push_back(column);
  if (!chosen.empty()) chosen.insert(chosen.begin(), Column::Name);
  return chosen;
}

void ColumnChoice::SetChosen(const Columns& columns) {
  for (const auto& [column, action] : columns_)
    action->setChecked(std::find(columns.begin(), columns.end(), column) != columns.end());
}

TagEncoding ColumnChoice::Encoding() const {
  for (const auto& [encoding, action] : encodings_)
    if (action->isChecked()) return encoding;
  return TagEncoding::Auto;
}

void ColumnChoice::SetEncoding(TagEncoding encoding) {
  for (const auto& [each, action] : encodings_)
    if (each == encoding) action->setChecked(true);
}

std::string ColumnChoice::ChosenText() const {
  std::string text;
  for (const Column column : Chosen()) {
    if (column == Column::Name) continue;
    if (!text.empty()) text += ',';
    text += ColumnName(column);
  }
  return text;
}

void ColumnChoice::SetChosenText(const std::string& text) {
  Columns columns;
  if (!text.empty() && ParseColumns(text, columns).empty()) SetChosen(columns);
}

void ColumnChoice::ShowChoice() {
  // The pointer's tip and a screen reader tell which are ticked.
  QStringList captions;
  for (const Column column : Chosen())
    if (column != Column::Name) captions << ColumnCaption(column);
  const QString chosen =
      captions.isEmpty() ? QStringLiteral("только имена") : captions.join(QStringLiteral(", "));
  setToolTip(chosen);
  setAccessibleDescription(chosen);
  emit changed();
}

}  // namespace brixel
