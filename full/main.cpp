// Brixel, the full edition: the wizard window over the listing, formatting and export core.
#include <QApplication>

#include "core/platform/program_folder.h"
#include "full/full_window.h"
#include "shell/artwork.h"
#include "shell/brixel_look.h"
#include "shell/mounted_volumes.h"
#include "shell/picture.h"
#include "shell/qt_dialogs.h"
#include "shell/russian_qt_texts.h"

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
