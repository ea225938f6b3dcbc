#pragma once
// The choice of the details a list holds beside the names, and of how legacy tags read: a button
// «Столбцы» whose menu holds a check box for each column and the tag encoding's three choices. The
// button is pressed like any other (Space, a screen reader's press) and opens the menu, which the
// keyboard walks (the arrows move, Enter ticks) and a screen reader names item by item. Nothing is chosen at
// first: names only.
#include <QPushButton>
#include <QString>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "core/details/columns.h"
#include "core/details/tag_encoding.h"

class QAction;
class QMenu;

namespace brixel {

// The column's heading in the windows' tables: «Имя», «Папка», «Размер», ...
QString ColumnCaption(Column column);

class ColumnChoice : public QPushButton {
  Q_OBJECT

 public:
  explicit ColumnChoice(QWidget* parent);

  // `name` first, then the ticked columns in their fixed order; empty when none is ticked.
  Columns Chosen() const;
  void SetChosen(const Columns& columns);
  TagEncoding Encoding() const;
  void SetEncoding(TagEncoding encoding);

  // As remembered in the settings: "folder,size" ("" for none) and "auto".
  std::string ChosenText() const;
  void SetChosenText(const std::string& text);

 signals:
  void changed();

 private:
  void ShowChoice();

  QMenu* menu_ = nullptr;
  std::vector<std::pair<Column, QAction*>> columns_;
  std::array<std::pair<TagEncoding, QAction*>, 3> encodings_{};
};

}  // namespace brixel
