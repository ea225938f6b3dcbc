#include "shell/russian_qt_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstring>

namespace brixel {

namespace {

// What Qt's Russian catalogue (qtbase_ru, also in qt_ru) does not hold: the file dialog's type
// column names folders and drives through QAbstractFileIconProvider, new in Qt 6, and said
// "Folder" in the middle of a Russian dialog. It answers these texts alone.
class MissingRussianQtTexts : public QTranslator {
 public:
  using QTranslator::QTranslator;

  bool isEmpty() const override { return false; }

  QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                    int /*n*/) const override {
    if (context == nullptr || source == nullptr || std::strcmp(context, "QAbstractFileIconProvider") != 0)
      return {};
    static const struct {
      const char* source;
      const char* russian;
    } kTexts[] = {{"Folder", "Папка"},
                  {"File Folder", "Папка с файлами"},
                  {"Drive", "Диск"},
                  {"Shortcut", "Ярлык"},
                  {"Alias", "Псевдоним"}};
    for (const auto& text : kTexts)
      if (std::strcmp(source, text.source) == 0) return QString::fromUtf8(text.russian);
    return {};
  }
};

}  // namespace

bool InstallRussianQtTexts(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  const QString name = QStringLiteral("qtbase_ru");
  // A static Qt (the Windows build) has no translations folder of its own: the build carries them.
  const bool loaded = translator->load(name, QLatin1String(kEmbeddedQtTextFolder)) ||
                      translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  if (!loaded || !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  // Installed last, asked first: it answers only what the catalogue lacks.
  QCoreApplication::installTranslator(new MissingRussianQtTexts(&app));
  return true;
}

}  // namespace brixel
