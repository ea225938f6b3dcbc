#include "shell/qt_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace brixel {

namespace {

// The dialog tidies the spacing of file types, so they are matched as tidied.
int FilterPosition(const QStringList& file_types, const QString& chosen) {
  for (qsizetype i = 0; i < file_types.size(); ++i)
    if (file_types[i].simplified() == chosen.simplified()) return static_cast<int>(i) + 1;
  return 0;
}

}  // namespace

std::optional<SaveFileChoice> QtDialogs::AskSaveFile(QWidget* parent, const QStringList& file_types,
                                                     int filter_index) {
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
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  save_folder_ = QDir::toNativeSeparators(QFileInfo(files.front()).absolutePath());
  // Qt's dialog answers with "/" on every system; the windows show paths as the system writes them.
  return SaveFileChoice{QDir::toNativeSeparators(files.front()),
                        FilterPosition(file_types, dialog.selectedNameFilter())};
}

void QtDialogs::ShowMessage(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
  box.setPalette(QApplication::palette());
  box.exec();
}

}  // namespace brixel
