#pragma once
// What both programs set up before their window shows: the program's name (also its windows'
// class on X11, which its desktop entry's StartupWMClass names), the name of its desktop entry
// (by which Wayland desktops find its name and icon), the windows' look, Qt's own texts (dialog
// buttons, file dialog) in Russian, and the program icon.
#include <QApplication>
#include <QString>

#include "core/edition.h"
#include "core/platform/program_folder.h"
#include "shell/folder_argument.h"
#include "shell/program_files.h"
#include "shell/window_services.h"
#include "shell/window_settings.h"

namespace brixel {

void SetUpApplication(QApplication& app, const QString& name, const QString& desktop_id);

// A window program's whole main: the application set up as the edition, its Window shown over the
// program's files, the current folder and the system's own services, until the window closes.
// `PROGRAM [FOLDER]`: the folder (or a file's) to start in, as "Open with" in a file manager
// passes it; the settings are remembered in the edition's own file.
template <typename Window>
int RunWindowProgram(int argc, char** argv, const Edition& edition, const char* desktop_id) {
  QApplication app(argc, argv);
  SetUpApplication(app, QString::fromUtf8(edition.program), QLatin1String(desktop_id));
  const ProgramFiles files = LocateProgramFiles(ProgramFolder());
  Window window(WindowServices{.files = files,
                               .start_folder = CurrentFolder(),
                               .named_folder = CommandLinePath(QApplication::arguments()),
                               .settings_file = SettingsFile(files, QApplication::applicationName())});
  window.show();
  return QApplication::exec();
}

}  // namespace brixel
