// BrixelLite, the lite edition: the one-page window over the listing, formatting and export core.
#include <QApplication>

#include "core/platform/program_folder.h"
#include "lite/lite_window.h"
#include "shell/application_setup.h"
#include "shell/desktop_ids.h"
#include "shell/mounted_volumes.h"
#include "shell/program_files.h"
#include "shell/qt_dialogs.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  brixel::SetUpApplication(app, QStringLiteral("BrixelLite"), QLatin1String(brixel::kLiteDesktopId));

  brixel::QtDialogs dialogs;
  const brixel::MountedVolumes volumes;
  brixel::LiteWindow window({dialogs, volumes, brixel::DesktopOpener(),
                             brixel::LocateProgramFiles(brixel::ProgramFolder()), brixel::CurrentFolder()});
  window.show();
  return QApplication::exec();
}
