// BrixelLite, the lite edition: the one-page window over the listing, formatting and export core.
#include <QApplication>

#include "core/platform/program_folder.h"
#include "lite/lite_window.h"
#include "shell/application_setup.h"
#include "shell/desktop_ids.h"
#include "shell/folder_argument.h"
#include "shell/mounted_volumes.h"
#include "shell/program_files.h"
#include "shell/qt_dialogs.h"
#include "shell/window_settings.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  brixel::SetUpApplication(app, QStringLiteral("BrixelLite"), QLatin1String(brixel::kLiteDesktopId));

  brixel::QtDialogs dialogs;
  const brixel::MountedVolumes volumes;
  // BrixelLite [FOLDER]: the folder (or a file's) to start in, as "Open with" in a file manager passes it.
  const brixel::ProgramFiles files = brixel::LocateProgramFiles(brixel::ProgramFolder());
  brixel::LiteWindow window({dialogs, volumes, brixel::DesktopOpener(), files, brixel::CurrentFolder(),
                             nullptr, brixel::CommandLinePath(QApplication::arguments()),
                             brixel::SettingsFile(files, QApplication::applicationName())});
  window.show();
  return QApplication::exec();
}
