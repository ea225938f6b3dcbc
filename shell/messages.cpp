#include "shell/messages.h"

#include <QLocale>

#include "shell/dialog_facade.h"
#include "shell/grouped_number.h"

namespace brixel {

namespace {

const QString kWarningTitle = QStringLiteral("Внимание ! ! !");

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString ForeignReason(ForeignContent content) {
  switch (content) {
    case ForeignContent::Zip:
      return QStringLiteral("это архив ZIP (книга Excel .xlsx?)");
    case ForeignContent::Ole:
      return QStringLiteral("это составной файл OLE (книга Excel .xls?)");
    case ForeignContent::Html:
      return QStringLiteral("это страница HTML");
    case ForeignContent::Binary:
      break;
  }
  return QStringLiteral("в его начале есть двоичные данные");
}

QString Megabytes(std::uint64_t bytes) {
  const double mb = static_cast<double>(bytes) / (1024.0 * 1024.0);
  return QLocale().toString(mb, 'f', mb < 10 ? 1 : 0) + QStringLiteral(" МБ");
}

}  // namespace

void ShowWarning(QWidget& window, DialogFacade& dialogs, const QString& text) {
  dialogs.ShowMessage(&window, kWarningTitle, text);
}

void ShowSaveFailure(QWidget& window, DialogFacade& dialogs) {
  ShowWarning(window, dialogs, QStringLiteral("Произошла непредвиденная ошибка"));
}

}  // namespace brixel

namespace brixel {

void ShowNotATextList(QWidget& window, DialogFacade& dialogs, const std::string& path,
                      ForeignContent content) {
  ShowWarning(window, dialogs,
              QStringLiteral("Файл «%1» — не текстовый список: %2.\nСписок не дописан к нему.")
                  .arg(FromUtf8(path), ForeignReason(content)));
}

bool AskInPlace(QWidget& window, DialogFacade& dialogs, const std::string& path, bool no_room,
                std::uint64_t room_needed, std::uint64_t room_free) {
  const QString why = no_room
                          ? QStringLiteral("На диске нет места для копии файла «%1»: нужно %2, свободно %3.")
                                .arg(FromUtf8(path), Megabytes(room_needed), Megabytes(room_free))
                          : QStringLiteral("Не удалось сделать копию файла «%1».").arg(FromUtf8(path));
  return dialogs.Ask(&window, kWarningTitle,
                     why + QStringLiteral("\n\nДописать список прямо в файл? Сбой во время записи может "
                                          "оставить в нём часть списка."),
                     QStringLiteral("Дописать в файл"), QStringLiteral("Отмена"));
}

bool AskCp1251Losses(QWidget& window, DialogFacade& dialogs, const Cp1251Losses& losses) {
  QString examples;
  for (const std::string& name : losses.first) examples += QStringLiteral("\n    ") + FromUtf8(name);
  return dialogs.Ask(&window, kWarningTitle,
                     QStringLiteral("Имён с символами, которых нет в кодировке Windows-1251: %1. В "
                                    "списке эти символы станут «?». Например:%2\n\nСохранить список так?")
                         .arg(GroupedNumber(losses.count), examples),
                     QStringLiteral("Сохранить"), QStringLiteral("Отмена"));
}

void ShowMaskFileCut(QWidget& window, DialogFacade& dialogs, std::size_t lines_read) {
  ShowWarning(window, dialogs,
              QStringLiteral("Файл масок rasshirenia.txt слишком велик: в списке масок его первые %1 "
                             "строк, остальные пропущены.")
                  .arg(GroupedNumber(lines_read)));
}

}  // namespace brixel
