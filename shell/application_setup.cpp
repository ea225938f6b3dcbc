#include "shell/application_setup.h"

#include <QApplication>

#include "shell/artwork.h"
#include "shell/brixel_look.h"
#include "shell/picture.h"
#include "shell/russian_qt_texts.h"

namespace brixel {

void SetUpApplication(QApplication& app, const QString& name) {
  QApplication::setApplicationName(name);
  ApplyBrixelLook(app);
  InstallRussianQtTexts(app);
  QApplication::setWindowIcon(PictureIcon(QLatin1String(artwork::kAppIcon)));
}

}  // namespace brixel
