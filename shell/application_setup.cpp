#include "shell/application_setup.h"

#include <QApplication>

#include "shell/artwork.h"
#include "shell/brixel_look.h"
#include "shell/picture.h"
#include "shell/russian_qt_texts.h"

namespace brixel {

void SetUpApplication(QApplication& app, const QString& name, const QString& desktop_id) {
  QApplication::setApplicationName(name);
  QApplication::setDesktopFileName(desktop_id);
  ApplyBrixelLook(app);
  InstallRussianQtTexts(app);
  QApplication::setWindowIcon(PictureIcon(QLatin1String(artwork::kAppIcon)));
}

}  // namespace brixel
