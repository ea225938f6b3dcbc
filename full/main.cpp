// Brixel, the full edition: the wizard window over the listing, formatting and export core.
#include <QApplication>

#include "core/platform/program_folder.h"
#include "full/full_window.h"
#include "shell/application_setup.h"
#include "shell/desktop_ids.h"
#include "shell/folder_argument.h"
#include "shell/mounted_volumes.h"
#include "shell/program_files.h"
#include "shell/qt_dialogs.h"
#include "shell/window_settings.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  brixel::SetUpApplication(app, QStringLiteral("Brixel"), QLatin1String(brixel::kFullDesktopId));

  brixel::MountedVolumes volumes;
  brixel::QtDialogs dialogs;
  // Brixel [FOLDER]: the folder (or a file's) to start in, as "Open with" in a file manager passes it.
  const brixel::ProgramFiles files = brixel::LocateProgramFiles(brixel::ProgramFolder());
  brixel::FullWindow window({files, brixel::CurrentFolder(), &volumes, &dialogs, brixel::DesktopOpener(),
                             nullptr, brixel::CommandLinePath(QApplication::arguments()),
                             brixel::SettingsFile(files, QApplication::applicationName())});
  window.show();
  return QApplication::exec();
}
