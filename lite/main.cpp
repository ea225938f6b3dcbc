// BrixelLite, the lite edition: the one-page window over the listing, formatting and export core.
#include <QApplication>

#include "core/edition.h"
#include "core/platform/program_folder.h"
#include "lite/lite_window.h"
#include "shell/application_setup.h"
#include "shell/desktop_ids.h"
#include "shell/mounted_volumes.h"
#include "shell/program_files.h"
#include "shell/qt_dialogs.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  brixel::SetUpApplication(app, QString::fromUtf8(brixel::kLiteEdition.program),
                           QLatin1String(brixel::kLiteDesktopId));

  brixel::MountedVolumes volumes;
  brixel::QtDialogs dialogs;
  brixel::LiteWindow window({brixel::LocateProgramFiles(brixel::ProgramFolder()), brixel::CurrentFolder(),
                             &volumes, &dialogs, brixel::DesktopOpener()});
  window.show();
  return QApplication::exec();
}
