// Brixel, the full edition: the wizard window over the listing, formatting and export core.
#include <QApplication>

#include "core/edition.h"
#include "core/platform/program_folder.h"
#include "full/full_window.h"
#include "shell/application_setup.h"
#include "shell/desktop_ids.h"
#include "shell/mounted_volumes.h"
#include "shell/program_files.h"
#include "shell/qt_dialogs.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  brixel::SetUpApplication(app, QString::fromUtf8(brixel::kFullEdition.program),
                           QLatin1String(brixel::kFullDesktopId));

  brixel::MountedVolumes volumes;
  brixel::QtDialogs dialogs;
  brixel::FullWindow window({brixel::LocateProgramFiles(brixel::ProgramFolder()), brixel::CurrentFolder(),
                             &volumes, &dialogs, brixel::DesktopOpener()});
  window.show();
  return QApplication::exec();
}
