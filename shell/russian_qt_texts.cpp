#include "shell/russian_qt_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace brixel {

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
  return true;
}

}  // namespace brixel
