// Brixel, the full edition: the wizard window over the listing, formatting and export core.
#include <QApplication>

#include "core/program_info.h"
#include "full/full_window.h"
#include "full/shell/artwork.h"
#include "full/shell/brixel_look.h"
#include "full/shell/mounted_volumes.h"
#include "full/shell/picture.h"
#include "full/shell/qt_dialogs.h"
#include "full/shell/russian_qt_texts.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Brixel"));
  brixel::ApplyBrixelLook(app);
  brixel::InstallRussianQtTexts(app);
  QApplication::setWindowIcon(brixel::PictureIcon(QLatin1String(brixel::artwork::kAppIcon)));

  brixel::MountedVolumes volumes;
  brixel::QtDialogs dialogs;
  brixel::FullWindow window(
      {brixel::ProgramFolder(), brixel::CurrentFolder(), &volumes, &dialogs, brixel::DesktopOpener()});
  window.show();
  return QApplication::exec();
}
