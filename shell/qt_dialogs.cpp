#include "shell/qt_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <QTreeView>
#include <algorithm>

namespace brixel {

namespace {

// A box is as wide as its text, and a short text ("Список пуст.") would cut its title to "В...!":
// the box is made wide enough for the title as the window manager draws it, with room for its
// buttons.
void WidenForTitle(QMessageBox& box) {
  const int title = box.fontMetrics().horizontalAdvance(box.windowTitle()) * 3 / 2 + 120;
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
    grid->addItem(new QSpacerItem(title, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(),
                  0, 1, grid->columnCount());
}

// Qt's dialog opens with columns too narrow for a type ("Текстовый документ") or a date and time:
// the dialog is made wide enough and its detail view's columns fit their contents.
void FitColumns(QFileDialog& dialog) {
  dialog.resize(std::max(dialog.width(), 760), std::max(dialog.height(), 440));
  if (auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
    QHeaderView* header = view->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < header->count(); ++column)
      header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
  }
}

// The dialog tidies the spacing of file types, so they are matched as tidied.
int FilterPosition(const QStringList& file_types, const QString& chosen) {
  for (qsizetype i = 0; i < file_types.size(); ++i)
    if (file_types[i].simplified() == chosen.simplified()) return static_cast<int>(i) + 1;
  return 0;
}

}  // namespace

SaveFileChoice QtDialogs::AskSaveFile(QWidget* parent, const QStringList& file_types, int filter_index) {
  QFileDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("CDlg"));
#ifdef Q_OS_WIN
  // Windows' own save dialog adds the chosen type's extension to a name typed without one; the
  // list is saved under the name exactly as typed, so Qt's dialog (in Russian, as on Linux) it is.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
#endif
  dialog.setPalette(QApplication::palette());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(file_types);
  if (!save_folder_.isEmpty() && QDir(save_folder_).exists()) dialog.setDirectory(save_folder_);
  if (filter_index >= 1 && filter_index <= file_types.size())
    dialog.selectNameFilter(file_types[filter_index - 1].simplified());  // kept tidied, as above
  // A text list is appended to an existing file, so only the other types ask before replacing.
  const auto ask_before_replacing = [&](const QString& chosen) {
    dialog.setOption(QFileDialog::DontConfirmOverwrite, FilterPosition(file_types, chosen) == 1);
  };
  ask_before_replacing(dialog.selectedNameFilter());
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, ask_before_replacing);
  FitColumns(dialog);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  const int shown_type = FilterPosition(file_types, dialog.selectedNameFilter());
  const QStringList files = dialog.selectedFiles();
  if (!accepted || files.isEmpty()) return SaveFileChoice{QString(), shown_type};
  save_folder_ = QDir::toNativeSeparators(QFileInfo(files.front()).absolutePath());
  // Qt's dialog answers with "/" on every system; the windows show paths as the system writes them.
  return SaveFileChoice{QDir::toNativeSeparators(files.front()), shown_type};
}

void QtDialogs::ShowMessage(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
  box.setPalette(QApplication::palette());
  WidenForTitle(box);
  box.exec();
}

bool QtDialogs::Ask(QWidget* parent, const QString& title, const QString& text, const QString& go_on,
                    const QString& stop) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::NoButton, parent);
  box.setPalette(QApplication::palette());
  QPushButton* yes = box.addButton(go_on, QMessageBox::AcceptRole);
  QPushButton* no = box.addButton(stop, QMessageBox::RejectRole);
  box.setDefaultButton(no);  // the question is whether to risk something: Enter does not
  box.setEscapeButton(no);
  WidenForTitle(box);
  box.exec();
  return box.clickedButton() == yes;
}

}  // namespace brixel
